#pragma once

#include <QObject>
#include <QTimer>

#include "playback/next_track.h"

namespace zelvo {

class Decoder;
class Options;
class PlaybackView;
class RandomSource;
class TrackList;
struct PlayerState;

// Starting and stopping the track at CurrentIndex, the buttons of the main
// window that do so, the track list's double click and Enter, and the
// once-a-second display tick that notices the end of a track, starts the next
// one and draws the progress. The decoder is only ever polled: the tick is
// how the player learns that a track has ended.
class Playback : public QObject {
  Q_OBJECT
 public:
  Playback(Decoder& decoder, TrackList& tracks, PlayerState& state, const Options& options,
           PlaybackView& view, RandomSource& random, QObject* parent = nullptr);

  void PlayTrack();
  void StopTrack();

  // The buttons of the main window.
  void PlayButton();  // play, pause and resume in one
  void StopButton();
  void NextButton();
  void PreviousButton();

  // The track list: a double click plays the cursor row and counts as the
  // user's choice; Enter just plays it.
  void DoubleClick();
  void EnterPressed();

  // The tick of the display timer: end-of-track check, then both progress bars.
  void UpdateDisplay();
  // Mouse over the display: a drag shows the time and seeks as it goes; the
  // release seeks and brings the track name back.
  void DragSeek(Qt::MouseButtons buttons, int xTwips);
  void ReleaseSeek(Qt::MouseButton button, int xTwips);
  // Seeks the playing track to a time in seconds and redraws the progress.
  void SeekTo(double seconds);

  NextTrackSelector& Selector() { return selector_; }
  void NextTrack() { selector_.NextTrack(); }
  void PreviousTrack() { selector_.PreviousTrack(); }

  // 1000 while a track runs (or is being skipped), 0 once stopped.
  int DisplayTimerInterval() const;

 private:
  void RunDisplayTimer();
  void SkipUnplayable();
  void Seek(int xTwips);

  Decoder& decoder_;
  TrackList& tracks_;
  PlayerState& state_;
  PlaybackView& view_;
  NextTrackSelector selector_;
  QTimer displayAuto_;
};

// The display's texts while a track is skipped.
inline constexpr char kSkipNotFound[] = "Skipping Track - File Not Found";
inline constexpr char kSkipNoSize[] = "Skipping Track - No File Size";

}  // namespace zelvo
