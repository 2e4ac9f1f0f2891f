#include "gui/box_width.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <algorithm>

namespace vendral {
namespace {

// The window manager's icon, close box and margins beside the caption;
// generous, since their size is the window manager's own.
constexpr int kTitleBarAllowance = 120;

}  // namespace

int BoxMinimumWidth(const QString& title) {
  // Title bars use a bold face as often as not.
  QFont font = QApplication::font();
  font.setBold(true);
  return std::max(kMinimumBoxWidth, QFontMetrics(font).horizontalAdvance(title) + kTitleBarAllowance);
}

void SetBoxMinimumWidth(QMessageBox& box) {
  const int width = BoxMinimumWidth(box.windowTitle());
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    // A row of its own, across all columns, that is only as wide as asked.
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
  } else {
    box.setMinimumWidth(width);
  }
}

}  // namespace vendral
