#pragma once

#include <QString>
#include <initializer_list>
#include <vector>

#include "base/packed_text.h"
#include "base/track_entry.h"

namespace zelvo {

// The rows of a track list, kept small enough for a million of them: a
// duration is held as its seconds and a priority as its number, each written
// out again when asked for; the folder of a path is kept once for all the
// rows in it, the file name per row. A duration or priority text that would
// not come back the same from its number (an odd text from an old or
// hand-made file) is kept as it is, so every text reads back exactly as it
// was given. Rows are handed out as TrackEntry values built on demand, or a
// field at a time.
class TrackRows {
 public:
  TrackRows() = default;
  TrackRows(std::initializer_list<TrackEntry> entries);
  TrackRows(const std::vector<TrackEntry>& entries);  // NOLINT: rows convert freely

  size_t size() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }
  void reserve(size_t count) { rows_.reserve(count); }

  TrackEntry operator[](size_t row) const;
  TrackEntry back() const { return (*this)[size() - 1]; }

  // Walks the rows as TrackEntry values.
  class Iterator {
   public:
    Iterator(const TrackRows& rows, size_t row) : rows_(&rows), row_(row) {}
    TrackEntry operator*() const { return (*rows_)[row_]; }
    Iterator& operator++() {
      ++row_;
      return *this;
    }
    bool operator==(const Iterator& other) const { return row_ == other.row_; }

   private:
    const TrackRows* rows_;
    size_t row_;
  };
  Iterator begin() const { return {*this, 0}; }
  Iterator end() const { return {*this, size()}; }

  QString Name(size_t row) const { return rows_[row].name.ToString(); }
  QString Duration(size_t row) const;
  QString Path(size_t row) const;
  QString Priority(size_t row) const;
  bool SequenceMark(size_t row) const { return rows_[row].sequenceMark; }
  // The same texts appended to a buffer the caller keeps, for walks over every row.
  void AppendName(size_t row, QString& out) const { rows_[row].name.AppendTo(out); }
  void AppendDuration(size_t row, QString& out) const;
  void AppendPath(size_t row, QString& out) const;
  // A path in its two parts: the folder (up to its last separator), shared
  // between rows and known by its number, and the file name after it.
  uint32_t FolderNumber(size_t row) const { return rows_[row].folder; }
  static QString FolderText(uint32_t folder);
  void AppendFileName(size_t row, QString& out) const { rows_[row].file.AppendTo(out); }

  void push_back(const TrackEntry& entry);
  // A row from the four texts; the path is split and its folder shared.
  void Append(QStringView name, QStringView duration, QStringView path, QStringView priority);
  void Append(TrackRows&& more);

  void SetName(size_t row, QStringView name) { rows_[row].name = PackedText(name); }
  void SetPriority(size_t row, QStringView priority);
  void SetSequenceMark(size_t row, bool marked) { rows_[row].sequenceMark = marked; }

  // Removes the rows whose flag is set in one pass; returns the new number
  // of each old row, -1 for a removed one.
  std::vector<int> RemoveFlagged(const std::vector<bool>& doomed);
  // New row i is old row order[i]; returns the new number of each old row.
  std::vector<int> Reorder(const std::vector<int>& order);

 private:
  struct Row {
    PackedText name;
    PackedText file;  // the path after its folder
    uint32_t folder = 0;
    uint32_t duration = 0;  // seconds, or the number of an odd text
    int32_t priority = 0;   // the rating, or the number of an odd text
    bool oddDuration = false;
    bool oddPriority = false;
    bool sequenceMark = false;
  };
  std::vector<Row> rows_;
};

}  // namespace zelvo
