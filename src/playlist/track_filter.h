#pragma once

#include <QObject>
#include <QString>
#include <vector>

namespace zelvo {

class TrackListModel;

// Finds rows by what the user types: every word must appear in the row's name
// or its path, in any order, whatever the case and the accents ("cafe" finds
// "Café"). Each row's text is folded once, when the list changes, so a key
// costs one scan of plain text: well under a frame for 100,000 rows.
class TrackFilter : public QObject {
  Q_OBJECT
 public:
  explicit TrackFilter(const TrackListModel& model, QObject* parent = nullptr);

  // 0-based rows that hold every word of `typed`, in list order; every row
  // when nothing but blanks is typed.
  std::vector<int> Match(const QString& typed);

  // A text as it is compared: accents dropped, case folded.
  static QString Fold(const QString& text);

 private:
  void FoldRows(int first, int last);

  const TrackListModel& model_;
  std::vector<QString> folded_;  // per row: name, a line break, path
  bool stale_ = true;
};

}  // namespace zelvo
