#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace zelvo {

class Decoder;
class OptionValues;
class RandomSource;
class TrackList;

// A row chosen to play next, and what taking it changes.
struct NextChoice {
  int position = 0;        // 1-based; outside the list when the choice fails
  bool unqueues = false;   // the row leaves the queue (its bold mark goes)
  bool operator==(const NextChoice&) const = default;
};

// Chooses which row plays next by the checked play mode, after the rows the
// user queued, and keeps the ratings learning from use: a track left while it
// plays loses a point, a track chosen by the user gains one. Asking changes
// nothing (a random draw is kept until a choice is taken, so asking twice
// gives the same answer); taking a choice moves CurrentIndex.
class NextTrackSelector {
 public:
  NextTrackSelector(Decoder& decoder, TrackList& tracks, const OptionValues& options, RandomSource& random);

  // The row that follows the current one: the first queued row, else the play mode's.
  NextChoice PeekNext() const;
  // The row that follows when the current track ends: the row the user has
  // put the cursor on since the last start, else PeekNext().
  NextChoice PeekAfterEnd() const;
  // Makes a choice the current row.
  void Take(const NextChoice& choice);

  // The next button's step: a track left while it plays loses a point.
  void NextTrack();
  void PreviousTrack();

  // Lowers the rating of the row at CurrentIndex, unless the track playing
  // has lost its row (CurrentIndex then names the row that followed it).
  void DemoteSkippedTrack();
  void PromoteChosenTrack();
  void SequenceSelectedTracks();
  // A row by chance weighted with the ratings; 0 for an empty list.
  int FuzzyPick() const;

 private:
  // A random row drawn for a question, kept for the same question until taken.
  struct Draw {
    int count = 0;
    QList<bool> modes;
    int position = 0;
  };
  QList<bool> CheckedModes() const;
  int DrawRow() const;
  bool Accepts(const QString& priority) const;
  // Adds a step to the rating of a row, kept within -2 ... 2; a rating that
  // is not a number is left as it is.
  void ShiftPriority(int position, int step);

  Decoder& decoder_;
  TrackList& tracks_;
  const OptionValues& options_;
  RandomSource& random_;
  mutable std::optional<Draw> draw_;
};

}  // namespace zelvo
