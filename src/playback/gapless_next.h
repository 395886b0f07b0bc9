#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>

namespace zelvo {

class Decoder;
class NextTrackSelector;
class OptionValues;
class TrackList;
struct PlayerState;

// Chooses the row to follow the playing track while the last of it is still
// heard, by the same rules as at its end (the cursor row if the user moved
// it, else the queue and the play mode), and hands its file to the decoder to
// follow without a gap. Until the boundary the user's word wins: a change of
// the cursor, the queue, the mode or the row itself drops the prepared file
// and puts back what choosing it changed, and the end takes the ordinary road.
class GaplessNext : public QObject {
  Q_OBJECT
 public:
  GaplessNext(Decoder& decoder, TrackList& tracks, PlayerState& state, const OptionValues& options,
              NextTrackSelector& selector, QObject* parent = nullptr);

  // The decoder's word that the playing file is decoded to its end.
  void Prepare();
  // True when a row was prepared and is now taken (the boundary has passed,
  // or the track ended before the decoder could follow): CurrentIndex is it.
  bool Take();
  // Drops a prepared row and puts CurrentIndex and its queue mark back.
  void Drop();

 private:
  // What the choice was made from; a difference means the user changed it.
  struct Inputs {
    int cue = 0;
    int cursor = 0;
    QList<bool> modes;
    QList<int> queued;
    QString chosenPath;
    bool operator==(const Inputs&) const = default;
  };
  struct Prepared {
    int previousIndex = 0;
    int unmarkedRow = 0;  // the queued row the choice took, 0 for none
    Inputs inputs;
  };

  Inputs CurrentInputs() const;
  QList<int> QueuedRows() const;
  // Moves CurrentIndex as the end of the track would; returns the queued row
  // whose mark it cleared, 0 for none.
  int Choose();
  void Undo(int previousIndex, int unmarkedRow);
  void CheckInputs();

  Decoder& decoder_;
  TrackList& tracks_;
  PlayerState& state_;
  const OptionValues& options_;
  NextTrackSelector& selector_;
  std::optional<Prepared> prepared_;
  QTimer watch_;
};

}  // namespace zelvo
