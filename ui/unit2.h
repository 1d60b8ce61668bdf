#pragma once
// The About window: the product's name, version and copyright. It is created hidden
// at start-up and only shown and hidden afterwards.
#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace ui {

class TAboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutBox(QWidget* parent = nullptr);

    void OKButtonClick();

    QFrame* Panel1;
    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* Copyright;
    QPushButton* OKButton;
};

}  // namespace ui
