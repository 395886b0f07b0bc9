#include "playback/playback.h"

#include <algorithm>

#include "base/layout.h"
#include "base/log.h"
#include "base/player_state.h"
#include "playback/decoder.h"
#include "playback/display_tick.h"
#include "playback/duration_text.h"
#include "playback/playback_view.h"
#include "playlist/track_list.h"
#include "platform/path_bytes.h"

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

Playback::Playback(Decoder& decoder, TrackList& tracks, PlayerState& state, const OptionValues& options,
                   PlaybackView& view, RandomSource& random, QObject* parent)
    : QObject(parent),
      decoder_(decoder),
      tracks_(tracks),
      state_(state),
      view_(view),
      selector_(decoder, tracks, state, options, random),
      gapless_(decoder, tracks, state, options, selector_) {
  connect(&displayAuto_, &QTimer::timeout, this, &Playback::UpdateDisplay);
  connect(&tracks_, &TrackList::RowsRemoved, this, &Playback::FollowRemovedRows);
  // The decoder calls from its own thread: its news is handled on ours, queued.
  decoder_.SetEventHandler([this](Decoder::Event event) {
    QMetaObject::invokeMethod(this, [this, event] { OnDecoderEvent(event); }, Qt::QueuedConnection);
  });
}

Playback::~Playback() { decoder_.SetEventHandler({}); }

void Playback::OnDecoderEvent(Decoder::Event event) {
  // Advancing belongs to the display timer: after a stop nothing moves on.
  if (!displayAuto_.isActive()) return gapless_.Drop();
  switch (event) {
    case Decoder::Event::NearEnd:
      if (decoder_.PlayState() == play_state::Playing) gapless_.Prepare();
      break;
    case Decoder::Event::NextStarted:
      // (A row erased in the last moments leaves the display as it was.)
      if (gapless_.Take() && tracks_.Has(state_.CurrentIndex)) {
        ShowStarted(tracks_.At(state_.CurrentIndex).name);
        emit TrackStarted();
      }
      break;
    case Decoder::Event::TrackEnded:
      // A prepared row the decoder could not follow with starts the ordinary way.
      if (gapless_.Take()) return PlayTrack();
      UpdateDisplay();
      break;
  }
}

void Playback::RunDisplayTimer() { displayAuto_.start(kTickMs); }

int Playback::DisplayTimerInterval() const { return displayAuto_.isActive() ? displayAuto_.interval() : 0; }

void Playback::PlayTrack() {
  gapless_.Drop();
  selector_.SetPlayingRowRemoved(false);
  if (!tracks_.Has(state_.CurrentIndex)) return SkipUnplayable();
  const TrackEntry track = tracks_.At(state_.CurrentIndex);
  const std::optional<qint64> size = RegularFileSize(track.path);
  if (!size) {
    qCWarning(lcPlayback) << "skipping a track that is no readable file:" << track.path;
    return SkipUnplayable();
  }

  if (*size == 0) {
    // The track playing now (if any) plays on. As with a missing file, the
    // empty row counts as the one last started: when the decoder is idle the
    // tick moves on from it by the play mode. Leaving the cue on the row
    // started before would send the tick to the cursor row instead, and in
    // normal mode back to this empty row, every second, for good.
    qCWarning(lcPlayback) << "skipping an empty file:" << track.path;
    RunDisplayTimer();
    view_.SetDisplayCaption(QString::fromLatin1(kSkipNoSize));
    state_.CueIndex = state_.CurrentIndex;
    return;
  }

  ShowStarted(track.name);
  try {
    decoder_.SetFileName(track.path);
  } catch (const DecoderError& error) {
    qCWarning(lcPlayback).noquote() << "Skipping a track the decoder refuses:" << error.what();
    return SkipUnplayable();
  }
  decoder_.Play();
  emit TrackStarted();
}

// The display and the positions of a track that starts.
void Playback::ShowStarted(const QString& name) {
  view_.SetTrackProgressWidth(layout::kProgressEmpty);
  view_.SetPausedLook(false);
  tracks_.Model().SetPlayingPath(tracks_.At(state_.CurrentIndex).path);
  view_.SetDisplayCaption(name);
  view_.SetDisplayTooltip(name);
  state_.DisplayText = name;
  RunDisplayTimer();
  state_.CueIndex = state_.CurrentIndex;
}

void Playback::SkipUnplayable() {
  // The row counts as the one last started, so the next tick finds the
  // decoder stopped and moves on from it by the play mode. Going back to the
  // row started before would pick the same unplayable row again in normal
  // mode, every second, for good.
  RunDisplayTimer();
  state_.CueIndex = state_.CurrentIndex;
  decoder_.Stop();
  tracks_.Model().SetPlayingPath({});
  view_.SetPausedLook(false);
  view_.SetDisplayCaption(QString::fromLatin1(kSkipNotFound));
}

void Playback::StopTrack() {
  gapless_.Drop();
  displayAuto_.stop();
  state_.DisplayText = kIdleTitle;
  view_.SetDisplayCaption(kIdleTitle);
  view_.SetTrackProgressWidth(layout::kProgressEmpty);
  view_.SetStripProgress(layout::kProgressEmpty);
  view_.SetPausedLook(false);
  tracks_.Model().SetPlayingPath({});
  decoder_.Stop();
}

void Playback::PlayButton() {
  const int playState = decoder_.PlayState();
  if (IsIdle(playState)) {
    PlayTrack();
  } else if (playState == play_state::Paused) {
    decoder_.Play();
    view_.SetPausedLook(false);
  } else {
    decoder_.Pause();
    view_.SetPausedLook(true);
  }
}

void Playback::StopButton() { StopTrack(); }

void Playback::NextButton() {
  gapless_.Drop();  // the user's word wins over a prepared row
  selector_.NextTrack();
  PlayTrack();
}

void Playback::PreviousButton() {
  gapless_.Drop();
  selector_.PreviousTrack();
  PlayTrack();
}

void Playback::DoubleClick() {
  gapless_.Drop();
  if (decoder_.PlayState() == play_state::Playing) selector_.DemoteSkippedTrack();
  const int cursor = tracks_.CursorPosition();
  if (tracks_.Count() == 0 || cursor == 0) return;
  state_.CurrentIndex = cursor;
  PlayTrack();
  selector_.PromoteChosenTrack();
}

void Playback::EnterPressed() {
  gapless_.Drop();
  const int cursor = tracks_.CursorPosition();
  if (tracks_.Count() == 0 || cursor == 0) return;
  state_.CurrentIndex = cursor;
  PlayTrack();
}

void Playback::UpdateDisplay() {
  if (IsIdle(decoder_.PlayState())) StartNextTrack();
  const std::optional<double> position = decoder_.CurrentPosition();
  const std::optional<double> duration = decoder_.Duration();
  if (!position || !duration) return;  // no file: the bars keep their widths
  if (auto x2 = ProgressLength(*position, *duration, view_.StripWidth())) view_.SetStripProgress(*x2);
  if (auto width = ProgressLength(*position, *duration, view_.DisplayWidth()))
    view_.SetTrackProgressWidth(*width);
}

// The end-of-track rule: the row the user has put the cursor on since the
// last start wins over the play mode.
void Playback::StartNextTrack() {
  const QString ended = tracks_.Has(state_.CurrentIndex) ? tracks_.At(state_.CurrentIndex).path : QString();
  if (brake_.Engage(decoder_.CurrentPosition(), ended))
    return StopTrack(), view_.SetDisplayCaption(QString::fromLatin1(kStoppedEndsAtOnce));
  if (gapless_.Take()) return PlayTrack();  // chosen already, near the end
  if (state_.CueIndex == state_.CurrentIndex) {
    selector_.NextTrack();
  } else if (const int cursor = tracks_.CursorPosition(); cursor > 0) {
    tracks_.Model().SetSequenceMark(cursor - 1, false);
    state_.CurrentIndex = cursor;
  }
  PlayTrack();
}

void Playback::FollowRemovedRows(const std::vector<bool>& removed) {
  const int current = state_.CurrentIndex;
  if (current >= 1 && current <= static_cast<int>(removed.size())) {
    const auto row = removed.begin() + (current - 1);
    // Where the playing row, or the one that followed it, stands now.
    int position = current - static_cast<int>(std::count(removed.begin(), row, true));
    if (*row) {
      if (displayAuto_.isActive()) {
        // The next tick steps on from CurrentIndex: one before the follower.
        position -= 1;
        selector_.SetPlayingRowRemoved(true);
      } else if (position > tracks_.Count()) {
        position = tracks_.Count() > 0 ? 1 : 0;  // the last row went: wrap as the play order does
      }
    }
    state_.CurrentIndex = position;
  }
  // The clicks that chose the rows are no choice of what plays next.
  state_.CueIndex = state_.CurrentIndex;
}

void Playback::DragSeek(Qt::MouseButtons buttons, int xTwips) {
  if (buttons == Qt::NoButton || decoder_.PlayState() == play_state::Closed) return;
  // The time before this move's seek: the text trails the pointer by one move.
  if (const std::optional<double> position = decoder_.CurrentPosition())
    view_.SetDisplayCaption(DurationText(*position));
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
  gapless_.Drop();
  if (const std::optional<double> duration = decoder_.Duration()) {
    if (auto target = SeekTarget(*duration, view_.DisplayWidth(), xTwips))
      decoder_.SetCurrentPosition(*target);
  }
  UpdateDisplay();
}

}  // namespace zelvo
