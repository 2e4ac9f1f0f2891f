// Centres a top-level window's frame, title bar included, on its screen.
// A window manager frames a window only when it shows, so the window is
// first placed as if it had no frame, by the corner of its frame; the
// window manager then has to move the window into its frame, and that move
// tells the frame's true size, by which the window is centred once more.
#pragma once

#include <QObject>
#include <QRect>

class QWidget;

namespace vendral {

class FrameCentring : public QObject {
  Q_OBJECT

 public:
  // Call before window is first shown; window owns what is installed.
  static void Install(QWidget& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit FrameCentring(QWidget& window);
  void Centre();

  QWidget& window_;
  QSize frame_used_;  // the frame's size at the last centring
};

// The frame's top left corner that centres window's frame on area.
QPoint FrameCentredOn(const QWidget& window, const QRect& area);

}  // namespace vendral
