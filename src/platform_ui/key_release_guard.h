#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace zelvo {

// The player acts on key releases. A release whose key went down in another
// window is no command: the Return that closes a message box must not reach
// the track list on its way up and start a track. The guard watches every key
// press of the application and remembers the window it went down in.
class KeyReleaseGuard : public QObject {
  Q_OBJECT
 public:
  explicit KeyReleaseGuard(QObject* parent = nullptr);

  // True when the key being released went down in this same window, and not
  // in a text editor on it. Forgets the press, so each press allows one command.
  bool TakeRelease(int qtKey, const QWidget* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QHash<int, QPointer<QWidget>> pressedIn_;
};

}  // namespace zelvo
