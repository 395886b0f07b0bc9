#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>

#include "playback/decoder.h"
#include "playback/gapless_next.h"
#include "playback/next_track.h"
#include "playback/restart_brake.h"

namespace zelvo {

class OptionValues;
class PlaybackView;
class RandomSource;
class TrackList;
struct PlayerState;

// What playback is doing, as it announces it.
enum class PlaybackStatus { Stopped, Paused, Playing };

// Starting and stopping the track at CurrentIndex, the buttons of the main
// window that do so, the track list's double click and Enter, and the
// once-a-second display tick that notices the end of a track, starts the next
// one and draws the progress. The decoder also says when a file has played to
// its end, and the same end-of-track rule then runs at once; the tick still
// catches any end it was not told of. It announces its status, the track
// that plays (its row, file or name) and seeks, so nobody needs to poll it,
// and what the display and the strip are to show (PlaybackDisplay draws it);
// the view is asked only for the display's width, the seek scale.
class Playback : public QObject {
  Q_OBJECT
 public:
  Playback(Decoder& decoder, TrackList& tracks, PlayerState& state, const OptionValues& options,
           PlaybackView& view, RandomSource& random, QObject* parent = nullptr);
  ~Playback() override;

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
  // The decoder's news: a file started is open (the track counts as
  // started, its length is known) or cannot be played (the row is skipped
  // as a missing file is); near the end of a file the next row is chosen and
  // prepared to follow gaplessly; when it takes over it is shown; a file
  // that played to its end runs the tick's work at once, so the next track
  // follows without waiting for the tick.
  void OnDecoderEvent(Decoder::Event event);
  // Mouse over the display: a drag shows the time and seeks as it goes; the
  // release seeks and brings the track name back.
  void DragSeek(Qt::MouseButtons buttons, int xTwips);
  void ReleaseSeek(Qt::MouseButton button, int xTwips);
  // Seeks the playing track to a time in seconds and redraws the progress.
  void SeekTo(double seconds);

  // The options that choose the next row may have changed (the play mode,
  // the fuzzy weights): a row prepared to follow that is no longer the
  // answer is dropped now, not at the join.
  void OptionsChanged();

  NextTrackSelector& Selector() { return selector_; }
  void NextTrack() { selector_.NextTrack(); }
  void PreviousTrack() { selector_.PreviousTrack(); }

  // 1000 while a track runs (or is being skipped), 0 once stopped.
  int DisplayTimerInterval() const;
  PlaybackStatus Status() const;

 signals:
  void StatusChanged(PlaybackStatus status);
  // Another track plays, or the current row moved, was renamed or went, or
  // the playing file's length became known.
  void TrackChanged();
  // The playing track was sought to a position, in seconds.
  void Seeked(double seconds);

  // The display line's text: a skip message, the idle title, the time
  // while the user drags over it, the track name again after the drag.
  void CaptionChanged(const QString& text);
  // A track starts: its name goes up and the bar under it starts empty.
  void NameShown(const QString& name);
  // Each tick while a file is open, and after each seek: where it is.
  void ProgressChanged(double positionSeconds, double durationSeconds);
  // Stopped: both progress bars empty.
  void ProgressCleared();

  // The row at CurrentIndex has started playing (also gaplessly): its file
  // is open and its length known.
  void TrackStarted();

 private:
  // The current row, as last announced.
  struct TrackFacts {
    int position = 0;
    QString path;
    QString name;
    std::optional<double> length;  // once the decoder has opened its file
    bool operator==(const TrackFacts&) const = default;
  };
  TrackFacts CurrentFacts() const;
  void ListChanged();
  void Announce();
  void StartCurrentRow();
  void RunDisplayTimer();
  void ShowStarted(const QString& name);
  void StartNextTrack();
  void SkipUnplayable();
  void Seek(int xTwips);

  Decoder& decoder_;
  TrackList& tracks_;
  PlayerState& state_;
  PlaybackView& view_;
  NextTrackSelector selector_;
  GaplessNext gapless_;
  RestartBrake brake_;
  QTimer displayAuto_;
  PlaybackStatus announcedStatus_ = PlaybackStatus::Stopped;
  TrackFacts announcedTrack_;
  // A file handed to the decoder whose opening has not been told yet.
  bool awaitingOpen_ = false;
};

// The display's texts while a track is skipped.
inline constexpr char kSkipNotFound[] = "Skipping Track - File Not Found";
inline constexpr char kSkipNoSize[] = "Skipping Track - No File Size";

}  // namespace zelvo
