#include "playback/next_track.h"

#include <algorithm>
#include <cmath>

#include "base/option_values.h"
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

NextTrackSelector::NextTrackSelector(Decoder& decoder, TrackList& tracks, const OptionValues& options,
                                     RandomSource& random)
    : decoder_(decoder), tracks_(tracks), options_(options), random_(random) {}

NextChoice NextTrackSelector::PeekNext() const {
  const int count = tracks_.Count();
  for (int position = 1; position <= count; ++position)
    if (tracks_.Model().Entries().SequenceMark(static_cast<size_t>(position - 1))) return {position, true};

  // Every checked mode is applied in turn; in normal use exactly one is.
  int position = tracks_.CurrentIndex();
  if (options_.IsChecked(Entry::NormalPlay)) {
    // The row that followed an erased playing row is next itself. A position
    // past the end wraps like the last row does, instead of failing every
    // second until the user steps in.
    if (!tracks_.CurrentRowGone()) position += 1;
    if (position > count || position < 1) position = 1;
  }
  if (options_.IsChecked(Entry::ShufflePlay) || options_.IsChecked(Entry::FuzzyPlay)) {
    if (const int drawn = DrawRow(); drawn > 0) position = drawn;
  }
  return {position, false};
}

NextChoice NextTrackSelector::PeekAfterEnd() const {
  if (tracks_.CueIndex() == tracks_.CurrentIndex()) return PeekNext();
  const int cursor = tracks_.CursorPosition();
  if (cursor == 0) return {tracks_.CurrentIndex(), false};
  return {cursor, tracks_.At(cursor).sequenceMark};
}

void NextTrackSelector::Take(const NextChoice& choice) {
  draw_.reset();
  if (choice.unqueues && tracks_.Has(choice.position))
    tracks_.Model().SetSequenceMark(choice.position - 1, false);
  tracks_.SetCurrentIndex(choice.position);
}

void NextTrackSelector::NextTrack() {
  if (decoder_.PlayState() == play_state::Playing) DemoteSkippedTrack();
  Take(PeekNext());
}

QList<bool> NextTrackSelector::CheckedModes() const {
  QList<bool> modes;
  for (Entry mode : CategoryEntries(Category::PlayMode)) modes.append(options_.IsChecked(mode));
  return modes;
}

int NextTrackSelector::DrawRow() const {
  const int count = tracks_.Count();
  const QList<bool> modes = CheckedModes();
  if (draw_ && draw_->count == count && draw_->modes == modes) return draw_->position;
  random_.Reseed();
  int position = 0;
  if (options_.IsChecked(Entry::ShufflePlay)) position = PickRow(random_.Next(), count);
  if (options_.IsChecked(Entry::FuzzyPlay)) position = FuzzyPick();
  draw_ = Draw{count, modes, position};
  return position;
}

void NextTrackSelector::PreviousTrack() {
  draw_.reset();
  const int count = tracks_.Count();
  int position = tracks_.CurrentIndex();
  if (options_.IsChecked(Entry::NormalPlay)) {
    // Before row 1 comes the last row; so does anything outside the list.
    if (position <= 1 || position > count) position = count + 1;
    position -= 1;
  }
  if (options_.IsChecked(Entry::ShufflePlay)) {
    random_.Reseed();
    position = PickRow(random_.Next(), count);
  }
  if (options_.IsChecked(Entry::FuzzyPlay)) {
    if (const int picked = FuzzyPick(); picked > 0) position = picked;
  }
  tracks_.SetCurrentIndex(position);
}

// 0 for an empty list.
int NextTrackSelector::FuzzyPick() const {
  const int count = tracks_.Count();
  int candidate = 0;
  for (int tries = 0; tries < kFuzzyTries && count > 0; ++tries) {
    candidate = PickRow(random_.Next(), count);
    if (Accepts(tracks_.At(candidate).priority)) break;
  }
  return candidate;
}

bool NextTrackSelector::Accepts(const QString& priority) const {
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
  if (!tracks_.CurrentRowGone()) ShiftPriority(tracks_.CurrentIndex(), -1);
}

void NextTrackSelector::PromoteChosenTrack() { ShiftPriority(tracks_.CurrentIndex(), +1); }

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
