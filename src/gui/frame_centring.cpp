#include "gui/frame_centring.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <utility>

namespace vendral {

QPoint FrameCentredOn(const QWidget& window, const QRect& area) {
  const QSize frame = window.frameGeometry().size();
  return {area.x() + (area.width() - frame.width()) / 2, area.y() + (area.height() - frame.height()) / 2};
}

FrameCentring::FrameCentring(QWidget& window, Area area)
    : QObject(&window), window_(window), area_(std::move(area)) {}

void FrameCentring::Install(QWidget& window, Area area) {
  auto* centring = new FrameCentring(window, std::move(area));
  centring->Centre();
  window.installEventFilter(centring);
}

void FrameCentring::Centre() {
  QRect area;
  if (area_) {
    area = area_();
  } else if (const QScreen* screen = window_.screen() ? window_.screen() : QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  }
  if (area.isEmpty()) return;
  frame_used_ = window_.frameGeometry().size();
  window_.move(FrameCentredOn(window_, area));
}

bool FrameCentring::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_ && event->type() == QEvent::Move &&
      window_.frameGeometry().size() != frame_used_) {
    Centre();
    window_.removeEventFilter(this);
    deleteLater();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace vendral
