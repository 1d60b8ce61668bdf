#include "ui/errorbox.h"

namespace ui {

QString ErrorBoxText(const QString& text) {
    if (text.isEmpty() || text.back().unicode() <= u'.') return text;
    return text + u'.';
}

void ShowErrorBox(MessageBoxes& boxes, const QString& text) {
    boxes.Show({ErrorBoxText(text), QString::fromUtf8(kApplicationTitle), QMessageBox::Critical,
                QMessageBox::Ok, QMessageBox::Ok});
}

}  // namespace ui
