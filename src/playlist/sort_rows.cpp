#include "playlist/sort_rows.h"

#include <algorithm>
#include <numeric>

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
  const std::vector<TrackEntry>& rows = tracks.Model().Entries();
  std::vector<int> order(rows.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&rows, column, ascending](int a, int b) {
    const int order = ColumnText(rows[static_cast<size_t>(a)], column)
                          .compare(ColumnText(rows[static_cast<size_t>(b)], column), Qt::CaseInsensitive);
    return ascending ? order < 0 : order > 0;
  });
  tracks.Model().Reorder(order);
}

}  // namespace zelvo
