#pragma once

#include <QString>
#include <optional>

#include "playback/next_track.h"

namespace zelvo {

class Decoder;
class TrackList;

// Whether a row's file can start: a missing file and an empty one are
// skipped, each with its own word on the display.
enum class TrackFile { Missing, Empty, Playable };
TrackFile CheckTrackFile(const QString& path);

// Asks which row follows the playing track while the last of it is still
// heard, and hands its file to the decoder to follow without a gap. Nothing
// changes until the boundary: there the question is asked again, and only
// when the answer is still the row prepared is it taken. Otherwise the user
// changed the cursor, the queue or the mode in the meantime, and their row
// starts the ordinary way.
class GaplessNext {
 public:
  GaplessNext(Decoder& decoder, TrackList& tracks, NextTrackSelector& selector);

  // The decoder's word that the playing file is decoded to its end.
  void Prepare();
  // At the boundary: true when the prepared row still is the answer and is
  // now the current row; false when nothing was prepared or the answer
  // changed (the caller starts the right row).
  bool Take();
  // Forgets a prepared row and tells the decoder so.
  void Drop();
  // Drops a prepared row that is no longer the answer (the user moved the
  // cursor or queued a row), so that the end takes the ordinary road.
  void DropIfChanged();
  bool IsPrepared() const { return prepared_.has_value(); }

 private:
  struct Prepared {
    NextChoice choice;
    QString path;
  };
  bool StillTheAnswer(const NextChoice& now) const;

  Decoder& decoder_;
  TrackList& tracks_;
  NextTrackSelector& selector_;
  std::optional<Prepared> prepared_;
};

}  // namespace zelvo
