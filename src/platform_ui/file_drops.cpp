#include "platform_ui/file_drops.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include "platform/path_bytes.h"

namespace zelvo {

QStringList LocalPathsOf(const QMimeData* data) {
  QStringList paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) paths << PathFromLocalUrl(url);
  }
  return paths;
}

FileDropTarget::FileDropTarget(QObject* parent) : QObject(parent) {}

void FileDropTarget::Watch(QWidget& widget) {
  widget.setAcceptDrops(true);
  widget.installEventFilter(this);
}

bool FileDropTarget::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (LocalPathsOf(drag->mimeData()).isEmpty()) break;
      drag->setDropAction(Qt::CopyAction);
      drag->accept();
      if (event->type() == QEvent::DragEnter) emit DragEntered(watched);
      return true;
    }
    case QEvent::DragLeave:
      emit DragEnded();
      break;
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const QStringList paths = LocalPathsOf(drop->mimeData());
      if (paths.isEmpty()) break;
      drop->setDropAction(Qt::CopyAction);
      drop->accept();
      emit DragEnded();
      emit PathsDropped(paths);
      return true;
    }
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace zelvo
