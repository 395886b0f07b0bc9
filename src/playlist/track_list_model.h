#pragma once

#include <QAbstractTableModel>
#include <QPersistentModelIndex>
#include <vector>

#include "base/track_rows.h"

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

  // The rows, for reading a field at a time; At() builds a whole row.
  const TrackRows& Entries() const { return entries_; }
  TrackEntry At(int row) const { return entries_[static_cast<size_t>(row)]; }

  void Append(const TrackEntry& entry);
  void Append(TrackRows entries);
  void Replace(TrackRows entries);
  // Removes every row whose flag is set in one pass; the others keep their
  // order. The current and cue rows move with their rows; other persistent
  // indexes, the selection included, are dropped.
  void RemoveFlagged(const std::vector<bool>& doomed);
  // Puts the rows in a new order: new row i is old row order[i]. Persistent
  // indexes, the cursor among them, move with their rows.
  void Reorder(const std::vector<int>& order);

  void SetName(int row, const QString& name);
  void SetPriority(int row, const QString& priority);
  void SetSequenceMark(int row, bool marked);

  // The current row (the one playing or about to play) and the cue row (the
  // one last started or last put under the cursor by the user), -1 for none.
  // Both move with their rows through sorts, erases, deletes and adds; a
  // whole new list keeps them by number.
  int CurrentRow() const { return RowOf(current_); }
  void SetCurrentRow(int row);
  int CueRow() const { return RowOf(cue_); }
  void SetCueRow(int row);
  // The current row was removed while it was current: CurrentRow() is then
  // the row that followed it (the first row when none did). Cleared when a
  // row is made current.
  bool CurrentRowGone() const { return currentGone_; }
  // The current row is drawn in italics while its track plays (queued rows
  // are bold). Not saved.
  void SetCurrentMarked(bool marked);
  bool CurrentMarked() const { return currentMarked_ && !currentGone_; }

 signals:
  // A name edited in place by the user, before the model takes it.
  void NameEdited(int row, const QString& text);
  // The current or the cue row moved, was removed, or another row took its place.
  void PlayRowsChanged();

 private:
  // A kept row: its persistent index, or its number while no row stands there.
  struct HeldRow {
    QPersistentModelIndex index;
    int number = -1;
  };
  int RowOf(const HeldRow& held) const { return held.index.isValid() ? held.index.row() : held.number; }
  void Hold(HeldRow& held, int row);
  void RowChanged(int row);
  TrackRows entries_;
  HeldRow current_;
  HeldRow cue_;
  bool currentGone_ = false;
  bool currentMarked_ = false;
};

}  // namespace zelvo
