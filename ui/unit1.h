#pragma once
// The main window: the shape selector and input panel at the left, the result chart
// at the right, the menu, and the handlers that restore, compute, switch language and
// save.
#include <QMainWindow>
#include <string>

#include "store/statefiles.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QWidget;

namespace ui {

class ChartPrinter;
class MessageBoxes;
class TAboutBox;
class TChart;
class TFastLineSeries;
class TRadioGroup;

class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    // Builds the window from its design and runs FormCreate, which restores the state
    // of the previous run while the window is still hidden. An error there is shown in
    // the error box and leaves the window at its design place and size.
    TForm1(MessageBoxes& boxes, ChartPrinter& printer, QWidget* parent = nullptr);
    ~TForm1() override;

    // The About window that Help > About shows.
    void SetAboutBox(TAboutBox* aboutBox) { aboutBox_ = aboutBox; }

    // Handlers and operations. They throw on errors; the window's own event
    // connections run them through the error box.
    void FormCreate();
    void RadioGroup1Click();
    void BitBtn1Click();
    void Sel_Lg1Click();
    void Print1Click();
    void Exit1Click();
    void About1Click();
    void ComputeSetPoints();
    void ApplyTankType();
    void ApplyLanguage();
    void UpdateChartFoot();
    void ShowInvalidSetting();

    // Components, named as in the window's design.
    QWidget* Panel1;
    TRadioGroup* RadioGroup1;
    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QPushButton* BitBtn1;
    TChart* Chart1;
    TFastLineSeries* Series1;
    QMenu* File1;
    QAction* Print1;
    QAction* Exit1;
    QMenu* Set1;
    QMenu* Language1;
    QAction* Sel_Lg1;
    QMenu* Help1;
    QAction* About1;
    // The line buffer through which the state files are read and written whole.
    store::LineBuffer ListBox1;

  protected:
    // Closing asks for confirmation and, on Yes, saves the inputs and the shape.
    void closeEvent(QCloseEvent* event) override;
    // Enter anywhere in the window that does not take it itself presses OK.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void BuildDesign();
    void FormClose(QCloseEvent* event);
    template <class Handler>
    void Dispatch(Handler handler);

    MessageBoxes& boxes_;
    ChartPrinter& printer_;
    TAboutBox* aboutBox_ = nullptr;
    std::string decimalSeparator_;
    // Set while the error path re-applies the shape and computes it again.
    bool recomputingSavedTexts_ = false;
};

}  // namespace ui
