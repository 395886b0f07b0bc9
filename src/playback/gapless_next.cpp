#include "playback/gapless_next.h"


#include "base/option_values.h"
#include "base/player_state.h"
#include "playback/decoder.h"
#include "playback/next_track.h"
#include "playlist/track_list.h"
#include "platform/path_bytes.h"

namespace zelvo {
namespace {

// How often the user's changes are looked for while a row is prepared (the
// last fraction of a second of a track).
constexpr int kWatchMs = 40;

}  // namespace

GaplessNext::GaplessNext(Decoder& decoder, TrackList& tracks, PlayerState& state,
                         const OptionValues& options, NextTrackSelector& selector, QObject* parent)
    : QObject(parent),
      decoder_(decoder),
      tracks_(tracks),
      state_(state),
      options_(options),
      selector_(selector) {
  connect(&watch_, &QTimer::timeout, this, &GaplessNext::CheckInputs);
}

QList<int> GaplessNext::QueuedRows() const {
  QList<int> rows;
  for (int position = 1; position <= tracks_.Count(); ++position)
    if (tracks_.At(position).sequenceMark) rows.append(position);
  return rows;
}

GaplessNext::Inputs GaplessNext::CurrentInputs() const {
  Inputs inputs;
  inputs.cue = state_.CueIndex;
  inputs.cursor = tracks_.CursorPosition();
  for (Entry mode : CategoryEntries(Category::PlayMode)) inputs.modes.append(options_.IsChecked(mode));
  inputs.queued = QueuedRows();
  if (tracks_.Has(state_.CurrentIndex)) inputs.chosenPath = tracks_.At(state_.CurrentIndex).path;
  return inputs;
}

int GaplessNext::Choose() {
  if (state_.CueIndex == state_.CurrentIndex) {
    const QList<int> queued = QueuedRows();
    selector_.NextTrack(/*playedOut=*/true);
    return !queued.isEmpty() && queued.first() == state_.CurrentIndex ? state_.CurrentIndex : 0;
  }
  const int cursor = tracks_.CursorPosition();
  if (cursor <= 0) return 0;
  const bool wasQueued = tracks_.At(cursor).sequenceMark;
  tracks_.Model().SetSequenceMark(cursor - 1, false);
  state_.CurrentIndex = cursor;
  return wasQueued ? cursor : 0;
}

void GaplessNext::Prepare() {
  if (prepared_) return;
  const int previous = state_.CurrentIndex;
  const int unmarked = Choose();
  // Only a row that starts without a word on the display follows gaplessly;
  // any other takes the ordinary road at the end (with its skip message).
  const bool startable = tracks_.Has(state_.CurrentIndex) &&
                         RegularFileSize(tracks_.At(state_.CurrentIndex).path).value_or(0) > 0;
  if (!startable || !decoder_.SetNextFileName(tracks_.At(state_.CurrentIndex).path)) {
    Undo(previous, unmarked);
    return;
  }
  prepared_ = Prepared{previous, unmarked, CurrentInputs()};
  watch_.start(kWatchMs);
}

bool GaplessNext::Take() {
  if (!prepared_) return false;
  prepared_.reset();
  watch_.stop();
  return true;
}

void GaplessNext::Drop() {
  if (!prepared_) return;
  decoder_.ClearNextFileName();
  Undo(prepared_->previousIndex, prepared_->unmarkedRow);
  prepared_.reset();
  watch_.stop();
}

void GaplessNext::Undo(int previousIndex, int unmarkedRow) {
  if (unmarkedRow > 0 && tracks_.Has(unmarkedRow)) tracks_.Model().SetSequenceMark(unmarkedRow - 1, true);
  state_.CurrentIndex = previousIndex;
}

void GaplessNext::CheckInputs() {
  if (prepared_ && !(CurrentInputs() == prepared_->inputs)) Drop();
}

}  // namespace zelvo
