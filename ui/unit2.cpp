#include "ui/unit2.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include "ui/fonts.h"

namespace ui {

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int pixelSize,
                  const QColor& colour, QPoint place) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setFont(DesignFont(QStringLiteral("MS Sans Serif"), pixelSize, true));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->move(place);
    label->adjustSize();
    return label;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setFont(DesignFont(QStringLiteral("MS Sans Serif"), 11));
    setFixedSize(298, 213);
    setModal(false);
    // Closing it only hides it; it never keeps the program running on its own.
    setAttribute(Qt::WA_QuitOnClose, false);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 8, 281, 161);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(1);
    Panel1->setMidLineWidth(1);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(8, 8, 73, 57);
    ProgramIcon->setScaledContents(true);
    ProgramIcon->setPixmap(QPixmap(QStringLiteral(":/ostrelix/about.png")));

    ProductName =
        MakeLabel(Panel1, "ProductName", QStringLiteral("Ostrelix"), 19, Qt::blue, QPoint(88, 16));
    Version = MakeLabel(Panel1, "Version", QStringLiteral("Version:2.0.0.0"), 16, Qt::red,
                        QPoint(88, 40));
    Copyright = MakeLabel(Panel1, "Copyright", QStringLiteral("Copyright (C) Kestrom Co.,Ltd."), 13,
                          QColor(0, 0, 128), QPoint(8, 80));

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(111, 180, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });

    // Centred on the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - rect().center());
    }
}

void TAboutBox::OKButtonClick() {
    setResult(QDialog::Accepted);
    close();  // hidden, and kept for the next time
}

}  // namespace ui
