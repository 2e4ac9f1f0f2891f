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
  // Below the caption, the items fill equal cells, column by column.
  const int top = fontMetrics().height();
  const int rows = (static_cast<int>(items_.size()) + columns_ - 1) / columns_;
  const int cell_width = (width() - 16) / columns_;
  const int cell_height = rows > 0 ? (height() - top - 4) / rows : 0;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const int column = static_cast<int>(i) / rows;
    const int row = static_cast<int>(i) % rows;
    items_[i]->setGeometry(8 + column * cell_width, top + row * cell_height, cell_width, cell_height);
  }
}

}  // namespace vendral
