#pragma once

#include <QString>

namespace zelvo {

// One row of the track list. The four texts are what the playlist file stores,
// in this order; the sequence mark is display state only and never saved.
struct TrackEntry {
  QString name;             // shown in "Track Name"; never empty
  QString duration;         // "mm:ss", each part at least two digits
  QString path;             // full path of the audio file
  QString priority = "0";   // "2", "1", "0", "-1" or "-2"
  bool sequenceMark = false;  // queued to play next; drawn bold
};

// Columns of the track list, in the order the rows hold their texts.
enum TrackColumn { NameColumn = 0, DurationColumn = 1, PathColumn = 2, PriorityColumn = 3, TrackColumnCount = 4 };

}  // namespace zelvo
