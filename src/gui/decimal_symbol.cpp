#include "gui/decimal_symbol.h"

#include <QLocale>
#include <QString>

namespace vendral {

char SystemDecimalSymbol() {
  const QString point = QLocale::system().decimalPoint();
  if (point.size() != 1 || point[0].unicode() < 33 || point[0].unicode() > 126) return '.';
  return static_cast<char>(point[0].unicode());
}

}  // namespace vendral
