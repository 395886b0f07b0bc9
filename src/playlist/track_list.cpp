#include "playlist/track_list.h"

#include <algorithm>

namespace zelvo {

TrackList::TrackList(QObject* parent) : QObject(parent), model_(this), selection_(&model_, this) {}

bool TrackList::IsSelected(int position) const {
  return Has(position) && selection_.isRowSelected(position - 1, {});
}

std::vector<bool> TrackList::SelectedFlags() const {
  std::vector<bool> flags(static_cast<size_t>(Count()), false);
  for (const QItemSelectionRange& range : selection_.selection())
    for (int row = range.top(); row <= range.bottom(); ++row) flags[static_cast<size_t>(row)] = true;
  return flags;
}

std::vector<int> TrackList::SelectedPositions() const {
  std::vector<int> positions;
  const std::vector<bool> flags = SelectedFlags();
  for (size_t row = 0; row < flags.size(); ++row)
    if (flags[row]) positions.push_back(static_cast<int>(row) + 1);
  return positions;
}

int TrackList::CountSelected() const {
  const std::vector<bool> flags = SelectedFlags();
  return static_cast<int>(std::count(flags.begin(), flags.end(), true));
}

int TrackList::CursorPosition() const {
  const QModelIndex current = selection_.currentIndex();
  return current.isValid() ? current.row() + 1 : 0;
}

void TrackList::SelectOnly(int position) {
  if (!Has(position)) return;
  const QModelIndex index = model_.index(position - 1, 0);
  selection_.setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TrackList::Reorder(const std::vector<int>& order) {
  // Left in place, the selection would be moved by Qt a persistent index
  // per selected row, over a second for half of a million rows. It is taken
  // off whole, quietly (the reorder repaints every row), and put back in
  // runs at the rows' new places. The cursor moves with its row as ever.
  const std::vector<bool> wasSelected = SelectedFlags();
  {
    const QSignalBlocker quiet(selection_);
    selection_.clearSelection();
  }
  model_.Reorder(order);
  std::vector<bool> selected(wasSelected.size(), false);
  for (size_t row = 0; row < order.size(); ++row) selected[row] = wasSelected[static_cast<size_t>(order[row])];
  SelectRuns(selected);
}

void TrackList::SelectRuns(const std::vector<bool>& flags) {
  QItemSelection runs;
  for (size_t first = 0; first < flags.size();) {
    if (!flags[first]) {
      ++first;
      continue;
    }
    size_t last = first;
    while (last + 1 < flags.size() && flags[last + 1]) ++last;
    runs.append(QItemSelectionRange(model_.index(int(first), 0), model_.index(int(last), TrackColumnCount - 1)));
    first = last + 1;
  }
  if (!runs.isEmpty()) selection_.select(runs, QItemSelectionModel::Select);
}

int TrackList::EraseSelected() { return RemoveRows(SelectedFlags()); }

int TrackList::RemoveRows(const std::vector<bool>& doomed) {
  const auto first = std::find(doomed.begin(), doomed.end(), true);
  if (first == doomed.end()) return 0;
  const int before = Count();
  model_.RemoveFlagged(doomed);  // the selection goes with the rows
  const int cursorRow = std::min(static_cast<int>(first - doomed.begin()), Count() - 1);
  if (cursorRow >= 0) selection_.setCurrentIndex(model_.index(cursorRow, 0), QItemSelectionModel::NoUpdate);
  return before - Count();
}

void TrackList::Clear() {
  selection_.clear();
  model_.Replace({});
}

}  // namespace zelvo
