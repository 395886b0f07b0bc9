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
  const TrackEntry& entry = At(index.row());
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      switch (index.column()) {
        case NameColumn: return entry.name;
        case DurationColumn: return entry.duration;
        case PathColumn: return entry.path;
        case PriorityColumn: return entry.priority;
      }
      return {};
    case Qt::FontRole: {
      const bool playing = !playingPath_.isEmpty() && entry.path == playingPath_;
      if (!entry.sequenceMark && !playing) return {};
      QFont font;
      font.setBold(entry.sequenceMark);
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

void TrackListModel::Append(TrackEntry entry) {
  const int row = rowCount();
  beginInsertRows({}, row, row);
  entries_.push_back(std::move(entry));
  endInsertRows();
}

void TrackListModel::Append(std::vector<TrackEntry> entries) {
  if (entries.empty()) return;
  const int first = rowCount();
  beginInsertRows({}, first, first + static_cast<int>(entries.size()) - 1);
  entries_.insert(entries_.end(), std::make_move_iterator(entries.begin()),
                  std::make_move_iterator(entries.end()));
  endInsertRows();
}

void TrackListModel::Replace(std::vector<TrackEntry> entries) {
  beginResetModel();
  entries_ = std::move(entries);
  endResetModel();
}

void TrackListModel::RemoveFlagged(const std::vector<bool>& doomed) {
  if (std::find(doomed.begin(), doomed.end(), true) == doomed.end()) return;
  std::vector<TrackEntry> kept;
  kept.reserve(entries_.size());
  for (size_t row = 0; row < entries_.size(); ++row)
    if (row >= doomed.size() || !doomed[row]) kept.push_back(std::move(entries_[row]));
  Replace(std::move(kept));
}

void TrackListModel::Reorder(const std::vector<int>& order) {
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  std::vector<TrackEntry> moved;
  moved.reserve(entries_.size());
  std::vector<int> newRowOf(entries_.size());
  for (size_t row = 0; row < order.size(); ++row) {
    moved.push_back(std::move(entries_[static_cast<size_t>(order[row])]));
    newRowOf[static_cast<size_t>(order[row])] = static_cast<int>(row);
  }
  entries_ = std::move(moved);
  // The selection and the cursor are persistent indexes: point each at its row's new place.
  const QModelIndexList from = persistentIndexList();
  QModelIndexList to;
  to.reserve(from.size());
  for (const QModelIndex& old : from)
    to.append(index(newRowOf[static_cast<size_t>(old.row())], old.column()));
  changePersistentIndexList(from, to);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TrackListModel::SetName(int row, const QString& name) {
  entries_[static_cast<size_t>(row)].name = name;
  RowChanged(row);
}

void TrackListModel::SetPriority(int row, const QString& priority) {
  entries_[static_cast<size_t>(row)].priority = priority;
  RowChanged(row);
}

void TrackListModel::SetSequenceMark(int row, bool marked) {
  entries_[static_cast<size_t>(row)].sequenceMark = marked;
  RowChanged(row);
}

void TrackListModel::SetPlayingPath(const QString& path) {
  if (path == playingPath_) return;
  playingPath_ = path;
  // Every cell of a row is drawn in the row's font: the duration too.
  if (rowCount() > 0)
    emit dataChanged(index(0, 0), index(rowCount() - 1, TrackColumnCount - 1), {Qt::FontRole});
}

void TrackListModel::RowChanged(int row) {
  emit dataChanged(index(row, 0), index(row, TrackColumnCount - 1));
}

}  // namespace zelvo
