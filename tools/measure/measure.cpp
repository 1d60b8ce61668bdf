// Times the desktop window as a technician meets it:
//   start-up: from the moment the process was launched (--launched-ns, CLOCK_REALTIME
//             nanoseconds taken by the caller just before starting this program) to the
//             end of the main window's first paint;
//   OK:       from pressing OK to the end of the repaint of the changed chart, repeated.
// It builds the window exactly as the program entry does, answers no questions (the
// state folder must let the window start without a message box) and prints one line
// per figure.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ui/chartprinter.h"
#include "ui/errorbox.h"
#include "ui/messageboxes.h"
#include "ui/tchart.h"
#include "ui/unit1.h"
#include "ui/unit2.h"

namespace {

std::int64_t RealtimeNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// A start-up that asks anything is not a start-up to time.
class FailingBoxes : public ui::MessageBoxes {
  public:
    QMessageBox::StandardButton Show(const ui::MessageBox& box) override {
        std::fprintf(stderr, "message box during measurement: %s\n", box.text.toUtf8().constData());
        std::exit(2);
    }
};

// Tells when a widget has finished a paint: the end of the event loop pass that
// delivered its paint event.
class PaintWatch : public QObject {
  public:
    explicit PaintWatch(QWidget* widget) { widget->installEventFilter(this); }
    void Reset() { done_ = false; }
    bool Done() const { return done_; }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) QTimer::singleShot(0, [this] { done_ = true; });
        return false;
    }

  private:
    bool done_ = false;
};

void WaitFor(const PaintWatch& watch) {
    while (!watch.Done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace

int main(int argc, char* argv[]) {
    std::int64_t launched = 0;
    int repeats = 50;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--launched-ns=", 14) == 0) launched = std::atoll(argv[i] + 14);
        if (std::strncmp(argv[i], "--repeats=", 10) == 0) repeats = std::atoi(argv[i] + 10);
    }

    // The program entry's steps.
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QString::fromUtf8(ui::kApplicationTitle));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/ostrelix/ostrelix.png")));
    FailingBoxes boxes;
    ui::QtChartPrinter printer;
    ui::TForm1 form(boxes, printer);
    ui::TAboutBox aboutBox(&form);
    form.SetAboutBox(&aboutBox);

    PaintWatch chartPainted(form.Chart1->viewport());
    form.show();
    WaitFor(chartPainted);
    const std::int64_t shown = RealtimeNs();
    if (launched > 0) std::printf("startup_ms %.1f\n", (shown - launched) / 1e6);

    // OK with a changed dimension, so that every press redraws a different chart.
    std::vector<double> okTimes;
    const QString original = form.Edit1->text();
    for (int i = 0; i < repeats; ++i) {
        form.Edit1->setText(i % 2 == 0 ? original + QStringLiteral("1") : original);
        QCoreApplication::processEvents();  // the box's own repaint is not the chart's
        chartPainted.Reset();
        QElapsedTimer timer;
        timer.start();
        form.BitBtn1->click();
        WaitFor(chartPainted);
        okTimes.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(okTimes.begin(), okTimes.end());
    if (!okTimes.empty()) {
        std::printf("ok_to_chart_ms median %.2f p90 %.2f max %.2f (%d presses, %dx%d window)\n",
                    okTimes[okTimes.size() / 2], okTimes[okTimes.size() * 9 / 10], okTimes.back(),
                    repeats, form.width(), form.height());
    }
    return 0;
}
