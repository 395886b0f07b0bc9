#include "playback/playback.h"

#include "base/log.h"
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

Playback::Playback(Decoder& decoder, TrackList& tracks, PlayerState& state, const OptionValues& options,
                   PlaybackView& view, RandomSource& random, QObject* parent)
    : QObject(parent),
      decoder_(decoder),
      tracks_(tracks),
      state_(state),
      view_(view),
      selector_(decoder, tracks, options, random),
      gapless_(decoder, tracks, selector_) {
  connect(&displayAuto_, &QTimer::timeout, this, &Playback::UpdateDisplay);
  // The list's changes may name another track, or another row to follow the playing one.
  TrackListModel& model = tracks_.Model();
  connect(&model, &TrackListModel::PlayRowsChanged, this, &Playback::ListChanged);
  connect(&model, &TrackListModel::dataChanged, this, &Playback::ListChanged);
  connect(&tracks_.Selection(), &QItemSelectionModel::currentChanged, this, &Playback::ListChanged);
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
    case Decoder::Event::Opened:
      // Only the file started last counts; its length is known now.
      if (!awaitingOpen_ || !decoder_.Duration()) break;
      awaitingOpen_ = false;
      emit TrackStarted();
      break;
    case Decoder::Event::OpenFailed:
      // The decoder has said why; the row is skipped as a missing file is.
      if (!awaitingOpen_ || decoder_.PlayState() != play_state::Closed) break;
      awaitingOpen_ = false;
      SkipUnplayable();
      break;
    case Decoder::Event::NearEnd:
      if (decoder_.PlayState() == play_state::Playing) gapless_.Prepare();
      break;
    case Decoder::Event::NextStarted:
      // The user's word since the file was prepared wins: a cursor moved, a
      // row queued or the mode changed starts the row they chose instead.
      if (!gapless_.IsPrepared()) break;
      if (!gapless_.Take()) return StartNextTrack();
      ShowStarted(tracks_.At(tracks_.CurrentIndex()).name);
      emit TrackStarted();
      break;
    case Decoder::Event::TrackEnded:
      // A prepared row the decoder could not follow with starts the ordinary way.
      gapless_.Drop();
      UpdateDisplay();
      break;
  }
  Announce();
}

PlaybackStatus Playback::Status() const {
  switch (decoder_.PlayState()) {
    case play_state::Playing: return PlaybackStatus::Playing;
    case play_state::Paused: return PlaybackStatus::Paused;
    default: return PlaybackStatus::Stopped;
  }
}

Playback::TrackFacts Playback::CurrentFacts() const {
  const int position = tracks_.CurrentRowGone() ? 0 : tracks_.CurrentIndex();
  if (!tracks_.Has(position)) return {};
  const TrackEntry& track = tracks_.At(position);
  const std::optional<double> length =
      decoder_.FileName() == track.path ? decoder_.Duration() : std::nullopt;
  return {position, track.path, track.name, length};
}

void Playback::ListChanged() {
  gapless_.DropIfChanged();
  Announce();
}

void Playback::OptionsChanged() { gapless_.DropIfChanged(); }

void Playback::Announce() {
  if (const PlaybackStatus status = Status(); status != announcedStatus_) {
    announcedStatus_ = status;
    emit StatusChanged(status);
  }
  if (TrackFacts facts = CurrentFacts(); !(facts == announcedTrack_)) {
    announcedTrack_ = std::move(facts);
    emit TrackChanged();
  }
}

void Playback::RunDisplayTimer() { displayAuto_.start(kTickMs); }

int Playback::DisplayTimerInterval() const { return displayAuto_.isActive() ? displayAuto_.interval() : 0; }

void Playback::PlayTrack() {
  StartCurrentRow();
  Announce();
}

void Playback::StartCurrentRow() {
  gapless_.Drop();
  awaitingOpen_ = false;
  // The row that followed an erased playing row becomes the current one itself.
  if (tracks_.CurrentRowGone()) tracks_.SetCurrentIndex(tracks_.CurrentIndex());
  if (!tracks_.Has(tracks_.CurrentIndex())) return SkipUnplayable();
  const TrackEntry track = tracks_.At(tracks_.CurrentIndex());
  switch (CheckTrackFile(track.path)) {
    case TrackFile::Missing:
      qCWarning(lcPlayback) << "skipping a track that is no readable file:" << track.path;
      return SkipUnplayable();
    case TrackFile::Empty:
      // The track playing now (if any) plays on, and the empty row, reached
      // while it plays, counts as skipped. As with a missing file, the empty
      // row counts as the one last started: when the decoder is idle the
      // tick moves on from it by the play mode. Leaving the cue on the row
      // started before would send the tick to the cursor row instead, and in
      // normal mode back to this empty row, every second, for good.
      qCWarning(lcPlayback) << "skipping an empty file:" << track.path;
      if (decoder_.PlayState() == play_state::Playing) selector_.DemoteSkippedTrack();
      RunDisplayTimer();
      emit CaptionChanged(QString::fromLatin1(kSkipNoSize));
      tracks_.SetCueIndex(tracks_.CurrentIndex());
      return;
    case TrackFile::Playable:
      break;
  }

  ShowStarted(track.name);
  // The decoder opens the file on its own thread and says whether it could.
  decoder_.SetFileName(track.path);
  decoder_.Play();
  awaitingOpen_ = true;
}

// The display and the positions of a track that starts.
void Playback::ShowStarted(const QString& name) {
  tracks_.Model().SetCurrentMarked(true);
  emit NameShown(name);
  state_.DisplayText = name;
  RunDisplayTimer();
  tracks_.SetCueIndex(tracks_.CurrentIndex());
}

void Playback::SkipUnplayable() {
  // The row counts as the one last started, so the next tick finds the
  // decoder stopped and moves on from it by the play mode. Going back to the
  // row started before would pick the same unplayable row again in normal
  // mode, every second, for good.
  awaitingOpen_ = false;
  RunDisplayTimer();
  tracks_.SetCueIndex(tracks_.CurrentIndex());
  decoder_.Stop();
  tracks_.Model().SetCurrentMarked(false);
  emit CaptionChanged(QString::fromLatin1(kSkipNotFound));
}

void Playback::StopTrack() {
  gapless_.Drop();
  awaitingOpen_ = false;
  displayAuto_.stop();
  state_.DisplayText = kIdleTitle;
  emit CaptionChanged(kIdleTitle);
  emit ProgressCleared();
  tracks_.Model().SetCurrentMarked(false);
  decoder_.Stop();
  Announce();
}

void Playback::PlayButton() {
  const int playState = decoder_.PlayState();
  if (IsIdle(playState)) {
    PlayTrack();
  } else if (playState == play_state::Paused) {
    decoder_.Play();
  } else {
    decoder_.Pause();
  }
  Announce();
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
  tracks_.SetCurrentIndex(cursor);
  PlayTrack();
  selector_.PromoteChosenTrack();
}

void Playback::EnterPressed() {
  gapless_.Drop();
  const int cursor = tracks_.CursorPosition();
  if (tracks_.Count() == 0 || cursor == 0) return;
  tracks_.SetCurrentIndex(cursor);
  PlayTrack();
}

void Playback::UpdateDisplay() {
  if (IsIdle(decoder_.PlayState())) StartNextTrack();
  const std::optional<double> position = decoder_.CurrentPosition();
  const std::optional<double> duration = decoder_.Duration();
  if (!position || !duration) return;  // no file: the bars keep their widths
  emit ProgressChanged(*position, *duration);
}

// The end-of-track rule: the row the user has put the cursor on since the
// last start wins over the play mode.
void Playback::StartNextTrack() {
  const QString ended = tracks_.Has(tracks_.CurrentIndex()) ? tracks_.At(tracks_.CurrentIndex()).path : QString();
  if (brake_.Engage(decoder_.CurrentPosition(), ended))
    return StopTrack(), emit CaptionChanged(QString::fromLatin1(kStoppedEndsAtOnce));
  gapless_.Drop();
  selector_.Take(selector_.PeekAfterEnd());
  PlayTrack();
}

void Playback::DragSeek(Qt::MouseButtons buttons, int xTwips) {
  if (buttons == Qt::NoButton || decoder_.PlayState() == play_state::Closed) return;
  // The time before this move's seek: the text trails the pointer by one move.
  if (const std::optional<double> position = decoder_.CurrentPosition())
    emit CaptionChanged(DurationText(*position));
  Seek(xTwips);
}

void Playback::ReleaseSeek(Qt::MouseButton button, int xTwips) {
  if (button == Qt::NoButton || decoder_.PlayState() == play_state::Closed) return;
  emit CaptionChanged(state_.DisplayText);
  Seek(xTwips);
}

void Playback::SeekTo(double seconds) {
  gapless_.Drop();
  try {
    decoder_.SetCurrentPosition(seconds);
    emit Seeked(seconds);
  } catch (const DecoderError& error) {
    qCWarning(lcPlayback).noquote() << "cannot seek to" << seconds << "s:" << error.what();
  }
  UpdateDisplay();
}

void Playback::Seek(int xTwips) {
  gapless_.Drop();
  if (const std::optional<double> duration = decoder_.Duration()) {
    if (auto target = SeekTarget(*duration, view_.DisplayWidth(), xTwips)) {
      decoder_.SetCurrentPosition(*target);
      emit Seeked(*target);
    }
  }
  UpdateDisplay();
}

}  // namespace zelvo
