#pragma once

#include <QString>

namespace zelvo {

class Decoder;
class OptionValues;
class RandomSource;
class TrackList;
struct PlayerState;

// Chooses which row plays next by the checked play mode, after the rows the
// user queued, and keeps the ratings learning from use: a track left while it
// plays loses a point, a track chosen by the user gains one. It only moves
// CurrentIndex; starting the row is the caller's business.
class NextTrackSelector {
 public:
  NextTrackSelector(Decoder& decoder, TrackList& tracks, PlayerState& state, const OptionValues& options,
                    RandomSource& random);

  // `playedOut`: the track being left has played to its end, so it is no
  // skip whatever the decoder's state (the next one may be chosen while the
  // last of it is still heard).
  void NextTrack(bool playedOut = false);
  void PreviousTrack();
  void FuzzyPick();

  // Lowers the rating of the row at CurrentIndex, unless the track playing
  // has lost its row (see SetPlayingRowRemoved).
  void DemoteSkippedTrack();
  void PromoteChosenTrack();
  void SequenceSelectedTracks();

  // The playing track's row was removed: CurrentIndex now names another row,
  // which must not pay for skipping it. Cleared when the next track starts.
  void SetPlayingRowRemoved(bool removed) { playingRowRemoved_ = removed; }

 private:
  // Adds a step to the rating of a row, kept within -2 ... 2; a rating that
  // is not a number is left as it is.
  void ShiftPriority(int position, int step);
  bool Accepts(const QString& priority);

  Decoder& decoder_;
  TrackList& tracks_;
  PlayerState& state_;
  const OptionValues& options_;
  RandomSource& random_;
  bool playingRowRemoved_ = false;
};

}  // namespace zelvo
