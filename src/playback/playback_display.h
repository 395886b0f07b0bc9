#pragma once

#include <QObject>

namespace zelvo {

class Playback;
class PlaybackView;

// The main window's display line and progress bar, and the strip's progress
// line, drawn from what Playback announces: it never asks playback anything,
// and playback never draws.
class PlaybackDisplay : public QObject {
  Q_OBJECT
 public:
  PlaybackDisplay(Playback& playback, PlaybackView& view, QObject* parent = nullptr);

 private:
  void ShowName(const QString& name);
  void ShowProgress(double position, double duration);
  void ClearProgress();

  PlaybackView& view_;
};

}  // namespace zelvo
