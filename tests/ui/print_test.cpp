// Printing the result chart: the page as it comes out of the chart printer (written
// into a PDF file and read back), File > Print in both languages, and the failures.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest/QTest>
#include <stdexcept>

#include "calc/error.h"
#include "print_support.h"
#include "ui/chartprinter.h"
#include "ui/tchart.h"
#include "window_support.h"

namespace uitest {
namespace {

#define SKIP_WITHOUT_PDF_TOOLS()                                                                 \
    do {                                                                                         \
        if (const QStringList missing = MissingPdfTools(); !missing.isEmpty()) {                 \
            GTEST_SKIP() << "the page cannot be read back: " << missing.join(u' ').toStdString() \
                         << " not installed (package poppler-utils)";                            \
        }                                                                                        \
    } while (false)

// A chart as the window shows it after a computation, at a size whose proportions
// differ clearly from the page area's, so that a page that kept them would show it.
class FilledChart {
  public:
    FilledChart() : chart(".") {
        chart.ClearTitle();
        chart.AddTitleLine(QStringLiteral("Kestrom"));
        chart.AddTitleLine(QStringLiteral("Quarvion Set Points [Tank 5]"));
        ui::TFastLineSeries& series = *chart.Series1();
        series.Clear();
        series.Add(0, QStringLiteral("0"));
        for (int i = 1; i <= 20; ++i) {
            series.Add(5.0 * i, QStringLiteral("LP[%1]=").arg(i, 2, 10, QChar(u'0')));
        }
        chart.AddFootLine(QStringLiteral("Diameter=3"));
        chart.AddFootLine(QStringLiteral("Height1=5"));
        chart.AddFootLine(QStringLiteral("Volume=038.88 Unit"));
        chart.resize(1200, 520);
        chart.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&chart));
    }
    ui::TChart chart;
};

QStringList FilledChartTexts() {
    QStringList texts{QStringLiteral("Kestrom"), QStringLiteral("Quarvion Set Points [Tank 5]"),
                      QStringLiteral("0 000.00%")};
    for (int i = 1; i <= 20; ++i) {
        texts << QStringLiteral("LP[%1]= %2.00%")
                     .arg(i, 2, 10, QChar(u'0'))
                     .arg(5 * i, 3, 10, QChar(u'0'));
    }
    texts << QStringLiteral("Diameter=3") << QStringLiteral("Height1=5")
          << QStringLiteral("Volume=038.88 Unit");
    return texts;
}

class ChartPage : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString Pdf() const { return dir.filePath(QStringLiteral("chart.pdf")); }
    QTemporaryDir dir;
};

TEST_F(ChartPage, OneLandscapePageWithTheWholeChartInsideTheMargins) {
    SKIP_WITHOUT_PDF_TOOLS();
    FilledChart filled;
    ui::QtChartPrinter(Pdf()).Print(filled.chart);
    ExpectChartPage(Pdf(), FilledChartTexts());

    const ToolRun info = RunTool(QStringLiteral("pdfinfo"), {Pdf()});
    EXPECT_TRUE(QString::fromUtf8(info.out).contains(QRegularExpression(
        QStringLiteral("^Title:\\s+Chart1$"), QRegularExpression::MultilineOption)))
        << "the job is not named Chart1: " << info.out.toStdString();
}

TEST_F(ChartPage, AJobThatCannotStartLeavesNothing) {
    FilledChart filled;
    const QString pdf = dir.filePath(QStringLiteral("no such folder/chart.pdf"));
    try {
        ui::QtChartPrinter(pdf).Print(filled.chart);
        FAIL() << "printing into a missing folder succeeded";
    } catch (const calc::Error& error) {
        EXPECT_EQ(error.text(), "Printing could not be started");
    }
    EXPECT_FALSE(QFile::exists(pdf));
}

// Fails after the page has been drawn, with the job still open.
class JammingPrinter : public ui::QtChartPrinter {
  public:
    using QtChartPrinter::QtChartPrinter;

  protected:
    void DrawPage(QPainter& painter, const QRect& page, ui::TChart& chart) override {
        QtChartPrinter::DrawPage(painter, page, chart);
        throw std::runtime_error("Paper jam");
    }
};

TEST_F(ChartPage, AFailureWhilePrintingAbortsTheJobAndIsReported) {
    FilledChart filled;
    try {
        JammingPrinter(Pdf()).Print(filled.chart);
        FAIL() << "a failed job was reported as printed";
    } catch (const calc::Error& error) {
        EXPECT_EQ(error.text(), "Paper jam");
    }
    EXPECT_FALSE(QFile::exists(Pdf())) << "the aborted job left a page behind";
}

// ---------------------------------------------------------------- File > Print

// The window's own chart printed through File > Print into a PDF file.
class PrintMenu : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        pdf = QDir::current().absoluteFilePath(QStringLiteral("chart.pdf"));
    }
    void TearDown() override {
        form.reset();  // before the printer it uses
        WindowTest::TearDown();
    }
    ui::TForm1& StartPrintingToFile() {
        pdfPrinter = std::make_unique<ui::QtChartPrinter>(pdf);
        form = std::make_unique<ui::TForm1>(boxes, *pdfPrinter);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return *form;
    }
    // What the window's chart shows: title, legend entries and foot.
    QStringList ShownTexts() const {
        return form->Chart1->TitleLines() + form->Chart1->ShownLegendTexts() +
               form->Chart1->FootLines();
    }

    QString pdf;
    std::unique_ptr<ui::QtChartPrinter> pdfPrinter;
};

struct MenuRow {
    const char* flag;
    QMessageBox::StandardButton answer;
    QString question;
    QString caption;
    QString shapeName;  // as the selector lists shape 3 in that language
};

class PrintMenuAnswers : public PrintMenu, public ::testing::WithParamInterface<MenuRow> {};

TEST_P(PrintMenuAnswers, AsksInTheInterfaceLanguageAndPrintsOnlyOnYes) {
    const MenuRow& row = GetParam();
    if (row.answer == QMessageBox::Yes) SKIP_WITHOUT_PDF_TOOLS();
    WriteSettings(row.flag, "3");
    ui::TForm1& w = StartPrintingToFile();
    w.BitBtn1->click();  // the title names the shape
    ASSERT_TRUE(boxes.shown.empty());

    boxes.Answer(row.answer);
    w.Print1->trigger();
    ASSERT_EQ(boxes.shown.size(), 1u) << "a box beyond the question: " << LastBoxText(boxes.shown);
    const ui::MessageBox& box = boxes.shown[0];
    EXPECT_EQ(box.text, row.question);
    EXPECT_EQ(box.caption, row.caption);
    EXPECT_EQ(box.icon, QMessageBox::Question);
    EXPECT_EQ(box.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.defaultButton, QMessageBox::Yes);

    if (row.answer == QMessageBox::Yes) {
        const QStringList shown = ShownTexts();
        ASSERT_TRUE(shown.contains(QStringLiteral("Quarvion Set Points [") + row.shapeName + u']'));
        ASSERT_TRUE(shown.contains(QStringLiteral("0 000.00%")));
        ExpectChartPage(pdf, shown);
    } else {
        EXPECT_FALSE(QFile::exists(pdf)) << "No printed the chart";
    }
}

INSTANTIATE_TEST_SUITE_P(
    LanguagesAndAnswers, PrintMenuAnswers,
    ::testing::Values(
        MenuRow{"0", QMessageBox::Yes, "Are Sure To Pring?", "Warning Message", "Tank 3"},
        MenuRow{"0", QMessageBox::No, "Are Sure To Pring?", "Warning Message", "Tank 3"},
        MenuRow{"1", QMessageBox::Yes, "確定要列印嗎?", "警告訊息", "槽3"},
        MenuRow{"1", QMessageBox::No, "確定要列印嗎?", "警告訊息", "槽3"}),
    [](const ::testing::TestParamInfo<MenuRow>& info) {
        return std::string(info.param.flag[0] == '1' ? "Chinese" : "English") +
               (info.param.answer == QMessageBox::Yes ? "Yes" : "No");
    });

// Run with the print spooler out of reach (the test's environment points the printing
// system at a socket that does not exist), so the system has no default printer.
class PrintWithoutPrinter : public WindowTest {
  protected:
    void TearDown() override {
        form.reset();  // before the printer it uses
        WindowTest::TearDown();
    }
    ui::QtChartPrinter defaultPrinter;
};

TEST_F(PrintWithoutPrinter, YesShowsThePrinterErrorAndPrintsNothing) {
    if (!QPrinterInfo::defaultPrinter().isNull()) {
        GTEST_SKIP() << "a default printer is reachable ("
                     << QPrinterInfo::defaultPrinter().printerName().toStdString()
                     << "); this test needs a system without one";
    }
    form = std::make_unique<ui::TForm1>(boxes, defaultPrinter);
    form->show();
    boxes.Answer(QMessageBox::Yes);
    form->Print1->trigger();
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, "Are Sure To Pring?");
    ExpectErrorBox(boxes.shown[1], "There is no default printer currently selected.");
    EXPECT_TRUE(form->isVisible());
}

}  // namespace
}  // namespace uitest
