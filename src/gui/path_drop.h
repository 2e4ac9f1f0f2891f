// Lets a widget take one file or one folder dragged from a file manager and
// hands on its full path. Everything else dragged onto the widget, text
// included, is refused, so no drop cursor shows for it.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QMimeData;
class QWidget;

namespace vendral {

class PathDrop : public QObject {
  Q_OBJECT

 public:
  enum class Kind { kFile, kFolder };
  using Take = std::function<void(const QString& path)>;

  // Takes the widget's drops over; the widget owns what is installed.
  static void Install(QWidget& widget, Kind kind, Take take);
  static bool IsInstalledOn(const QWidget& widget);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  PathDrop(QWidget& widget, Kind kind, Take take);
  // The full path of the one entry of the wanted kind that data names;
  // empty when it names anything else.
  static QString DroppedPath(const QMimeData& data, Kind kind);

  Kind kind_;
  Take take_;
};

}  // namespace vendral
