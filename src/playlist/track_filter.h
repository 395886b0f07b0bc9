#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace zelvo {

class TrackListModel;

// Finds rows by what the user types: every word must appear in the row's name
// or its path, in any order, whatever the case and the accents ("cafe" finds
// "Café"). Each row's text is folded once, when the list changes, so a key
// costs one scan of plain text: well under a frame for 100,000 rows. The
// folded texts are kept a byte a character where they can be and each
// folder once: about a hundred bytes a row for typical names and paths.
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
  struct Word;
  // A row's folded name, a line break and its folded file name, in one of
  // the two stores.
  struct RowText {
    qsizetype start = 0;
    uint32_t nameLength = 0;
    uint32_t fileLength : 31 = 0;
    uint32_t wide : 1 = 0;  // in wide_, else in latin1_
  };

  void FoldAll();
  void FoldRow(size_t row);
  void FoldFolder(uint32_t folder);
  Word Prepare(const QString& folded) const;
  bool RowHolds(size_t row, const Word& word) const;
  QString FoldedPath(size_t row) const;

  const TrackListModel& model_;
  std::vector<RowText> rows_;
  QByteArray latin1_;  // folded texts all of whose characters are Latin-1
  QString wide_;       // the others
  std::vector<std::optional<QString>> folders_;  // folded, by folder number, for the folders rows use
  bool stale_ = true;
};

}  // namespace zelvo
