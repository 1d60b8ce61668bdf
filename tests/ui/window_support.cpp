#include "window_support.h"

#include <QImage>
#include <QPainter>
#include <QRadioButton>
#include <fstream>
#include <sstream>

#include "calc/catalogue.h"
#include "calc/error.h"
#include "store/statefiles.h"
#include "ui/tradiogroup.h"

namespace uitest {

QMessageBox::StandardButton ScriptedBoxes::Show(const ui::MessageBox& box) {
    shown.push_back(box);
    if (!answers_.empty()) {
        const auto answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    if (box.buttons == QMessageBox::Ok) return QMessageBox::Ok;
    ADD_FAILURE() << "unscripted question: " << box.text.toStdString();
    return QMessageBox::No;
}

void CountingPrinter::Print(ui::TChart&) { ++printed; }

void ExpectErrorBox(const ui::MessageBox& box, const QString& text) {
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, QStringLiteral("Ostrelix"));
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

std::vector<std::string> DefaultTankLines() {
    return {
        "2.5", "1.2", "3",   "7",   "Volume=old1",   // 1: Length, Width, Height; box 4 hidden
        "2",   "4",   "0",   "0",   "Volume=old2",   // 2
        "4",   "2",   "3",   "1.5", "Volume=old3",   // 3: all four boxes
        "4",   "3",   "2",   "1",   "Volume=old4",   // 4
        "3",   "5",   "1.5", "0",   "Volume=old5",   // 5: the worked example, 038.88
        "2",   "4",   "1",   "0",   "Volume=old6",   // 6
        "2",   "3",   "0.5", "0",   "Volume=old7",   // 7
        "4",   "21",  "22",  "23",  "Volume=old8",   // 8: only Diameter shows
        "5",   "2",   "0",   "0",   "Volume=old9",   // 9
        "5",   "3",   "2",   "0",   "Volume=old10",  // 10
        "6",   "2",   "0",   "0",   "Volume=old11",  // 11
    };
}

std::vector<std::string> EnglishNames() {
    std::vector<std::string> names;
    for (int n = 1; n <= 11; ++n) names.push_back("Tank " + std::to_string(n));
    return names;
}

std::vector<std::string> ChineseNames() {
    std::vector<std::string> names;
    for (int n = 1; n <= 11; ++n) names.push_back("槽" + std::to_string(n));
    return names;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string CrLf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream(path, std::ios::binary) << CrLf(lines);
}

void WindowTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    previousDir_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    QDir().mkdir(QStringLiteral("INF"));
    QDir().mkdir(QStringLiteral("TANK_GP"));
    WriteLines(calc::NativePath("INF", "TankData.txt"), DefaultTankLines());
    WriteSettings("0", "3");
    WriteLines(calc::NativePath("INF", "E_TANK.TXT"), EnglishNames());
    WriteLines(calc::NativePath("INF", "C_TANK.TXT"), ChineseNames());
    for (int n = 1; n <= 11; ++n) {
        QImage picture(40 + n, 30, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        painter.drawRect(5, 5, 20, 15);
        painter.end();
        ASSERT_TRUE(picture.save(QString::fromStdString(calc::PicturePath(n)), "BMP"));
    }
    calc::Tanks = {};
    calc::TankType = 0;
    store::ChineseMode = false;
}

void WindowTest::TearDown() {
    form.reset();
    QDir::setCurrent(previousDir_);
}

void WriteSettings(const std::string& flag, const std::string& shape) {
    WriteLines(calc::NativePath("INF", "INF.TXT"), {flag, shape});
}

ui::TForm1& WindowTest::Start() {
    form = std::make_unique<ui::TForm1>(boxes, printer);
    form->show();
    return *form;
}

void WindowTest::ClickShape(int n) { form->RadioGroup1->Button(n - 1)->click(); }

QStringList WindowTest::Visible(const std::vector<QWidget*>& widgets) const {
    QStringList names;
    for (QWidget* widget : widgets) {
        if (!widget->isHidden()) names << widget->objectName();
    }
    return names;
}

}  // namespace uitest
