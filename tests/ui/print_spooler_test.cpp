// File > Print through a real print spooler: the window prints on the system's default
// printer exactly as the program does, and the page is read back from the PDF that a
// cups-pdf queue makes of the job. Without a reachable spooler whose default printer is
// such a queue the test is skipped and says why; it never prints on paper.
#include <pwd.h>
#include <unistd.h>

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSet>
#include <QtTest/QTest>

#include "print_support.h"
#include "ui/chartprinter.h"
#include "ui/tchart.h"
#include "window_support.h"

namespace uitest {
namespace {

QString Lpstat(const QStringList& arguments) {
    return QString::fromUtf8(RunTool(QStringLiteral("lpstat"), arguments).out).trimmed();
}

// "cups-pdf:/ostrelix" from "device for NAME: cups-pdf:/ostrelix".
QString DeviceUri(const QString& printer) {
    const QString line = Lpstat({QStringLiteral("-v"), printer});
    const qsizetype colon = line.indexOf(QStringLiteral(": "));
    return colon < 0 ? QString() : line.mid(colon + 2).trimmed();
}

// Where cups-pdf puts this user's jobs for a queue: "Out" of the queue's configuration
// (cups-pdf:/NAME reads cups-pdf-NAME.conf, cups-pdf:/ the common cups-pdf.conf), with
// ${HOME} and ${USER} of the user who prints.
QString CupsPdfFolder(const QString& uri) {
    const QString instance = uri.mid(QStringLiteral("cups-pdf:/").size());
    const QString conf = instance.isEmpty()
                             ? QStringLiteral("/etc/cups/cups-pdf.conf")
                             : QStringLiteral("/etc/cups/cups-pdf-%1.conf").arg(instance);
    QString out = QStringLiteral("/var/spool/cups-pdf/${USER}");
    QFile file(conf);
    if (file.open(QIODevice::ReadOnly)) {
        for (const QByteArray& raw : file.readAll().split('\n')) {
            const QString line = QString::fromUtf8(raw).trimmed();
            if (line.startsWith(QStringLiteral("Out ")) ||
                line.startsWith(QStringLiteral("Out\t"))) {
                out = line.mid(3).trimmed();
            }
        }
    }
    const passwd* user = getpwuid(getuid());
    if (user != nullptr) {
        out.replace(QStringLiteral("${HOME}"), QString::fromLocal8Bit(user->pw_dir));
        out.replace(QStringLiteral("${USER}"), QString::fromLocal8Bit(user->pw_name));
    }
    return out;
}

QSet<QString> JobFiles(const QString& folder) {
    const QStringList names = QDir(folder).entryList({QStringLiteral("Chart1*.pdf")}, QDir::Files);
    return {names.begin(), names.end()};
}

class PrintSpooler : public WindowTest {
  protected:
    void TearDown() override {
        form.reset();  // before the printer it uses
        WindowTest::TearDown();
    }
    ui::QtChartPrinter defaultPrinter;  // the program's own: the system's default printer
};

TEST_F(PrintSpooler, YesPrintsTheChartOnTheDefaultPrinter) {
    if (const QStringList missing = MissingPdfTools(); !missing.isEmpty()) {
        GTEST_SKIP() << "the printed page cannot be read back: " << missing.join(u' ').toStdString()
                     << " not installed (package poppler-utils)";
    }
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull()) {
        GTEST_SKIP() << "no print spooler with a default printer can be reached (the test "
                        "command starts CUPS with a cups-pdf queue as the default printer when "
                        "it runs as root or with sudo)";
    }
    const QString name = printer.printerName();
    const QString uri = DeviceUri(name);
    if (!uri.startsWith(QStringLiteral("cups-pdf:/"))) {
        GTEST_SKIP() << "the default printer " << name.toStdString() << " is not a cups-pdf queue ("
                     << uri.toStdString() << "); the test does not print on it";
    }
    const QString folder = CupsPdfFolder(uri);
    const QSet<QString> before = JobFiles(folder);
    const QString optionsBefore = QString::fromUtf8(
        RunTool(QStringLiteral("lpoptions"), {QStringLiteral("-p"), name, QStringLiteral("-l")})
            .out);

    WriteSettings("0", "5");
    form = std::make_unique<ui::TForm1>(boxes, defaultPrinter);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->BitBtn1->click();
    const QStringList shown =
        form->Chart1->TitleLines() + form->Chart1->ShownLegendTexts() + form->Chart1->FootLines();
    ASSERT_EQ(form->Chart1->ShownLegendTexts().size(), 21);
    ASSERT_TRUE(form->Chart1->FootLines().last().startsWith(QStringLiteral("Volume=")));

    boxes.Answer(QMessageBox::Yes);
    form->Print1->trigger();
    ASSERT_EQ(boxes.shown.size(), 1u) << "printing failed: " << LastBoxText(boxes.shown);

    // The queue turns the job into a PDF named after the job, "Chart1", and its number.
    QString page;
    QElapsedTimer waited;
    waited.start();
    qint64 idleSince = -1;
    while (page.isEmpty() && waited.elapsed() < 90000) {
        const bool pending = !Lpstat({QStringLiteral("-o"), name}).isEmpty();
        for (const QString& file : JobFiles(folder)) {
            const QString path = QDir(folder).filePath(file);
            if (!before.contains(file) && !pending && PdfPageCount(path) > 0) page = path;
        }
        if (pending) {
            idleSince = -1;
        } else if (idleSince < 0) {
            idleSince = waited.elapsed();
        }
        // A queue that has nothing left to do and wrote nothing has failed the job.
        if (page.isEmpty() && idleSince >= 0 && waited.elapsed() - idleSince > 15000) break;
        QTest::qWait(250);
    }
    ASSERT_FALSE(page.isEmpty())
        << "no printed page appeared in " << folder.toStdString() << " after "
        << waited.elapsed() / 1000 << " s; printer: "
        << Lpstat({QStringLiteral("-l"), QStringLiteral("-p"), name}).toStdString() << "; jobs: "
        << Lpstat({QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o"), name})
               .toStdString();

    ExpectChartPage(page, shown);

    // The job's landscape and name were the job's own: the printer's settings are as before.
    EXPECT_EQ(QString::fromUtf8(RunTool(QStringLiteral("lpoptions"),
                                        {QStringLiteral("-p"), name, QStringLiteral("-l")})
                                    .out),
              optionsBefore);
    EXPECT_EQ(QPrinterInfo::defaultPrinter().printerName(), name);
    QFile::remove(page);
}

}  // namespace
}  // namespace uitest
