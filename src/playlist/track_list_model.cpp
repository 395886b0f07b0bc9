#include "playlist/track_list_model.h"

#include <QFont>
#include <algorithm>

namespace zelvo {

int TrackListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

int TrackListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : TrackColumnCount;
}

QVariant TrackListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const auto row = static_cast<size_t>(index.row());
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      switch (index.column()) {
        case NameColumn: return entries_.Name(row);
        case DurationColumn: return entries_.Duration(row);
        case PathColumn: return entries_.Path(row);
        case PriorityColumn: return entries_.Priority(row);
      }
      return {};
    case Qt::FontRole: {
      const bool queued = entries_.SequenceMark(row);
      const bool playing = CurrentMarked() && index.row() == CurrentRow();
      if (!queued && !playing) return {};
      QFont font;
      font.setBold(queued);
      font.setItalic(playing);
      return font;
    }
    case Qt::TextAlignmentRole:
      if (index.column() == DurationColumn) return int(Qt::AlignRight | Qt::AlignVCenter);
      return {};
  }
  return {};
}

QVariant TrackListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const kHeadings[] = {"Track Name", "Duration", "Path", "Priority"};
  if (section < 0 || section >= TrackColumnCount) return {};
  return QString::fromLatin1(kHeadings[section]);
}

Qt::ItemFlags TrackListModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags base = QAbstractTableModel::flags(index);
  if (index.column() == NameColumn) base |= Qt::ItemIsEditable;
  return base;
}

bool TrackListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || index.column() != NameColumn || index.row() >= rowCount()) return false;
  emit NameEdited(index.row(), value.toString());
  return true;
}

void TrackListModel::Append(const TrackEntry& entry) {
  const int row = rowCount();
  beginInsertRows({}, row, row);
  entries_.push_back(entry);
  endInsertRows();
}

void TrackListModel::Append(TrackRows entries) {
  if (entries.empty()) return;
  const int first = rowCount();
  beginInsertRows({}, first, first + static_cast<int>(entries.size()) - 1);
  entries_.Append(std::move(entries));
  endInsertRows();
}

void TrackListModel::Replace(TrackRows entries) {
  const int current = CurrentRow();
  const int cue = CueRow();
  beginResetModel();
  entries_ = std::move(entries);
  endResetModel();
  // A list read back or opened in place of the old one keeps the positions.
  Hold(current_, current);
  Hold(cue_, cue);
  emit PlayRowsChanged();
}

void TrackListModel::RemoveFlagged(const std::vector<bool>& doomed) {
  if (std::find(doomed.begin(), doomed.end(), true) == doomed.end()) return;
  const int count = rowCount();
  auto isDoomed = [&](int row) { return row < static_cast<int>(doomed.size()) && doomed[static_cast<size_t>(row)]; };
  int current = CurrentRow();
  const bool currentGoes = current >= 0 && current < count && isDoomed(current);
  if (currentGoes) {
    // Playback goes on with the row that followed, or wraps to the first.
    int follower = current;
    while (follower < count && isDoomed(follower)) ++follower;
    if (follower == count) follower = 0;
    while (follower < count && isDoomed(follower)) ++follower;
    current = follower < count ? follower : -1;
  }
  // One reset however scattered the rows are: a signal per run of rows, or
  // a persistent index per selected row moved one by one, costs seconds in
  // a list of a million. The reset drops the selection with the rows.
  beginResetModel();
  const std::vector<int> newRowOf = entries_.RemoveFlagged(doomed);
  endResetModel();
  Hold(current_, current >= 0 && current < count ? newRowOf[static_cast<size_t>(current)] : current);
  if (currentGoes) currentGone_ = true;
  // The clicks that chose the rows are no choice of what plays next.
  cue_ = current_;
  emit PlayRowsChanged();
}

void TrackListModel::Reorder(const std::vector<int>& order) {
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const std::vector<int> newRowOf = entries_.Reorder(order);
  // Point each persistent index (the cursor, a view's) at its row's new place.
  const QModelIndexList from = persistentIndexList();
  QModelIndexList to;
  to.reserve(from.size());
  for (const QModelIndex& old : from)
    to.append(index(newRowOf[static_cast<size_t>(old.row())], old.column()));
  changePersistentIndexList(from, to);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
  emit PlayRowsChanged();
}

void TrackListModel::SetName(int row, const QString& name) {
  entries_.SetName(static_cast<size_t>(row), name);
  RowChanged(row);
}

void TrackListModel::SetPriority(int row, const QString& priority) {
  entries_.SetPriority(static_cast<size_t>(row), priority);
  RowChanged(row);
}

void TrackListModel::SetSequenceMark(int row, bool marked) {
  entries_.SetSequenceMark(static_cast<size_t>(row), marked);
  RowChanged(row);
}

void TrackListModel::Hold(HeldRow& held, int row) {
  const bool inList = row >= 0 && row < rowCount();
  held.index = inList ? QPersistentModelIndex(index(row, 0)) : QPersistentModelIndex();
  held.number = inList ? -1 : row;
}

void TrackListModel::SetCurrentRow(int row) {
  const int before = CurrentRow();
  const bool wasMarked = CurrentMarked();
  Hold(current_, row < 0 ? -1 : row);
  currentGone_ = false;
  if (wasMarked && before >= 0 && before < rowCount()) RowChanged(before);
  if (CurrentMarked() && row >= 0 && row < rowCount()) RowChanged(row);
  emit PlayRowsChanged();
}

void TrackListModel::SetCueRow(int row) {
  Hold(cue_, row < 0 ? -1 : row);
  emit PlayRowsChanged();
}

void TrackListModel::SetCurrentMarked(bool marked) {
  if (marked == currentMarked_) return;
  currentMarked_ = marked;
  const int row = CurrentRow();
  if (row >= 0 && row < rowCount()) RowChanged(row);
}

void TrackListModel::RowChanged(int row) {
  emit dataChanged(index(row, 0), index(row, TrackColumnCount - 1));
}

}  // namespace zelvo
