// The main window driven as a technician drives it: start-up from the state files,
// shapes, OK and Enter, faults, languages, closing and the About window.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QTest>
#include <functional>

#include "calc/catalogue.h"
#include "store/statefiles.h"
#include "ui/errorbox.h"
#include "ui/tchart.h"
#include "ui/tradiogroup.h"
#include "ui/unit2.h"
#include "window_support.h"

namespace uitest {
namespace {

using ui::TForm1;

std::string Path(const char* folder, const char* file) { return calc::NativePath(folder, file); }
QString QPath(const char* folder, const char* file) {
    return QString::fromStdString(Path(folder, file));
}

QStringList Points(const ui::TFastLineSeries& series) {
    QStringList points;
    for (int i = 0; i < series.Count(); ++i) {
        points << QStringLiteral("%1:%2=%3")
                      .arg(series.XValue(i))
                      .arg(series.Label(i))
                      .arg(series.YValue(i));
    }
    return points;
}

// Shape 1 with Length 2.5, Width 1.2 and Height 3: the percentages run 5, 10, ... 100.
QStringList Shape1Points() {
    QStringList points{QStringLiteral("0:0=0")};
    for (int i = 1; i <= 20; ++i) {
        points << QStringLiteral("%1:LP[%2]==%3").arg(i).arg(i, 2, 10, QChar(u'0')).arg(5 * i);
    }
    return points;
}

bool Maximised(const QWidget& window) { return window.windowState() & Qt::WindowMaximized; }

// ---------------------------------------------------------------- start-up

TEST_F(WindowTest, ValidStartShowsTheSavedShapeWithItsChartMaximised) {
    WriteSettings("0", "5");
    TForm1& w = Start();

    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(Maximised(w));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Kestrom Co.,Ltd."));
    EXPECT_EQ(w.RadioGroup1->Items().size(), 11);
    EXPECT_EQ(w.RadioGroup1->ItemIndex(), 4);
    EXPECT_TRUE(w.RadioGroup1->Button(4)->isChecked());
    EXPECT_EQ(calc::TankType, 5);
    EXPECT_FALSE(w.Image1->pixmap().isNull());

    EXPECT_EQ(Visible({w.Label1, w.Edit1, w.Label2, w.Edit2, w.Label3, w.Edit3, w.Label4, w.Edit4}),
              QStringList({"Label1", "Edit1", "Label2", "Edit2", "Label3", "Edit3"}));
    EXPECT_EQ(w.Label1->text(), "Diameter");
    EXPECT_EQ(w.Label2->text(), "Height1");
    EXPECT_EQ(w.Label3->text(), "Height2");
    EXPECT_EQ(QStringList({w.Edit1->text(), w.Edit2->text(), w.Edit3->text(), w.Edit4->text()}),
              QStringList({"3", "5", "1.5", "0"}));

    // The first computation ran before the window showed; the start-up title replaced its title.
    EXPECT_EQ(w.Label5->text(), "Volume=038.88");
    EXPECT_EQ(w.Chart1->TitleLines(), QStringList({"Kestrom", "Quarvion Set Points"}));
    ASSERT_EQ(w.Series1->Count(), 21);
    const QStringList legend = w.Chart1->LegendTexts();
    EXPECT_EQ(legend.front(), "0 000.00%");
    EXPECT_EQ(legend.at(1), "LP[01]= 000.09%");
    EXPECT_EQ(legend.back(), "LP[20]= 100.00%");
    EXPECT_EQ(w.Chart1->FootLines(),
              QStringList({"Diameter=3", "Height1=5", "Height2=1.5", "Volume=038.88 Unit"}));
    EXPECT_EQ(calc::Tanks[4].VolumeText, "Volume=038.88");
    EXPECT_EQ(calc::Tanks[2].VolumeText, "Volume=old3");  // other shapes as loaded
}

struct StartupFailure {
    const char* name;
    std::function<void()> spoil;
    QString error;
    QString caption;
    int items;
    int itemIndex;
    QString edit1;
    QStringList title;
    int points;
};

class StartupFailureTest : public WindowTest,
                           public ::testing::WithParamInterface<StartupFailure> {};

TEST_P(StartupFailureTest, ReportsTheErrorAndOpensAtDesignSize) {
    const StartupFailure& row = GetParam();
    WriteSettings("0", "5");
    row.spoil();
    TForm1& w = Start();

    ASSERT_EQ(boxes.shown.size(), 1u);
    ExpectErrorBox(boxes.shown.front(), row.error);
    EXPECT_FALSE(Maximised(w));
    EXPECT_EQ(w.windowTitle(), row.caption);
    EXPECT_EQ(w.RadioGroup1->Items().size(), row.items);
    EXPECT_EQ(w.RadioGroup1->ItemIndex(), row.itemIndex);
    EXPECT_EQ(w.Edit1->text(), row.edit1);
    EXPECT_EQ(w.Chart1->TitleLines(), row.title);
    EXPECT_EQ(w.Series1->Count(), row.points);
}

const QStringList kDesignTitle{"TChart"};
const QString kEnglishCaption = QStringLiteral("Kestrom Co.,Ltd.");

INSTANTIATE_TEST_SUITE_P(
    Rows, StartupFailureTest,
    ::testing::Values(
        StartupFailure{"TankDataMissing", [] { QFile::remove(QPath("INF", "TankData.txt")); },
                       "Cannot open file " + QPath("INF", "TankData.txt") + ".", "Form1", 0, -1,
                       "Edit1", kDesignTitle, 0},
        StartupFailure{"TankDataShort",
                       [] {
                           auto lines = DefaultTankLines();
                           lines.pop_back();
                           WriteLines(Path("INF", "TankData.txt"), lines);
                       },
                       "List index out of bounds (54)", "Form1", 0, -1, "Edit1", kDesignTitle, 0},
        StartupFailure{"SettingsMissing", [] { QFile::remove(QPath("INF", "INF.TXT")); },
                       "Cannot open file " + QPath("INF", "INF.TXT") + ".", "Form1", 0, -1, "Edit1",
                       kDesignTitle, 0},
        StartupFailure{"LanguageFlagWithTrailingSpace", [] { WriteSettings("1 ", "5"); },
                       "'1 ' is not a valid integer value.", "Form1", 0, -1, "Edit1", kDesignTitle,
                       0},
        StartupFailure{"ChineseShapeListMissing",
                       [] {
                           WriteSettings("1", "5");
                           QFile::remove(QPath("INF", "C_TANK.TXT"));
                       },
                       "Cannot open file " + QPath("INF", "C_TANK.TXT") + ".",
                       QStringLiteral("Kestrom科技股份有限公司"), 0, -1, "Edit1", kDesignTitle, 0},
        StartupFailure{"SettingsOfOneLine", [] { WriteLines(Path("INF", "INF.TXT"), {"0"}); },
                       "List index out of bounds (1)", kEnglishCaption, 11, -1, "Edit1",
                       kDesignTitle, 0},
        StartupFailure{"PictureOfSavedShapeMissing",
                       [] { QFile::remove(QString::fromStdString(calc::PicturePath(5))); },
                       QString::fromStdString("Cannot open file " + calc::PicturePath(5) + "."),
                       kEnglishCaption, 11, 4, "Edit1", kDesignTitle, 0},
        StartupFailure{"PictureOfSavedShapeNotABitmap",
                       [] { WriteLines(calc::PicturePath(5), {"no picture"}); },
                       "Bitmap image is not valid.", kEnglishCaption, 11, 4, "Edit1", kDesignTitle,
                       0},
        StartupFailure{"SavedTextNotANumber",
                       [] {
                           auto lines = DefaultTankLines();
                           lines[21] = "abc";  // shape 5, Height1
                           WriteLines(Path("INF", "TankData.txt"), lines);
                       },
                       "'abc' is not a valid floating point value.", kEnglishCaption, 11, 4, "3",
                       QStringList({"Kestrom", "Quarvion Set Points [Tank 5]"}), 1},
        StartupFailure{"NoSavedShape", [] { WriteSettings("0", "0"); },
                       QString::fromStdString("Cannot open file " + calc::PicturePath(0) + "."),
                       kEnglishCaption, 11, -1, "Edit1",
                       QStringList({"Kestrom", "Quarvion Set Points"}), 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, SavedShapeNumberBeyondTheListSelectsTheLastShape) {
    WriteSettings("0", "$1F");  // 31
    TForm1& w = Start();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(w.RadioGroup1->ItemIndex(), 10);
    EXPECT_EQ(calc::TankType, 11);
    EXPECT_EQ(w.Series1->Count(), 21);
}

// ---------------------------------------------------------------- shapes and inputs

TEST_F(WindowTest, SwitchingShapesShowsSavedTextsAndDropsTypedOnes) {
    TForm1& w = Start();     // shape 3
    w.Edit1->setText("99");  // typed, never computed

    ClickShape(8);
    EXPECT_EQ(calc::TankType, 8);
    EXPECT_EQ(Visible({w.Label1, w.Edit1, w.Label2, w.Edit2, w.Label3, w.Edit3, w.Label4, w.Edit4}),
              QStringList({"Label1", "Edit1"}));
    EXPECT_EQ(w.Label1->text(), "Diameter");
    // The hidden boxes carry shape 8's own saved texts and store them back unchanged.
    EXPECT_EQ(QStringList({w.Edit2->text(), w.Edit3->text(), w.Edit4->text()}),
              QStringList({"21", "22", "23"}));
    EXPECT_EQ(w.Chart1->TitleLines(), QStringList({"Kestrom", "Quarvion Set Points [Tank 8]"}));
    EXPECT_EQ(w.Label5->text(), "Volume=033.51");
    EXPECT_EQ(w.Chart1->FootLines(), QStringList({"Diameter=4", "Volume=033.51 Unit"}));
    EXPECT_EQ(calc::Tanks[7].Input2, "21");
    EXPECT_EQ(calc::Tanks[7].Input4, "23");
    EXPECT_EQ(calc::Tanks[7].VolumeText, "Volume=033.51");

    ClickShape(3);
    EXPECT_EQ(w.Edit1->text(), "4");  // the saved text, not the typed 99
    EXPECT_EQ(calc::Tanks[2].Input1, "4");
    EXPECT_EQ(w.Label4->text(), "Height2");
    EXPECT_FALSE(w.Label4->isHidden());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(WindowTest, ClickingTheSelectedShapeDoesNothing) {
    TForm1& w = Start();  // shape 3
    w.Edit1->setText("no number");
    ClickShape(3);
    EXPECT_TRUE(boxes.shown.empty());         // no computation ran
    EXPECT_EQ(w.Edit1->text(), "no number");  // no re-application either
    EXPECT_TRUE(w.RadioGroup1->Button(2)->isChecked());
}

TEST_F(WindowTest, ArrowKeysInTheSelectorSelectAndComputeTheNextShape) {
    TForm1& w = Start();  // shape 3
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.RadioGroup1->Button(2)->setFocus();
    QTest::keyClick(w.RadioGroup1->Button(2), Qt::Key_Down);
    EXPECT_EQ(w.RadioGroup1->ItemIndex(), 3);
    EXPECT_EQ(calc::TankType, 4);
    EXPECT_EQ(w.Chart1->TitleLines(), QStringList({"Kestrom", "Quarvion Set Points [Tank 4]"}));
    EXPECT_EQ(w.Series1->Count(), 21);
}

TEST_F(WindowTest, OkComputesTheTypedDimensionsAndStoresThem) {
    WriteSettings("0", "2");
    TForm1& w = Start();
    ClickShape(1);
    w.Edit1->setText("2.5");
    w.Edit2->setText("1.2");
    w.Edit3->setText(" 3 ");
    calc::Tanks[0] = {};  // whatever was stored, OK stores the boxes anew

    w.BitBtn1->click();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(w.Chart1->TitleLines(), QStringList({"Kestrom", "Quarvion Set Points [Tank 1]"}));
    EXPECT_EQ(Points(*w.Series1), Shape1Points());
    EXPECT_EQ(w.Label5->text(), "Volume=9.00");
    EXPECT_EQ(w.Chart1->FootLines(),
              QStringList({"Length=2.5", "Width=1.2", "Height= 3 ", "Volume=9.00 Unit"}));
    const calc::Tank& saved = calc::Tanks[0];
    EXPECT_EQ(std::vector<std::string>(
                  {saved.Input1, saved.Input2, saved.Input3, saved.Input4, saved.VolumeText}),
              std::vector<std::string>({"2.5", "1.2", " 3 ", "7", "Volume=9.00"}));
}

TEST_F(WindowTest, EnterInAnyEditBoxComputes) {
    WriteSettings("0", "1");
    TForm1& w = Start();
    const struct {
        QLineEdit* edit;
        const char* volume;
    } rows[] = {{w.Edit1, "Volume=60.00"}, {w.Edit2, "Volume=40.00"}, {w.Edit3, "Volume=30.00"}};
    for (const auto& row : rows) {
        w.Edit1->setText("2");
        w.Edit2->setText("3");
        w.Edit3->setText("4");
        row.edit->setText("5");
        QTest::keyClick(row.edit, Qt::Key_Return);
        EXPECT_EQ(w.Label5->text(), row.volume) << row.edit->objectName().toStdString();
    }
    EXPECT_TRUE(boxes.shown.empty());
}

// ---------------------------------------------------------------- faults

struct InvalidSettingRow {
    const char* flag;
    QString text;
    QString caption;
    QString shapeName;
};

class InvalidSettingTest : public WindowTest,
                           public ::testing::WithParamInterface<InvalidSettingRow> {};

TEST_P(InvalidSettingTest, FaultShowsTheBoxThenRecomputesTheSavedTexts) {
    WriteSettings(GetParam().flag, "1");
    TForm1& w = Start();
    w.Edit1->setText("8");
    w.Edit3->setText("0");  // Height 0: step 1 divides 0 by 0
    w.BitBtn1->click();

    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, GetParam().text);
    EXPECT_EQ(boxes.shown[0].caption, GetParam().caption);
    EXPECT_EQ(boxes.shown[0].icon, QMessageBox::Critical);
    EXPECT_EQ(boxes.shown[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    EXPECT_EQ(QStringList({w.Edit1->text(), w.Edit2->text(), w.Edit3->text(), w.Edit4->text()}),
              QStringList({"2.5", "1.2", "3", "7"}));
    EXPECT_EQ(w.Chart1->TitleLines(),
              QStringList({"Kestrom", "Quarvion Set Points [" + GetParam().shapeName + "]"}));
    EXPECT_EQ(Points(*w.Series1), Shape1Points());
    EXPECT_EQ(w.Label5->text(), "Volume=9.00");
    EXPECT_EQ(w.Chart1->FootLines(),
              QStringList({"Length=2.5", "Width=1.2", "Height=3", "Volume=9.00 Unit"}));
    EXPECT_EQ(calc::Tanks[0].Input1, "2.5");
    EXPECT_EQ(calc::Tanks[0].Input3, "3");
}

INSTANTIATE_TEST_SUITE_P(
    Languages, InvalidSettingTest,
    ::testing::Values(InvalidSettingRow{"0", "Invalid Setting", "Error Message", "Tank 1"},
                      InvalidSettingRow{"1", "請輸入有效數據!!", "錯誤訊息", "槽1"}));

TEST_F(WindowTest, SavedTextsThatFaultToStopAfterOneReapplication) {
    auto lines = DefaultTankLines();
    lines[2] = "0";  // shape 1 saved with Height 0
    WriteLines(Path("INF", "TankData.txt"), lines);
    TForm1& w = Start();  // shape 3

    ClickShape(1);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Invalid Setting");
    EXPECT_EQ(Points(*w.Series1), QStringList({"0:0=0"}));
    EXPECT_EQ(w.Edit3->text(), "0");
    EXPECT_EQ(w.Label5->text(), "Volume=old1");
    EXPECT_EQ(w.Chart1->FootLines(),
              QStringList({"Length=2.5", "Width=1.2", "Height=0", "Volume=old1 Unit"}));

    // The window goes on working: the next computation with a good height succeeds.
    w.Edit3->setText("3");
    w.BitBtn1->click();
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(w.Series1->Count(), 21);
}

struct ConversionErrorRow {
    int box;  // 1 to 4; box 4 is hidden for shape 1
    QString text;
    QString error;
};

class ConversionErrorTest : public WindowTest,
                            public ::testing::WithParamInterface<ConversionErrorRow> {};

TEST_P(ConversionErrorTest, LeavesTheFirstPointOnlyAndTheFootAndVolumeAsTheyWere) {
    WriteSettings("0", "1");
    TForm1& w = Start();
    w.BitBtn1->click();
    const QStringList foot = w.Chart1->FootLines();
    const calc::Tank saved = calc::Tanks[0];

    QLineEdit* edits[] = {w.Edit1, w.Edit2, w.Edit3, w.Edit4};
    edits[GetParam().box - 1]->setText(GetParam().text);
    w.BitBtn1->click();

    ASSERT_EQ(boxes.shown.size(), 1u);
    ExpectErrorBox(boxes.shown[0], GetParam().error);
    EXPECT_EQ(w.Chart1->TitleLines(), QStringList({"Kestrom", "Quarvion Set Points [Tank 1]"}));
    EXPECT_EQ(Points(*w.Series1), QStringList({"0:0=0"}));
    EXPECT_EQ(w.Chart1->FootLines(), foot);
    EXPECT_EQ(w.Label5->text(), "Volume=9.00");
    EXPECT_EQ(calc::Tanks[0].Input1, saved.Input1);
    EXPECT_EQ(calc::Tanks[0].Input4, saved.Input4);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ConversionErrorTest,
    ::testing::Values(ConversionErrorRow{2, "1,5", "'1,5' is not a valid floating point value."},
                      ConversionErrorRow{1, "3 m", "'3 m' is not a valid floating point value."},
                      ConversionErrorRow{4, "", "'' is not a valid floating point value."},
                      ConversionErrorRow{1, "1e39", "Floating point overflow."}));

struct ErrorTextRow {
    QString text;
    QString shown;
};

class ErrorBoxTextTest : public ::testing::TestWithParam<ErrorTextRow> {};

TEST_P(ErrorBoxTextTest, AddsAFullStopOnlyAfterACharacterAboveIt) {
    ScriptedBoxes boxes;
    ui::ShowErrorBox(boxes, GetParam().text);
    ASSERT_EQ(boxes.shown.size(), 1u);
    ExpectErrorBox(boxes.shown[0], GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Texts, ErrorBoxTextTest,
                         ::testing::Values(ErrorTextRow{"Cannot open file INF/TankData.txt",
                                                        "Cannot open file INF/TankData.txt."},
                                           ErrorTextRow{"List index out of bounds (54)",
                                                        "List index out of bounds (54)"},
                                           ErrorTextRow{"Stop!", "Stop!"},
                                           ErrorTextRow{"Done.", "Done."}, ErrorTextRow{"a-", "a-"},
                                           ErrorTextRow{"a/", "a/."}, ErrorTextRow{"0", "0."},
                                           ErrorTextRow{"", ""}, ErrorTextRow{"錯誤", "錯誤."}));

// ---------------------------------------------------------------- languages

TEST_F(WindowTest, LanguageSwitchRewritesLineZeroAndRecomputesNothing) {
    WriteLines(Path("INF", "INF.TXT"), {"0", "3", "free text"});
    TForm1& w = Start();
    w.BitBtn1->click();
    w.Edit1->setText("55");  // typed, not computed
    const QStringList title = w.Chart1->TitleLines();
    const QStringList points = Points(*w.Series1);
    const QStringList foot = w.Chart1->FootLines();

    w.Sel_Lg1->trigger();
    EXPECT_EQ(ReadBytes(Path("INF", "INF.TXT")), CrLf({"1", "3", "free text"}));
    EXPECT_TRUE(store::ChineseMode);
    EXPECT_EQ(QStringList({w.File1->title(), w.Print1->text(), w.Exit1->text(), w.Set1->title(),
                           w.Language1->title(), w.Sel_Lg1->text(), w.Help1->title(),
                           w.About1->text(), w.RadioGroup1->title(), w.windowTitle()}),
              QStringList({"檔案 &F", "列印 &P", "離開 &X", "設定 &S", "語言 &L", "English",
                           "說明 &H", "關於", "桶槽選擇", "Kestrom科技股份有限公司"}));
    EXPECT_EQ(w.RadioGroup1->Items().front(), "槽1");
    EXPECT_EQ(w.RadioGroup1->ItemIndex(), 2);
    EXPECT_TRUE(w.RadioGroup1->Button(2)->isChecked());
    EXPECT_EQ(w.Edit1->text(), "55");
    EXPECT_EQ(w.Label1->text(), "Length");
    EXPECT_EQ(w.Chart1->TitleLines(), title);
    EXPECT_EQ(Points(*w.Series1), points);
    EXPECT_EQ(w.Chart1->FootLines(), foot);

    w.Sel_Lg1->trigger();
    EXPECT_EQ(ReadBytes(Path("INF", "INF.TXT")), CrLf({"0", "3", "free text"}));
    EXPECT_EQ(QStringList({w.File1->title(), w.Print1->text(), w.Exit1->text(), w.Set1->title(),
                           w.Language1->title(), w.Sel_Lg1->text(), w.Help1->title(),
                           w.About1->text(), w.RadioGroup1->title(), w.windowTitle()}),
              QStringList({"&File", "&Print", "E&xit", "&Set", "&Language", "繁體中文", "&Help",
                           "&About", "Tank Select", "Kestrom Co.,Ltd."}));
    EXPECT_EQ(w.RadioGroup1->Items().front(), "Tank 1");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(WindowTest, LanguageSwitchToAShorterListMovesTheSelectionToTheLastName) {
    auto names = ChineseNames();
    names.pop_back();
    WriteLines(Path("INF", "C_TANK.TXT"), names);
    WriteSettings("0", "11");
    TForm1& w = Start();
    const QStringList foot = w.Chart1->FootLines();

    w.Sel_Lg1->trigger();
    EXPECT_EQ(w.RadioGroup1->Items().size(), 10);
    EXPECT_EQ(w.RadioGroup1->ItemIndex(), 9);
    EXPECT_TRUE(w.RadioGroup1->Button(9)->isChecked());
    EXPECT_EQ(calc::TankType, 11);  // nothing re-applied
    EXPECT_EQ(w.Chart1->TitleLines(), QStringList({"Kestrom", "Quarvion Set Points"}));
    EXPECT_EQ(w.Chart1->FootLines(), foot);
    EXPECT_TRUE(boxes.shown.empty());
}

// ---------------------------------------------------------------- closing

TEST_F(WindowTest, ClosingAnsweredNoKeepsTheWindowAndTheFiles) {
    TForm1& w = Start();
    const std::string tankData = ReadBytes(Path("INF", "TankData.txt"));
    const std::string settings = ReadBytes(Path("INF", "INF.TXT"));
    boxes.Answer(QMessageBox::No);

    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Are You Sure To Exit?");
    EXPECT_EQ(boxes.shown[0].caption, "Warning Message");
    EXPECT_EQ(boxes.shown[0].icon, QMessageBox::Question);
    EXPECT_EQ(boxes.shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(ReadBytes(Path("INF", "TankData.txt")), tankData);
    EXPECT_EQ(ReadBytes(Path("INF", "INF.TXT")), settings);
}

TEST_F(WindowTest, ExitInChineseAnsweredYesSavesInputsAndShape) {
    WriteLines(Path("INF", "INF.TXT"), {"1", "1", "free text"});
    TForm1& w = Start();
    w.Edit1->setText("5");
    w.Edit2->setText("1");
    w.Edit3->setText("2");
    w.BitBtn1->click();
    ClickShape(8);
    boxes.Answer(QMessageBox::Yes);

    w.Exit1->trigger();
    EXPECT_FALSE(w.isVisible());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "確定要離開本系統嗎?");
    EXPECT_EQ(boxes.shown[0].caption, "警告訊息");

    auto expected = DefaultTankLines();
    expected[0] = "5";
    expected[1] = "1";
    expected[2] = "2";
    expected[4] = "Volume=10.00";
    expected[39] = "Volume=033.51";
    EXPECT_EQ(ReadBytes(Path("INF", "TankData.txt")), CrLf(expected));
    EXPECT_EQ(ReadBytes(Path("INF", "INF.TXT")), CrLf({"1", "8", "free text"}));
}

TEST_F(WindowTest, ClosingWithTheSettingsFileMissingSavesInputsAndStaysOpen) {
    TForm1& w = Start();
    QFile::remove(QPath("INF", "TankData.txt"));
    QFile::remove(QPath("INF", "INF.TXT"));
    for (int attempt = 0; attempt < 2; ++attempt) {
        boxes.shown.clear();
        boxes.Answer(QMessageBox::Yes);
        EXPECT_FALSE(w.close());
        EXPECT_TRUE(w.isVisible());
        ASSERT_EQ(boxes.shown.size(), 2u);
        ExpectErrorBox(boxes.shown[1], "Cannot open file " + QPath("INF", "INF.TXT") + ".");
        EXPECT_EQ(ReadBytes(Path("INF", "TankData.txt")).substr(0, 13), "2.5\r\n1.2\r\n3\r\n");
        QFile::remove(QPath("INF", "TankData.txt"));
    }
}

// ---------------------------------------------------------------- About

TEST_F(WindowTest, AboutIsShownHiddenAndShownAgain) {
    TForm1& w = Start();
    ui::TAboutBox about(&w);
    w.SetAboutBox(&about);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_EQ(about.ProductName->text(), "Ostrelix");
    EXPECT_EQ(about.Version->text(), "Version:2.0.0.0");

    w.About1->trigger();
    EXPECT_TRUE(about.isVisible());
    EXPECT_TRUE(w.isVisible());  // the main window stays usable
    about.OKButton->click();
    EXPECT_FALSE(about.isVisible());
    w.About1->trigger();
    EXPECT_TRUE(about.isVisible());
    about.close();  // the title bar's close button
    EXPECT_FALSE(about.isVisible());
    w.About1->trigger();
    EXPECT_TRUE(about.isVisible());
    EXPECT_EQ(about.Version->text(), "Version:2.0.0.0");
}

}  // namespace
}  // namespace uitest
