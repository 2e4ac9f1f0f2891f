// Centres a top-level window's frame, title bar included, on an area: its
// screen, or another window. A window manager frames a window only when it
// shows, so the window is first placed as if it had no frame, by the corner
// of its frame; the window manager then has to move the window into its
// frame, and that move tells the frame's true size, by which the window is
// centred once more.
#pragma once

#include <QObject>
#include <QRect>
#include <functional>

class QWidget;

namespace vendral {

class FrameCentring : public QObject {
  Q_OBJECT

 public:
  using Area = std::function<QRect()>;

  // Call just before window is first shown, at its final size as far as it
  // is known; window owns what is installed. Without an area, the window's
  // screen is the area.
  static void Install(QWidget& window, Area area = {});

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  FrameCentring(QWidget& window, Area area);
  void Centre();

  QWidget& window_;
  Area area_;
  QSize frame_used_;  // the frame's size at the last centring
};

// The frame's top left corner that centres window's frame on area.
QPoint FrameCentredOn(const QWidget& window, const QRect& area);

}  // namespace vendral
