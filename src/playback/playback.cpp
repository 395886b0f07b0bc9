#include "playback/playback.h"

#include <QFileInfo>

#include "base/layout.h"
#include "base/player_state.h"
#include "playback/decoder.h"
#include "playback/display_tick.h"
#include "playback/duration_text.h"
#include "playback/playback_view.h"
#include "playlist/track_list.h"

namespace zelvo {
namespace {

constexpr int kTickMs = 1000;

// Neither playing nor paused. At a tick this means the track has ended;
// waiting counts too, or a decoder stuck buffering would hold the player on
// one track for good.
bool IsIdle(int playState) {
  return playState == play_state::Stopped || playState == play_state::Waiting ||
         playState == play_state::Closed;
}

}  // namespace

Playback::Playback(Decoder& decoder, TrackList& tracks, PlayerState& state, const Options& options,
                   PlaybackView& view, RandomSource& random, QObject* parent)
    : QObject(parent),
      decoder_(decoder),
      tracks_(tracks),
      state_(state),
      view_(view),
      selector_(decoder, tracks, state, options, random) {
  connect(&displayAuto_, &QTimer::timeout, this, &Playback::UpdateDisplay);
}

void Playback::RunDisplayTimer() { displayAuto_.start(kTickMs); }

int Playback::DisplayTimerInterval() const { return displayAuto_.isActive() ? displayAuto_.interval() : 0; }

void Playback::PlayTrack() {
  if (!tracks_.Has(state_.CurrentIndex)) return SkipUnplayable();
  const TrackEntry track = tracks_.At(state_.CurrentIndex);
  const QFileInfo file(track.path);
  if (track.path.isEmpty() || !file.isFile()) return SkipUnplayable();

  if (file.size() == 0) {
    // The track playing now (if any) plays on; the tick sees to what follows.
    RunDisplayTimer();
    view_.SetDisplayCaption(QString::fromLatin1(kSkipNoSize));
    selector_.NextTrack();
    return;
  }

  view_.SetTrackProgressWidth(layout::kProgressEmpty);
  view_.SetDisplayCaption(track.name);
  view_.SetDisplayTooltip(track.name);
  state_.DisplayText = track.name;
  RunDisplayTimer();
  state_.CueIndex = state_.CurrentIndex;
  try {
    decoder_.SetFileName(track.path);
    decoder_.Play();
  } catch (const DecoderError&) {
    SkipUnplayable();
  }
}

void Playback::SkipUnplayable() {
  // The row counts as the one last started, so the next tick finds the
  // decoder stopped and moves on from it by the play mode. Going back to the
  // row started before would pick the same unplayable row again in normal
  // mode, every second, for good.
  RunDisplayTimer();
  state_.CueIndex = state_.CurrentIndex;
  decoder_.Stop();
  view_.SetDisplayCaption(QString::fromLatin1(kSkipNotFound));
}

void Playback::StopTrack() {
  displayAuto_.stop();
  state_.DisplayText = kIdleTitle;
  view_.SetDisplayCaption(kIdleTitle);
  view_.SetTrackProgressWidth(layout::kProgressEmpty);
  view_.SetStripProgress(layout::kProgressEmpty);
  decoder_.Stop();
}

void Playback::PlayButton() {
  const int playState = decoder_.PlayState();
  if (IsIdle(playState)) {
    PlayTrack();
  } else if (playState == play_state::Paused) {
    try {
      decoder_.Play();
    } catch (const DecoderError&) {
      // A file that vanished while paused: the tick moves on.
    }
  } else {
    decoder_.Pause();
  }
}

void Playback::StopButton() { StopTrack(); }

void Playback::NextButton() {
  selector_.NextTrack();
  PlayTrack();
}

void Playback::PreviousButton() {
  selector_.PreviousTrack();
  PlayTrack();
}

void Playback::DoubleClick() {
  if (decoder_.PlayState() == play_state::Playing) selector_.DemoteSkippedTrack();
  const int cursor = tracks_.CursorPosition();
  if (tracks_.Count() == 0 || cursor == 0) return;
  state_.CurrentIndex = cursor;
  PlayTrack();
  selector_.PromoteChosenTrack();
}

void Playback::EnterPressed() {
  const int cursor = tracks_.CursorPosition();
  if (tracks_.Count() == 0 || cursor == 0) return;
  state_.CurrentIndex = cursor;
  PlayTrack();
}

void Playback::UpdateDisplay() {
  // Each step stands alone: a failing one is skipped and the next still runs.
  try {
    if (IsIdle(decoder_.PlayState())) {
      if (state_.CueIndex == state_.CurrentIndex) {
        selector_.NextTrack();
      } else {
        // The user has put the cursor on another row since the last start:
        // that row wins over the play mode.
        const int cursor = tracks_.CursorPosition();
        if (cursor > 0) {
          tracks_.Model().SetSequenceMark(cursor - 1, false);
          state_.CurrentIndex = cursor;
        }
      }
      PlayTrack();
    }
  } catch (const DecoderError&) {
  }
  try {
    if (auto x2 = ProgressLength(decoder_.CurrentPosition(), decoder_.Duration(), view_.StripWidth()))
      view_.SetStripProgress(*x2);
  } catch (const DecoderError&) {
  }
  try {
    if (auto width = ProgressLength(decoder_.CurrentPosition(), decoder_.Duration(), view_.DisplayWidth()))
      view_.SetTrackProgressWidth(*width);
  } catch (const DecoderError&) {
  }
}

void Playback::DragSeek(Qt::MouseButtons buttons, int xTwips) {
  if (buttons == Qt::NoButton || decoder_.PlayState() == play_state::Closed) return;
  try {
    // The time before this move's seek: the text trails the pointer by one move.
    view_.SetDisplayCaption(DurationText(decoder_.CurrentPosition()));
  } catch (const DecoderError&) {
  }
  Seek(xTwips);
}

void Playback::ReleaseSeek(Qt::MouseButton button, int xTwips) {
  if (button == Qt::NoButton || decoder_.PlayState() == play_state::Closed) return;
  view_.SetDisplayCaption(state_.DisplayText);
  Seek(xTwips);
}

void Playback::SeekTo(double seconds) {
  try {
    decoder_.SetCurrentPosition(seconds);
  } catch (const DecoderError&) {
  }
  UpdateDisplay();
}

void Playback::Seek(int xTwips) {
  try {
    if (auto target = SeekTarget(decoder_.Duration(), view_.DisplayWidth(), xTwips))
      decoder_.SetCurrentPosition(*target);
  } catch (const DecoderError&) {
  }
  UpdateDisplay();
}

}  // namespace zelvo
