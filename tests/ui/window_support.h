#pragma once
// Scaffolding for the window tests: message boxes and a printer that a test scripts,
// and a scratch working folder holding the state files, shape lists and pictures.
#include <gtest/gtest.h>

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "ui/chartprinter.h"
#include "ui/messageboxes.h"
#include "ui/unit1.h"

// Readable failure messages for Qt's strings.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '{';
    for (const QString& text : texts) *out << " \"" << text.toStdString() << '"';
    *out << " }";
}

namespace uitest {

// Records every box and answers it: with the next scripted answer, else OK for a box
// that has only OK. A question nobody scripted fails the test and is answered No.
class ScriptedBoxes : public ui::MessageBoxes {
  public:
    QMessageBox::StandardButton Show(const ui::MessageBox& box) override;
    void Answer(QMessageBox::StandardButton button) { answers_.push_back(button); }

    std::vector<ui::MessageBox> shown;

  private:
    std::deque<QMessageBox::StandardButton> answers_;
};

class CountingPrinter : public ui::ChartPrinter {
  public:
    void Print(ui::TChart& chart) override;
    int printed = 0;
};

// The saved texts the scratch folder starts with: five lines per shape.
std::vector<std::string> DefaultTankLines();
// "Tank 1" ... "Tank 11", and the Chinese list "槽1" ... "槽11".
std::vector<std::string> EnglishNames();
std::vector<std::string> ChineseNames();

// The application's error box with this text (full stop included).
void ExpectErrorBox(const ui::MessageBox& box, const QString& text);

std::string ReadBytes(const std::string& path);
void WriteLines(const std::string& path, const std::vector<std::string>& lines);
std::string CrLf(const std::vector<std::string>& lines);
// Writes the settings file: the language flag and the last shape.
void WriteSettings(const std::string& flag, const std::string& shape);

// Each test runs in a scratch folder of its own, made its working folder, with the
// program's state at its values at load.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the main window (which runs its start-up) and shows it.
    ui::TForm1& Start();
    // Selects shape n in the selector as a user's click does.
    void ClickShape(int n);
    QStringList Visible(const std::vector<QWidget*>& widgets) const;

    ScriptedBoxes boxes;
    CountingPrinter printer;
    std::unique_ptr<ui::TForm1> form;

  private:
    QTemporaryDir dir_;
    QString previousDir_;
};

}  // namespace uitest
