#pragma once
// The program's message boxes (questions, information and errors) all go through
// MessageBoxes, so that the window's behaviour can be driven without a person at the
// screen: the program uses QtMessageBoxes, tests use a scripted implementation.
#include <QMessageBox>
#include <QString>

namespace ui {

struct MessageBox {
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // Shows the box, waits until the user closes it and returns the button pressed
    // (the box's escape answer when it was closed without a button).
    virtual QMessageBox::StandardButton Show(const MessageBox& box) = 0;
};

// Real message boxes. They are application-modal: while one is open the windows of
// the program take no input, so no second computation can start inside its wait.
class QtMessageBoxes : public MessageBoxes {
  public:
    QMessageBox::StandardButton Show(const MessageBox& box) override;
};

}  // namespace ui
