#include "playback/next_track.h"

#include <algorithm>
#include <cmath>

#include "base/option_values.h"
#include "base/player_state.h"
#include "playback/decoder.h"
#include "playback/random_source.h"
#include "playlist/track_list.h"

namespace zelvo {
namespace {

// A fuzzy candidate gets this many draws before the last one is taken anyway.
constexpr int kFuzzyTries = 100;
constexpr int kLowestPriority = -2;
constexpr int kHighestPriority = 2;

}  // namespace

NextTrackSelector::NextTrackSelector(Decoder& decoder, TrackList& tracks, PlayerState& state,
                                     const OptionValues& options, RandomSource& random)
    : decoder_(decoder), tracks_(tracks), state_(state), options_(options), random_(random) {}

void NextTrackSelector::NextTrack(bool playedOut) {
  random_.Reseed();
  if (!playedOut && decoder_.PlayState() == play_state::Playing) DemoteSkippedTrack();

  const int count = tracks_.Count();
  for (int position = 1; position <= count; ++position) {
    if (tracks_.At(position).sequenceMark) {
      state_.CurrentIndex = position;
      tracks_.Model().SetSequenceMark(position - 1, false);
      return;
    }
  }

  // Every checked mode is applied in turn; in normal use exactly one is.
  if (options_.IsChecked(Entry::NormalPlay)) {
    // A position past the end (rows were erased) wraps like the last row
    // does, instead of failing every second until the user steps in.
    if (state_.CurrentIndex >= count || state_.CurrentIndex < 0) state_.CurrentIndex = 0;
    state_.CurrentIndex += 1;
  }
  if (options_.IsChecked(Entry::ShufflePlay)) state_.CurrentIndex = PickRow(random_.Next(), count);
  if (options_.IsChecked(Entry::FuzzyPlay)) FuzzyPick();
}

void NextTrackSelector::PreviousTrack() {
  const int count = tracks_.Count();
  if (options_.IsChecked(Entry::NormalPlay)) {
    // A playing row that was removed stood just after CurrentIndex: the row
    // before it is the one at CurrentIndex itself.
    if (playingRowRemoved_) state_.CurrentIndex += 1;
    // Before row 1 comes the last row; so does anything outside the list.
    if (state_.CurrentIndex <= 1 || state_.CurrentIndex > count) state_.CurrentIndex = count + 1;
    state_.CurrentIndex -= 1;
  }
  if (options_.IsChecked(Entry::ShufflePlay)) {
    random_.Reseed();
    state_.CurrentIndex = PickRow(random_.Next(), count);
  }
  if (options_.IsChecked(Entry::FuzzyPlay)) FuzzyPick();
}

void NextTrackSelector::FuzzyPick() {
  const int count = tracks_.Count();
  if (count == 0) return;
  int candidate = 0;
  for (int tries = 0; tries < kFuzzyTries; ++tries) {
    candidate = PickRow(random_.Next(), count);
    if (Accepts(tracks_.At(candidate).priority)) break;
  }
  state_.CurrentIndex = candidate;
}

bool NextTrackSelector::Accepts(const QString& priority) {
  // Each rating is accepted when a fresh draw lands in the second of k equal
  // slices: chances 1/2, 1/4, 1/10 and 1/100. Other texts never are.
  int slices = 0;
  if (priority == QLatin1String("2")) return true;
  if (priority == QLatin1String("1")) slices = 2;
  else if (priority == QLatin1String("0")) slices = 4;
  else if (priority == QLatin1String("-1")) slices = 10;
  else if (priority == QLatin1String("-2")) slices = 100;
  else return false;
  return static_cast<int>(std::floor(random_.Next() * slices + 1)) == 2;
}

void NextTrackSelector::DemoteSkippedTrack() {
  if (!playingRowRemoved_) ShiftPriority(state_.CurrentIndex, -1);
}

void NextTrackSelector::PromoteChosenTrack() { ShiftPriority(state_.CurrentIndex, +1); }

void NextTrackSelector::SequenceSelectedTracks() {
  for (int position : tracks_.SelectedPositions()) {
    tracks_.Model().SetSequenceMark(position - 1, true);
    ShiftPriority(position, +1);
  }
}

void NextTrackSelector::ShiftPriority(int position, int step) {
  if (!tracks_.Has(position)) return;
  bool isNumber = false;
  const int value = tracks_.At(position).priority.toInt(&isNumber);
  if (!isNumber) return;
  // A hand-edited rating outside the range comes back into it.
  const int shifted = std::clamp(value + step, kLowestPriority, kHighestPriority);
  if (shifted != value) tracks_.Model().SetPriority(position - 1, QString::number(shifted));
}

}  // namespace zelvo
