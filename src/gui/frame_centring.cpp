#include "gui/frame_centring.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace vendral {

QPoint FrameCentredOn(const QWidget& window, const QRect& area) {
  const QSize frame = window.frameGeometry().size();
  return {area.x() + (area.width() - frame.width()) / 2, area.y() + (area.height() - frame.height()) / 2};
}

FrameCentring::FrameCentring(QWidget& window) : QObject(&window), window_(window) {}

void FrameCentring::Install(QWidget& window) {
  auto* centring = new FrameCentring(window);
  centring->Centre();
  window.installEventFilter(centring);
}

void FrameCentring::Centre() {
  const QScreen* screen = window_.isVisible() ? window_.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  frame_used_ = window_.frameGeometry().size();
  window_.move(FrameCentredOn(window_, screen->availableGeometry()));
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
