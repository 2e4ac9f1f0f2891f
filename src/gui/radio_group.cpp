#include "gui/radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>

namespace vendral {

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this)), columns_(columns) {
  for (const QString& item : items) {
    auto* button = new QRadioButton(item, this);
    group_->addButton(button, static_cast<int>(items_.size()));
    items_.push_back(button);
  }
}

int TRadioGroup::ItemIndex() const { return group_->checkedId(); }

void TRadioGroup::SetItemIndex(int index) {
  if (QAbstractButton* button = group_->button(index)) button->setChecked(true);
}

void TRadioGroup::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  // Inside the frame, the items fill equal cells, column by column.
  const QRect inside = contentsRect();
  const int rows = (static_cast<int>(items_.size()) + columns_ - 1) / columns_;
  const int cell_width = inside.width() / columns_;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const int column = static_cast<int>(i) / rows;
    const int row = static_cast<int>(i) % rows;
    const int top = inside.top() + row * inside.height() / rows;
    const int bottom = inside.top() + (row + 1) * inside.height() / rows;
    items_[i]->setGeometry(inside.left() + column * cell_width, top, cell_width, bottom - top);
  }
}

}  // namespace vendral
