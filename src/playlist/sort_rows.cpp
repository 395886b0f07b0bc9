#include "playlist/sort_rows.h"

#include <algorithm>
#include <numeric>

#include "playlist/track_list.h"

namespace zelvo {
namespace {

QString ColumnText(const TrackRows& rows, size_t row, int column) {
  switch (column) {
    case DurationColumn: return rows.Duration(row);
    case PathColumn: return rows.Path(row);
    case PriorityColumn: return rows.Priority(row);
  }
  return rows.Name(row);
}

// Sorts by the three-way comparison of rows, the rows with equal texts
// keeping their order; returns the old row of each new place.
template <typename Item, typename Compare>
std::vector<int> StableOrder(std::vector<Item>& items, bool ascending, Compare compare) {
  std::stable_sort(items.begin(), items.end(), [&compare, ascending](const Item& a, const Item& b) {
    const int order = compare(a, b);
    return ascending ? order < 0 : order > 0;
  });
  std::vector<int> order;
  order.reserve(items.size());
  for (const Item& item : items) order.push_back(int(item.row));
  return order;
}

std::vector<int> OrderByText(const TrackRows& rows, int column, bool ascending) {
  // Each text is folded once rather than at each of a million rows' twenty
  // comparisons; folded texts compare as the texts do ignoring case.
  std::vector<QString> keys;
  keys.reserve(rows.size());
  for (size_t row = 0; row < rows.size(); ++row) keys.push_back(ColumnText(rows, row, column).toCaseFolded());
  struct Row {
    uint32_t row;
  };
  std::vector<Row> order(rows.size());
  for (size_t row = 0; row < rows.size(); ++row) order[row].row = uint32_t(row);
  return StableOrder(order, ascending, [&keys](Row a, Row b) { return keys[a.row].compare(keys[b.row]); });
}

// Folds a text as QString::toCaseFolded does, ASCII (most names) without
// its table look-ups. Folding goes a character at a time and leaves folded
// ASCII as it is, so the table takes over wherever other text begins.
void FoldInPlace(QString& text) {
  QChar* data = text.data();
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = data[i].unicode();
    if (c >= 0x80) {
      text = std::move(text).toCaseFolded();
      return;
    }
    if (c >= u'A' && c <= u'Z') data[i] = QChar(char16_t(c | 0x20));
  }
}

// Compares a1 followed by a2 with b1 followed by b2, unit by unit as
// QString::compare does, without joining them.
int CompareJoined(QStringView a1, QStringView a2, QStringView b1, QStringView b2) {
  if (a1.size() > b1.size()) return -CompareJoined(b1, b2, a1, a2);
  if (const int order = a1.compare(b1.first(a1.size())); order != 0) return order;
  const QStringView bMiddle = b1.sliced(a1.size());
  const qsizetype common = std::min(a2.size(), bMiddle.size());
  if (const int order = a2.first(common).compare(bMiddle.first(common)); order != 0) return order;
  if (common == a2.size()) return common == bMiddle.size() && b2.isEmpty() ? 0 : -1;
  return a2.sliced(common).compare(b2);
}

// Folded paths, compared in their two parts. Folding goes a character at a
// time and a folder ends with a separator, so a folded path is its folded
// folder followed by its folded file name. Rows in one folder compare as
// their names do; rows in folders of which the lower is not the start of the
// other compare as their folders do, decided before either name begins. The
// distinct folders, a few beside the rows, are ranked once, so most
// comparisons of a long list compare two numbers. Only where one folder
// starts another (a folder and its subfolder) does a comparison read on into
// the names.
class FoldedPaths {
 public:
  struct Key {
    uint32_t rank;  // of the row's folded folder
    uint32_t row;
  };

  explicit FoldedPaths(const TrackRows& rows) {
    RankFolders(rows);
    FoldNames(rows);
  }

  std::vector<Key> Keys() const {
    std::vector<Key> keys(rankOfRow_.size());
    for (size_t row = 0; row < keys.size(); ++row) keys[row] = {rankOfRow_[row], uint32_t(row)};
    return keys;
  }

  int Compare(const Key& a, const Key& b) const {
    if (a.rank == b.rank) return Name(a.row).compare(Name(b.row));
    if (!startsNext_[std::min(a.rank, b.rank)]) return a.rank < b.rank ? -1 : 1;
    return CompareJoined(folders_[a.rank], Name(a.row), folders_[b.rank], Name(b.row));
  }

 private:
  QStringView Name(uint32_t row) const {
    return QStringView(names_).sliced(nameStart_[row], nameStart_[row + 1] - nameStart_[row]);
  }

  void RankFolders(const TrackRows& rows) {
    // The folders the rows use, each once, with their folded texts.
    std::vector<uint32_t> slotOfFolder;
    std::vector<uint32_t> slotOfRow(rows.size());
    std::vector<QString> folded;
    for (size_t row = 0; row < rows.size(); ++row) {
      const uint32_t folder = rows.FolderNumber(row);
      if (folder >= slotOfFolder.size()) slotOfFolder.resize(folder + 1, UINT32_MAX);
      if (slotOfFolder[folder] == UINT32_MAX) {
        slotOfFolder[folder] = uint32_t(folded.size());
        folded.push_back(TrackRows::FolderText(folder).toCaseFolded());
      }
      slotOfRow[row] = slotOfFolder[folder];
    }
    // Folders alike but for case share a rank.
    std::vector<uint32_t> bySlot(folded.size());
    std::iota(bySlot.begin(), bySlot.end(), 0);
    std::sort(bySlot.begin(), bySlot.end(), [&folded](uint32_t a, uint32_t b) { return folded[a] < folded[b]; });
    std::vector<uint32_t> rankOfSlot(folded.size());
    for (uint32_t slot : bySlot) {
      if (folders_.empty() || folders_.back() != folded[slot]) folders_.push_back(std::move(folded[slot]));
      rankOfSlot[slot] = uint32_t(folders_.size() - 1);
    }
    // A text that starts no text after it starts none of the later ones.
    startsNext_.resize(folders_.size());
    for (size_t rank = 0; rank + 1 < folders_.size(); ++rank)
      startsNext_[rank] = folders_[rank + 1].startsWith(folders_[rank]);
    rankOfRow_.resize(rows.size());
    for (size_t row = 0; row < rows.size(); ++row) rankOfRow_[row] = rankOfSlot[slotOfRow[row]];
  }

  // The folded names end to end in one text, folded in a buffer kept from
  // row to row.
  void FoldNames(const TrackRows& rows) {
    nameStart_.reserve(rows.size() + 1);
    nameStart_.push_back(0);
    QString name;
    for (size_t row = 0; row < rows.size(); ++row) {
      name.resize(0);
      rows.AppendFileName(row, name);
      FoldInPlace(name);
      names_.append(name);
      nameStart_.push_back(names_.size());
    }
  }

  std::vector<QString> folders_;  // folded, by rank
  std::vector<bool> startsNext_;  // the folder is the start of the next one
  std::vector<uint32_t> rankOfRow_;
  QString names_;
  std::vector<qsizetype> nameStart_;
};

std::vector<int> OrderByPath(const TrackRows& rows, bool ascending) {
  const FoldedPaths paths(rows);
  std::vector<FoldedPaths::Key> keys = paths.Keys();
  return StableOrder(keys, ascending, [&paths](const FoldedPaths::Key& a, const FoldedPaths::Key& b) {
    return paths.Compare(a, b);
  });
}

}  // namespace

void SortRows(TrackList& tracks, int column, bool ascending) {
  const TrackRows& rows = tracks.Model().Entries();
  tracks.Reorder(column == PathColumn ? OrderByPath(rows, ascending) : OrderByText(rows, column, ascending));
}

}  // namespace zelvo
