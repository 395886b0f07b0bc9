#pragma once

#include <QObject>
#include <QStringList>

class QMimeData;
class QWidget;

namespace zelvo {

// Lets windows take files and folders dragged from a file manager (a
// "text/uri-list" of local files). Drags of anything else pass through to
// the window, so a list can still move its own rows.
class FileDropTarget : public QObject {
  Q_OBJECT
 public:
  explicit FileDropTarget(QObject* parent = nullptr);

  // Makes the widget, and every child of it that takes no drops itself, a
  // place files can be dropped.
  void Watch(QWidget& widget);

 signals:
  // The local paths dropped, in the drag's order.
  void PathsDropped(const QStringList& paths);
  // A drag carrying files came over a watched window ...
  void DragEntered(QObject* window);
  // ... and left it, was dropped or was given up.
  void DragEnded();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// The local files and folders a drag carries, in its order; URIs of other
// schemes are left out.
QStringList LocalPathsOf(const QMimeData* data);

}  // namespace zelvo
