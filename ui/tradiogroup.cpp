#include "ui/tradiogroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <string>

#include "calc/error.h"

namespace ui {

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent), group_(new QButtonGroup(this)) {
    connect(group_, &QButtonGroup::idClicked, this, [this](int id) {
        if (id == itemIndex_) {
            ShowSelection();  // a click on the selected item changes nothing
            return;
        }
        itemIndex_ = id;
        ShowSelection();
        emit Click();
    });
}

void TRadioGroup::SetItems(const QStringList& items) {
    qDeleteAll(buttons_);
    buttons_.clear();
    items_ = items;
    for (int k = 0; k < items_.size(); ++k) {
        auto* button = new QRadioButton(items_.at(k), this);
        group_->addButton(button, k);
        buttons_.append(button);
        button->show();
    }
    if (itemIndex_ >= items_.size()) itemIndex_ = static_cast<int>(items_.size()) - 1;
    ShowSelection();
    PlaceButtons();
}

QString TRadioGroup::Item(int k) const {
    if (k < 0 || k >= items_.size()) {
        throw calc::Error("List index out of bounds (" + std::to_string(k) + ")");
    }
    return items_.at(k);
}

bool TRadioGroup::SetItemIndex(int index) {
    if (index < -1 || index >= items_.size()) index = -1;
    if (index == itemIndex_) return false;
    itemIndex_ = index;
    ShowSelection();
    return index >= 0;
}

void TRadioGroup::ShowSelection() {
    // An exclusive group refuses to uncheck its checked button (no selection), so it
    // is made non-exclusive while the buttons are set. Exclusive, the arrow keys move
    // the selection as clicks do.
    group_->setExclusive(false);
    for (int k = 0; k < buttons_.size(); ++k) buttons_.at(k)->setChecked(k == itemIndex_);
    group_->setExclusive(true);
}

void TRadioGroup::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    PlaceButtons();
}

void TRadioGroup::PlaceButtons() {
    if (buttons_.isEmpty()) return;
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QRect area =
        style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxContents, this);
    const int left = area.left() + 6;
    const int top = area.top() + 1;
    const int height = area.height() - 2;
    const auto count = static_cast<int>(buttons_.size());
    for (int k = 0; k < count; ++k) {
        const int y0 = top + height * k / count;
        const int y1 = top + height * (k + 1) / count;
        buttons_.at(k)->setGeometry(left, y0, area.right() - left - 2, y1 - y0);
    }
}

}  // namespace ui
