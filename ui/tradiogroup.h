#pragma once
// The shape selector: a framed group of radio buttons in one column, one per item,
// spread evenly over the group's height.
#include <QGroupBox>
#include <QList>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace ui {

class TRadioGroup : public QGroupBox {
    Q_OBJECT
  public:
    explicit TRadioGroup(QWidget* parent = nullptr);

    // Replaces the items. The selection stays where it was if the new list is long
    // enough, else it moves to the last item; this is no click.
    void SetItems(const QStringList& items);
    QStringList Items() const { return items_; }
    // The text of item k; throws calc::Error("List index out of bounds (k)") when
    // there is no item k.
    QString Item(int k) const;

    int ItemIndex() const { return itemIndex_; }
    // Selects item index (-1: none). Returns true when a not-selected item became
    // selected, which counts as a click on the selector: the caller then runs the
    // selector's click handler.
    bool SetItemIndex(int index);

    QRadioButton* Button(int k) const { return buttons_.at(k); }

  signals:
    // The user selected an item that was not selected.
    void Click();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void PlaceButtons();
    void ShowSelection();

    QStringList items_;
    QList<QRadioButton*> buttons_;
    QButtonGroup* group_;
    int itemIndex_ = -1;
};

}  // namespace ui
