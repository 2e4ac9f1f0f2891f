#include "gui/window_font.h"

#include <QFontDatabase>

namespace vendral {

QFont WindowFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setPointSize(8);
  font.setStretch(QFont::SemiCondensed);
  return font;
}

QFont ArialFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(8);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace vendral
