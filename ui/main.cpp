// The program entry: creates the main window (which restores the previous run's
// state), the hidden About window, and runs the window loop until the main window is
// closed. The command line is not used.
#include <QApplication>
#include <QIcon>
#include <clocale>
#include <exception>

#include "ui/chartprinter.h"
#include "ui/errorbox.h"
#include "ui/messageboxes.h"
#include "ui/unit1.h"
#include "ui/unit2.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Qt takes over the user's C locale; numbers are converted and formatted by the
    // program itself with the locale's separator, never by the C library's locale.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QString::fromUtf8(ui::kApplicationTitle));
    QGuiApplication::setDesktopFileName(QStringLiteral("com.kestrom.Ostrelix"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/ostrelix/ostrelix.png")));

    ui::QtMessageBoxes boxes;
    ui::QtChartPrinter printer;
    ui::RunGuarded(boxes, [&] {
        ui::TForm1 form(boxes, printer);
        ui::TAboutBox aboutBox(&form);
        form.SetAboutBox(&aboutBox);
        form.show();
        QApplication::exec();
    });
    return 0;
}
