#include "gui/busy_cursor.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

namespace vendral {

namespace {

constexpr int kSize = 32;

// The letters S, Q and L, 5 by 7 pixels each, one row per string.
using Glyph = std::array<const char*, 7>;
constexpr std::array<Glyph, 3> kSql = {{
    {" ### ", "#   #", "#    ", " ### ", "    #", "#   #", " ### "},
    {" ### ", "#   #", "#   #", "#   #", "# # #", "#  # ", " ## #"},
    {"#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"},
}};

void DrawHourglass(QPainter& painter) {
  QPainterPath glass;
  glass.moveTo(4, 2);
  glass.lineTo(18, 2);
  glass.lineTo(18, 5);
  glass.lineTo(12.5, 11);
  glass.lineTo(18, 17);
  glass.lineTo(18, 20);
  glass.lineTo(4, 20);
  glass.lineTo(4, 17);
  glass.lineTo(9.5, 11);
  glass.lineTo(4, 5);
  glass.closeSubpath();
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::white);
  painter.drawPath(glass);
  // Sand: a heap in the lower bulb and what is left in the upper one.
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  painter.drawPolygon(QPolygonF({{7, 5}, {15, 5}, {11, 9}}));
  painter.drawPolygon(QPolygonF({{6, 19}, {16, 19}, {11, 14}}));
  painter.setPen(QPen(Qt::black, 1));
  painter.drawLine(QPointF(2, 1.5), QPointF(20, 1.5));
  painter.drawLine(QPointF(2, 20.5), QPointF(20, 20.5));
}

void DrawLetters(QPainter& painter, int left, int top) {
  // A white rim first, so that the letters show on dark ground too.
  for (const QColor& color : {QColor(Qt::white), QColor(Qt::black)}) {
    const int rim = color == Qt::white ? 1 : 0;
    for (std::size_t g = 0; g < kSql.size(); ++g) {
      const int x0 = left + static_cast<int>(g) * 6;
      for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 5; ++x) {
          if (kSql[g][static_cast<std::size_t>(y)][x] != '#') continue;
          painter.fillRect(x0 + x - rim, top + y - rim, 1 + 2 * rim, 1 + 2 * rim, color);
        }
      }
    }
  }
}

}  // namespace

QCursor SqlWaitCursor() {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  {
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, false);
    DrawHourglass(painter);
    DrawLetters(painter, 3, 23);
  }
  return QCursor(pixmap, 0, 0);
}

}  // namespace vendral
