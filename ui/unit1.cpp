#include "ui/unit1.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <array>
#include <limits>
#include <optional>

#include "calc/catalogue.h"
#include "calc/error.h"
#include "calc/setpoints.h"
#include "ui/chartprinter.h"
#include "ui/errorbox.h"
#include "ui/fonts.h"
#include "ui/messageboxes.h"
#include "ui/tchart.h"
#include "ui/tradiogroup.h"
#include "ui/unit2.h"

namespace ui {

namespace {

// The window's design: outer size, place, and the input panel's geometry.
constexpr QSize kDesignSize(861, 563);
constexpr QPoint kDesignPlace(604, 139);
constexpr int kPanelWidth = 249;
constexpr int kRadioGroupHeight = 192;
constexpr int kDesignImageHeight = 113;

const QColor kNavy(0, 0, 128);

// The texts of one interface language.
struct LanguageTexts {
    const char* file;
    const char* print;
    const char* exit;
    const char* set;
    const char* language;
    const char* selectLanguage;  // always names the other language
    const char* help;
    const char* about;
    const char* tankSelect;
    const char* caption;
    const char* shapeList;
    const char* exitQuestion;
    const char* printQuestion;
    const char* warningCaption;
    const char* invalidSetting;
    const char* errorCaption;
};

constexpr LanguageTexts kEnglish{"&File",
                                 "&Print",
                                 "E&xit",
                                 "&Set",
                                 "&Language",
                                 "繁體中文",
                                 "&Help",
                                 "&About",
                                 "Tank Select",
                                 "Kestrom Co.,Ltd.",
                                 "E_TANK.TXT",
                                 "Are You Sure To Exit?",
                                 "Are Sure To Pring?",
                                 "Warning Message",
                                 "Invalid Setting",
                                 "Error Message"};

constexpr LanguageTexts kChinese{"檔案 &F",          "列印 &P",
                                 "離開 &X",          "設定 &S",
                                 "語言 &L",          "English",
                                 "說明 &H",          "關於",
                                 "桶槽選擇",         "Kestrom科技股份有限公司",
                                 "C_TANK.TXT",       "確定要離開本系統嗎?",
                                 "確定要列印嗎?",    "警告訊息",
                                 "請輸入有效數據!!", "錯誤訊息"};

const LanguageTexts& Texts() { return store::ChineseMode ? kChinese : kEnglish; }

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }
QString Q(const std::string& bytes) { return QString::fromStdString(bytes); }
std::string Bytes(const QString& text) { return text.toStdString(); }

// A label sizes itself to its caption.
void SetCaption(QLabel* label, const QString& text) {
    label->setText(text);
    label->adjustSize();
}

// A shape picture: a Windows bitmap, drawn transparent (the colour of its bottom-left
// pixel shows the panel through).
QPixmap LoadPicture(const std::string& path) {
    QFile file(Q(path));
    if (!file.open(QIODevice::ReadOnly)) throw calc::Error("Cannot open file " + path);
    QImageReader reader(&file, "bmp");
    QImage image = reader.read();
    if (image.isNull()) throw calc::Error("Bitmap image is not valid");
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == transparent) line[x] = 0;
        }
    }
    return QPixmap::fromImage(image);
}

}  // namespace

TForm1::TForm1(MessageBoxes& boxes, ChartPrinter& printer, QWidget* parent)
    : QMainWindow(parent),
      boxes_(boxes),
      printer_(printer),
      decimalSeparator_(Bytes(QLocale::system().decimalPoint())) {
    BuildDesign();
    RunGuarded(boxes_, [this] { FormCreate(); });
}

TForm1::~TForm1() = default;

void TForm1::BuildDesign() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    setFont(DesignFont(QStringLiteral("MS Sans Serif"), 11));
    resize(kDesignSize);
    // The design place, kept on the screen when the screen is smaller.
    QPoint place = kDesignPlace;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        place.setX(std::max(available.left(),
                            std::min(place.x(), available.right() + 1 - kDesignSize.width())));
        place.setY(std::max(available.top(),
                            std::min(place.y(), available.bottom() + 1 - kDesignSize.height())));
    }
    move(place);

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(central);

    auto* panel = new QFrame(central);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->setFixedWidth(kPanelWidth);
    Panel1 = panel;
    layout->addWidget(Panel1);

    RadioGroup1 = new TRadioGroup(Panel1);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setTitle(QStringLiteral("Tank Select"));
    RadioGroup1->setGeometry(1, 1, kPanelWidth - 2, kRadioGroupHeight);

    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setGeometry(1, 1 + kRadioGroupHeight, kPanelWidth - 2, kDesignImageHeight);

    const QFont labelFont = DesignFont(QStringLiteral("MS Sans Serif"), 19);
    auto makeLabel = [&](const char* name, const char* caption, int top) {
        auto* label = new QLabel(Panel1);
        label->setObjectName(Q(name));
        label->setFont(labelFont);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, kNavy);
        label->setPalette(palette);
        label->move(8, top);
        SetCaption(label, Q(caption));
        return label;
    };
    Label1 = makeLabel("Label1", "Length", 352);
    Label2 = makeLabel("Label2", "Width", 384);
    Label3 = makeLabel("Label3", "Height1", 416);
    Label4 = makeLabel("Label4", "Heigh2", 448);
    Label5 = makeLabel("Label5", "V:", 480);

    auto makeEdit = [&](const char* name, int top) {
        auto* edit = new QLineEdit(Panel1);
        edit->setObjectName(Q(name));
        edit->setGeometry(96, top, 57, 21);
        edit->setMaxLength(std::numeric_limits<int>::max());  // texts are kept whole
        edit->setText(QStringLiteral("Edit1"));
        return edit;
    };
    Edit1 = makeEdit("Edit1", 352);
    Edit2 = makeEdit("Edit2", 384);
    Edit3 = makeEdit("Edit3", 416);
    Edit4 = makeEdit("Edit4", 448);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QStringLiteral("OK"), Panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(160, 448, 75, 25);
    BitBtn1->setDefault(true);

    setTabOrder(RadioGroup1, Edit1);
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, Edit4);
    setTabOrder(Edit4, BitBtn1);

    Chart1 = new TChart(decimalSeparator_, central);
    Series1 = Chart1->Series1();
    layout->addWidget(Chart1, 1);

    auto* menu = menuBar();
    menu->setObjectName(QStringLiteral("MainMenu1"));
    auto makeMenu = [](QWidget* parent, const char* name, const char* caption) {
        auto* item = new QMenu(Q(caption), parent);
        item->setObjectName(Q(name));
        return item;
    };
    auto makeAction = [](QMenu* parent, const char* name, const char* caption) {
        auto* item = parent->addAction(Q(caption));
        item->setObjectName(Q(name));
        return item;
    };
    File1 = makeMenu(menu, "File1", "&File");
    menu->addMenu(File1);
    Print1 = makeAction(File1, "Print1", "&Print");
    Exit1 = makeAction(File1, "Exit1", "&Exit");
    Set1 = makeMenu(menu, "Set1", "&Set");
    menu->addMenu(Set1);
    Language1 = makeMenu(Set1, "Language1", "Language");
    Set1->addMenu(Language1);
    Sel_Lg1 = makeAction(Language1, "Sel_Lg1", "English");
    Help1 = makeMenu(menu, "Help1", "&Help");
    menu->addMenu(Help1);
    About1 = makeAction(Help1, "About1", "&About");

    connect(RadioGroup1, &TRadioGroup::Click, this,
            [this] { Dispatch(&TForm1::RadioGroup1Click); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { Dispatch(&TForm1::BitBtn1Click); });
    connect(Print1, &QAction::triggered, this, [this] { Dispatch(&TForm1::Print1Click); });
    connect(Exit1, &QAction::triggered, this, [this] { Dispatch(&TForm1::Exit1Click); });
    connect(Sel_Lg1, &QAction::triggered, this, [this] { Dispatch(&TForm1::Sel_Lg1Click); });
    connect(About1, &QAction::triggered, this, [this] { Dispatch(&TForm1::About1Click); });
}

template <class Handler>
void TForm1::Dispatch(Handler handler) {
    RunGuarded(boxes_, [this, handler] { (this->*handler)(); });
}

void TForm1::FormCreate() {
    store::LoadTankData(ListBox1, calc::Tanks);
    ApplyLanguage();
    store::ReadLastShape(ListBox1, calc::TankType);

    // Selecting the saved shape counts as a click on the selector: the shape is
    // applied and computed here, while the window is still hidden. A number beyond
    // the listed shapes selects the last one.
    const int index = std::min(static_cast<int>(calc::TankType) - 1,
                               static_cast<int>(RadioGroup1->Items().size()) - 1);
    if (RadioGroup1->SetItemIndex(index)) RadioGroup1Click();
    ListBox1.Clear();

    // The chart's first view: its start-up title over the points just computed.
    Chart1->RemoveAllSeries();
    Chart1->SetLegendVisible(true);
    Chart1->ClearTitle();
    Chart1->AddTitleLine(QStringLiteral("Kestrom"));
    Chart1->AddTitleLine(QStringLiteral("Quarvion Set Points"));
    Chart1->AddSeries(Series1);
    Series1->SetMarksVisible(false);

    ApplyTankType();
    setWindowState(windowState() | Qt::WindowMaximized);
}

void TForm1::RadioGroup1Click() {
    ApplyTankType();
    repaint();  // the new picture, captions and texts are drawn before the computation
    ComputeSetPoints();
}

void TForm1::BitBtn1Click() { ComputeSetPoints(); }

void TForm1::ApplyTankType() {
    calc::TankType = static_cast<std::uint16_t>(RadioGroup1->ItemIndex() + 1);
    Image1->setPixmap(LoadPicture(calc::PicturePath(calc::TankType)));
    Image1->setGeometry(Image1->x(), Image1->y(), Image1->width(), Image1->pixmap().height());

    const std::array<QLabel*, 4> labels{Label1, Label2, Label3, Label4};
    const std::array<QLineEdit*, 4> edits{Edit1, Edit2, Edit3, Edit4};
    for (int k = 0; k < 4; ++k) {
        labels[k]->show();
        edits[k]->show();
    }
    const int shape = calc::TankType;
    if (!calc::IsShape(shape)) {
        for (int k = 0; k < 4; ++k) {
            labels[k]->hide();
            edits[k]->hide();
        }
        return;
    }
    const calc::ShapeInfo& info = calc::Shape(shape);
    const calc::Tank& saved = calc::Tanks[shape - 1];
    const std::array<const std::string*, 4> inputs{&saved.Input1, &saved.Input2, &saved.Input3,
                                                   &saved.Input4};
    for (int k = 0; k < 4; ++k) {
        if (info.labels[k] == nullptr) {
            labels[k]->hide();
            edits[k]->hide();
        } else {
            SetCaption(labels[k], Q(info.labels[k]));
        }
        // Hidden boxes too carry their shape's saved text.
        edits[k]->setText(Q(*inputs[k]));
    }
    SetCaption(Label5, Q(saved.VolumeText));
}

void TForm1::ComputeSetPoints() {
    ListBox1.Clear();
    Chart1->ClearTitle();
    Chart1->AddTitleLine(QStringLiteral("Kestrom"));
    Chart1->AddTitleLine(QStringLiteral("Quarvion Set Points [") +
                         RadioGroup1->Item(static_cast<int>(calc::TankType) - 1) + u']');
    Series1->Clear();
    Series1->Add(0, QStringLiteral("0"));

    // All four boxes are converted, hidden ones too; a text that is no number ends
    // the computation here.
    const std::array<std::string, 4> texts{Bytes(Edit1->text()), Bytes(Edit2->text()),
                                           Bytes(Edit3->text()), Bytes(Edit4->text())};
    const calc::Dimensions dimensions =
        calc::ConvertDimensions({texts[0], texts[1], texts[2], texts[3]}, decimalSeparator_);

    const int shape = calc::TankType;
    if (calc::IsShape(shape)) {
        // The shape's arithmetic: any fault in it takes the error path below.
        std::optional<calc::SetPointTable> table;
        try {
            table = calc::ComputeTable(shape, dimensions);
            if (table) {
                for (int i = 1; i <= calc::kSteps; ++i) {
                    Series1->Add(static_cast<double>(table->percent[i - 1]), Q(calc::StepLabel(i)));
                }
            }
        } catch (const std::exception&) {
            table.reset();
        }

        if (table) {
            SetCaption(Label5, Q(calc::VolumeText(shape, table->volume, decimalSeparator_)));
            calc::Tanks[shape - 1] = {texts[0], texts[1], texts[2], texts[3],
                                      Bytes(Label5->text())};
        } else if (!recomputingSavedTexts_) {
            // Tell the user, then put the shape's saved texts back and compute them.
            ShowInvalidSetting();
            recomputingSavedTexts_ = true;
            struct Reset {
                bool& flag;
                ~Reset() { flag = false; }
            } reset{recomputingSavedTexts_};
            RadioGroup1Click();
        } else {
            // The saved texts fault as well: stop with the first point only and the
            // saved texts in the boxes, rather than ask and recompute again.
            Series1->Clear();
            Series1->Add(0, QStringLiteral("0"));
        }
    }
    UpdateChartFoot();
}

void TForm1::ShowInvalidSetting() {
    const LanguageTexts& texts = Texts();
    boxes_.Show({Q(texts.invalidSetting), Q(texts.errorCaption), QMessageBox::Critical,
                 QMessageBox::Ok, QMessageBox::Ok});
}

void TForm1::UpdateChartFoot() {
    Chart1->ClearFoot();
    const std::array<QLabel*, 4> labels{Label1, Label2, Label3, Label4};
    const std::array<QLineEdit*, 4> edits{Edit1, Edit2, Edit3, Edit4};
    for (int k = 0; k < 4; ++k) {
        // Visible as set for the shape, whether or not the window is shown yet.
        if (!labels[k]->isHidden())
            Chart1->AddFootLine(labels[k]->text() + u'=' + edits[k]->text());
    }
    Chart1->AddFootLine(Label5->text() + QStringLiteral(" Unit"));
}

void TForm1::ApplyLanguage() {
    store::ReadLanguageFlag(ListBox1, store::ChineseMode);
    const LanguageTexts& texts = Texts();
    File1->setTitle(Q(texts.file));
    Print1->setText(Q(texts.print));
    Exit1->setText(Q(texts.exit));
    Set1->setTitle(Q(texts.set));
    Language1->setTitle(Q(texts.language));
    Sel_Lg1->setText(Q(texts.selectLanguage));
    Help1->setTitle(Q(texts.help));
    About1->setText(Q(texts.about));
    RadioGroup1->setTitle(Q(texts.tankSelect));
    setWindowTitle(Q(texts.caption));

    store::LineBuffer names;
    names.LoadFromFile(calc::NativePath("INF", texts.shapeList));
    QStringList items;
    for (const std::string& name : names.Lines()) items << Q(name);
    RadioGroup1->SetItems(items);
}

void TForm1::Sel_Lg1Click() {
    store::ChineseMode = !store::ChineseMode;
    store::WriteLanguageFlag(ListBox1, store::ChineseMode);
    ApplyLanguage();
}

void TForm1::Print1Click() {
    const LanguageTexts& texts = Texts();
    const auto answer =
        boxes_.Show({Q(texts.printQuestion), Q(texts.warningCaption), QMessageBox::Question,
                     QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes});
    if (answer == QMessageBox::Yes) printer_.Print(*Chart1);
}

void TForm1::Exit1Click() { close(); }

void TForm1::About1Click() {
    if (aboutBox_ == nullptr) return;
    aboutBox_->show();
    aboutBox_->raise();
    aboutBox_->activateWindow();
}

void TForm1::closeEvent(QCloseEvent* event) {
    event->ignore();
    RunGuarded(boxes_, [this, event] { FormClose(event); });
}

void TForm1::FormClose(QCloseEvent* event) {
    const LanguageTexts& texts = Texts();
    const auto answer =
        boxes_.Show({Q(texts.exitQuestion), Q(texts.warningCaption), QMessageBox::Question,
                     QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes});
    if (answer != QMessageBox::Yes) return;
    store::SaveTankData(ListBox1, calc::Tanks);
    store::WriteLastShape(ListBox1, calc::TankType);
    event->accept();
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && BitBtn1->isEnabled()) {
        BitBtn1->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

}  // namespace ui
