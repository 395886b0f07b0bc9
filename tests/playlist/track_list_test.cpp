#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

#include "playlist/sort_rows.h"
#include "playlist/track_list.h"

namespace zelvo {
namespace {

TrackList& Filled(TrackList& list, int rows) {
  std::vector<TrackEntry> entries;
  for (int i = 1; i <= rows; ++i)
    entries.push_back({QString("Track %1").arg(i), "01:00", QString("/m/%1.mp3").arg(i), "0"});
  list.Model().Replace(std::move(entries));
  return list;
}

void Select(TrackList& list, int position) {
  list.Selection().select(list.Model().index(position - 1, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

TEST(TrackList, ErasingSelectedRowsKeepsTheOthersInOrder) {
  TrackList list;
  QAbstractItemModelTester tester(&list.Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
  Filled(list, 5);
  Select(list, 2);
  Select(list, 3);
  EXPECT_EQ(list.CountSelected(), 2);
  EXPECT_EQ(list.EraseSelected(), 2);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.At(1).name, "Track 1");
  EXPECT_EQ(list.At(2).name, "Track 4");
  EXPECT_EQ(list.At(3).name, "Track 5");
  EXPECT_EQ(list.CountSelected(), 0);
  EXPECT_EQ(list.CursorPosition(), 2);  // on the row now at the first erased place
}

TEST(SortRows, OnlyTheOrderChangesTheSelectionAndTheCursorMoveWithTheirRows) {
  TrackList list;
  QAbstractItemModelTester tester(&list.Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
  list.Model().Replace({{"Charlie", "01:00", "/c", "0"},
                        {"alpha", "02:00", "/a", "0"},
                        {"Bravo", "03:00", "/b", "0"},
                        {"Delta", "04:00", "/d", "0"}});
  Select(list, 1);
  Select(list, 3);
  list.Selection().setCurrentIndex(list.Model().index(2, 0), QItemSelectionModel::NoUpdate);
  SortRows(list, NameColumn, true);
  EXPECT_EQ(list.At(1).name, "alpha");
  EXPECT_EQ(list.At(2).name, "Bravo");
  EXPECT_EQ(list.SelectedPositions(), (std::vector<int>{2, 3}));
  EXPECT_EQ(list.CursorPosition(), 2);
  SortRows(list, NameColumn, false);
  EXPECT_EQ(list.At(1).name, "Delta");
  EXPECT_EQ(list.SelectedPositions(), (std::vector<int>{2, 3}));
  EXPECT_EQ(list.CursorPosition(), 3);
  EXPECT_EQ(list.At(3).path, "/b");
}

std::vector<QString> Paths(const TrackList& list) {
  std::vector<QString> paths;
  for (int position = 1; position <= list.Count(); ++position) paths.push_back(list.At(position).path);
  return paths;
}

// Paths compare whole, ignoring case: a file in a folder sorts among the
// subfolders beside it, and paths alike but for case keep their order.
TEST(SortRows, PathsCompareWholeAcrossFoldersAndTheirSubfolders) {
  TrackList list;
  std::vector<TrackEntry> entries;
  for (const char* path : {"/m/b.mp3", "loose.mp3", "/m/a/x.mp3", "C:\\M\\z.mp3", "/M/A/y.mp3", "/m/c.mp3",
                           "/m/A/x.mp3", "/m/a.mp3"})
    entries.push_back({"n", "01:00", path, "0"});
  list.Model().Replace(std::move(entries));
  SortRows(list, PathColumn, true);
  EXPECT_EQ(Paths(list), (std::vector<QString>{"/m/a.mp3", "/m/a/x.mp3", "/m/A/x.mp3", "/M/A/y.mp3", "/m/b.mp3",
                                               "/m/c.mp3", "C:\\M\\z.mp3", "loose.mp3"}));
  SortRows(list, PathColumn, false);
  EXPECT_EQ(Paths(list), (std::vector<QString>{"loose.mp3", "C:\\M\\z.mp3", "/m/c.mp3", "/m/b.mp3", "/M/A/y.mp3",
                                               "/m/a/x.mp3", "/m/A/x.mp3", "/m/a.mp3"}));
}

TEST(TrackList, ErasingWithNothingSelectedChangesNothing) {
  TrackList list;
  Filled(list, 3);
  EXPECT_EQ(list.EraseSelected(), 0);
  EXPECT_EQ(list.Count(), 3);
}

TEST(TrackList, CursorAndSelectionUseOneBasedPositions) {
  TrackList list;
  Filled(list, 4);
  EXPECT_EQ(list.CursorPosition(), 0);
  list.SelectOnly(4);
  EXPECT_EQ(list.CursorPosition(), 4);
  EXPECT_TRUE(list.IsSelected(4));
  EXPECT_FALSE(list.IsSelected(3));
  EXPECT_EQ(list.SelectedPositions(), std::vector<int>{4});
  EXPECT_FALSE(list.Has(0));
  EXPECT_FALSE(list.Has(5));
}

TEST(TrackList, SequenceMarkDrawsTheRowBold) {
  TrackList list;
  Filled(list, 2);
  list.Model().SetSequenceMark(1, true);
  EXPECT_TRUE(list.Model().data(list.Model().index(1, 0), Qt::FontRole).value<QFont>().bold());
  EXPECT_FALSE(list.Model().data(list.Model().index(0, 0), Qt::FontRole).isValid());
}

}  // namespace
}  // namespace zelvo
