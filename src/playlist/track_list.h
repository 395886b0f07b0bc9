#pragma once

#include <QItemSelectionModel>
#include <QObject>
#include <vector>

#include "playlist/track_list_model.h"

namespace zelvo {

// The playlist as the player's operations see it: rows addressed by 1-based
// position, any number of them selected, one with the cursor. The selection
// model is the one the list view shows, so a selection made here is what the
// user sees and the other way round.
class TrackList : public QObject {
  Q_OBJECT
 public:
  explicit TrackList(QObject* parent = nullptr);

  TrackListModel& Model() { return model_; }
  const TrackListModel& Model() const { return model_; }
  QItemSelectionModel& Selection() { return selection_; }

  int Count() const { return model_.rowCount(); }
  bool Has(int position) const { return position >= 1 && position <= Count(); }
  // The row at a 1-based position, built on demand; the caller checks Has() first.
  TrackEntry At(int position) const { return model_.At(position - 1); }

  bool IsSelected(int position) const;
  std::vector<int> SelectedPositions() const;
  int CountSelected() const;
  // Flags by 0-based row, for one-pass walks over large selections.
  std::vector<bool> SelectedFlags() const;

  // `CurrentIndex`: the 1-based position of the row being played or about to
  // be played, 0 for none; it moves with its row. `CueIndex`: the row last
  // started, or last put under the cursor by the user.
  int CurrentIndex() const { return model_.CurrentRow() + 1; }
  void SetCurrentIndex(int position) { model_.SetCurrentRow(position - 1); }
  int CueIndex() const { return model_.CueRow() + 1; }
  void SetCueIndex(int position) { model_.SetCueRow(position - 1); }
  // The playing track's row was erased; CurrentIndex names the row that followed it.
  bool CurrentRowGone() const { return model_.CurrentRowGone(); }

  // Position of the cursor row, 0 when no row has the cursor.
  int CursorPosition() const;
  // Puts the cursor on a row and makes it the only selected one.
  void SelectOnly(int position);

  // Puts the rows in a new order: new row i is old row order[i]. The
  // selection and the cursor move with their rows.
  void Reorder(const std::vector<int>& order);

  // Removes every selected row in one pass. Returns how many went.
  int EraseSelected();
  // Removes the rows whose flag (by 0-based row) is set, in one pass. The
  // cursor goes to the row that then stands at the first removed position
  // (the last row when none does); no row stays selected.
  int RemoveRows(const std::vector<bool>& doomed);
  void Clear();

 private:
  // Selects the rows whose flag is set, a range per run of rows.
  void SelectRuns(const std::vector<bool>& flags);
  TrackListModel model_;
  QItemSelectionModel selection_;
};

}  // namespace zelvo
