#pragma once

#include <QObject>
#include <QSocketNotifier>

namespace zelvo {

// Turns SIGTERM, SIGHUP and SIGINT (the desktop session ending, a terminal
// closing, Ctrl+C) into a Qt signal on the user-interface thread, so the
// player saves its playlist and options before it goes. Only one may exist.
class QuitSignals : public QObject {
  Q_OBJECT
 public:
  explicit QuitSignals(QObject* parent = nullptr);
  ~QuitSignals() override;

 signals:
  void QuitRequested();

 private:
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace zelvo
