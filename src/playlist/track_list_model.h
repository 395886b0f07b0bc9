#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "base/track_entry.h"

namespace zelvo {

// The rows of the playlist: the only copy of it in memory. Rows are addressed
// here 0-based as Qt does; TrackList offers the player's 1-based positions.
class TrackListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Only the name is edited in place; the end-of-edit rule lives with the caller.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  const std::vector<TrackEntry>& Entries() const { return entries_; }
  const TrackEntry& At(int row) const { return entries_[static_cast<size_t>(row)]; }

  void Append(TrackEntry entry);
  void Append(std::vector<TrackEntry> entries);
  void Replace(std::vector<TrackEntry> entries);
  // Removes every row whose flag is set in one pass; the others keep their order.
  void RemoveFlagged(const std::vector<bool>& doomed);
  // Puts the rows in a new order: new row i is old row order[i]. The rows
  // keep their selection and the cursor, which move with them.
  void Reorder(const std::vector<int>& order);

  void SetName(int row, const QString& name);
  void SetPriority(int row, const QString& priority);
  void SetSequenceMark(int row, bool marked);
  // The rows of the file being played are drawn in italics (queued rows are
  // bold); empty for none. Not saved.
  void SetPlayingPath(const QString& path);
  const QString& PlayingPath() const { return playingPath_; }

 signals:
  // A name edited in place by the user, before the model takes it.
  void NameEdited(int row, const QString& text);

 private:
  void RowChanged(int row);
  std::vector<TrackEntry> entries_;
  QString playingPath_;
};

}  // namespace zelvo
