#include "ui/messageboxes.h"

namespace ui {

QMessageBox::StandardButton QtMessageBoxes::Show(const MessageBox& box) {
    QMessageBox dialog(box.icon, box.caption, box.text, box.buttons);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (box.defaultButton != QMessageBox::NoButton) dialog.setDefaultButton(box.defaultButton);
    // With standard buttons exec() answers the button that closed the box.
    return static_cast<QMessageBox::StandardButton>(dialog.exec());
}

}  // namespace ui
