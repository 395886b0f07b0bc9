#include "playlist/sort_rows.h"

#include <algorithm>

#include "playlist/track_list.h"

namespace zelvo {
namespace {

const QString& ColumnText(const TrackEntry& entry, int column) {
  switch (column) {
    case DurationColumn: return entry.duration;
    case PathColumn: return entry.path;
    case PriorityColumn: return entry.priority;
  }
  return entry.name;
}

}  // namespace

void SortRows(TrackList& tracks, int column, bool ascending) {
  std::vector<TrackEntry> rows = tracks.Model().Entries();
  std::stable_sort(rows.begin(), rows.end(), [column, ascending](const TrackEntry& a, const TrackEntry& b) {
    const int order = ColumnText(a, column).compare(ColumnText(b, column), Qt::CaseInsensitive);
    return ascending ? order < 0 : order > 0;
  });
  tracks.Selection().clear();
  tracks.Model().Replace(std::move(rows));
}

}  // namespace zelvo
