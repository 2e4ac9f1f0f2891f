#include "gui/path_drop.h"

#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <utility>

namespace vendral {

PathDrop::PathDrop(QWidget& widget, Kind kind, Take take)
    : QObject(&widget), kind_(kind), take_(std::move(take)) {}

void PathDrop::Install(QWidget& widget, Kind kind, Take take) {
  auto* drop = new PathDrop(widget, kind, std::move(take));
  widget.setAcceptDrops(true);
  widget.installEventFilter(drop);
}

bool PathDrop::IsInstalledOn(const QWidget& widget) {
  return widget.findChild<PathDrop*>(QString(), Qt::FindDirectChildrenOnly) != nullptr;
}

QString PathDrop::DroppedPath(const QMimeData& data, Kind kind) {
  const QList<QUrl> urls = data.urls();
  if (urls.size() != 1 || !urls.front().isLocalFile()) return {};
  const QString path = QDir::toNativeSeparators(urls.front().toLocalFile());
  const QFileInfo info(path);
  const bool fits = kind == Kind::kFolder ? info.isDir() : info.exists() && !info.isDir();
  return fits ? path : QString();
}

bool PathDrop::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      // Always a copy: a move would let the file manager delete the file.
      const QString path = drop->possibleActions() & Qt::CopyAction && drop->mimeData()
                               ? DroppedPath(*drop->mimeData(), kind_)
                               : QString();
      if (path.isEmpty()) {
        drop->ignore();
        return true;
      }
      drop->setDropAction(Qt::CopyAction);
      drop->accept();
      if (event->type() == QEvent::Drop) take_(path);
      return true;
    }
    case QEvent::DragLeave:
      return true;
    default:
      return QObject::eventFilter(watched, event);
  }
}

}  // namespace vendral
