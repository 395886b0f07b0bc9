// A stand-in for a file manager in the end-to-end tests: a small window
// titled "Drag Source" that starts a drag of the files named on its command
// line (as a "text/uri-list") when the left button is pressed on it, and
// prints the action the drop ended in.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>
#include <cstdio>

namespace {

class DragSource : public QWidget {
 public:
  explicit DragSource(QList<QUrl> urls) : urls_(std::move(urls)) {
    setWindowTitle(QStringLiteral("Drag Source"));
    resize(200, 200);
  }

 protected:
  void mousePressEvent(QMouseEvent*) override {
    auto* data = new QMimeData;
    data->setUrls(urls_);
    // On the heap: Qt keeps the drag, and answers the target's requests for
    // the data, after exec() has returned, and deletes it when done.
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    const Qt::DropAction action = drag->exec(Qt::CopyAction);
    std::printf("%s\n", action == Qt::CopyAction ? "copied" : "ignored");
    std::fflush(stdout);
  }

 private:
  QList<QUrl> urls_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QList<QUrl> urls;
  for (const QString& path : QApplication::arguments().mid(1)) urls << QUrl::fromLocalFile(path);
  DragSource source(urls);
  source.move(0, 300);
  source.show();
  return app.exec();
}
