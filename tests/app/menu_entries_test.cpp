#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <gtest/gtest.h>

#include "player_rig.h"
#include "storage/playlist_file.h"
#include "storage/settings_file.h"
#include "test_support.h"

namespace zelvo::test {
namespace {

class MenuEntriesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(rig.File("AutoSave.zpl"), PlaylistBytes({"Charlie|10:05|/m/c.mp3|0", "Alpha|02:05|/m/a.mp3|0",
                                                        "Bravo|01:59|/m/b.mp3|-1"}));
    ASSERT_TRUE(player.Start());
  }
  void Select(std::initializer_list<int> positions) {
    player.tracks().Selection().clear();
    for (int position : positions)
      player.tracks().Selection().select(player.tracks().Model().index(position - 1, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
    player.tracks().Selection().setCurrentIndex(player.tracks().Model().index(*positions.begin() - 1, 0),
                                                QItemSelectionModel::NoUpdate);
  }
  QStringList Column(int column) {
    QStringList texts;
    for (int row = 0; row < player.tracks().Count(); ++row)
      texts << player.tracks().Model().index(row, column).data().toString();
    return texts;
  }
  void RightClickList() { emit player.playlistWindow().PlayViewList()->MouseReleased(2, 300, 100); }

  PlayerRig rig;
  Player& player = rig.Make();
  Options& options = player.options();
};

TEST_F(MenuEntriesTest, SortingByDurationComparesTextAndTogglingReversesIt) {
  options.Action(Entry::TimeSort)->trigger();
  EXPECT_EQ(Column(DurationColumn), (QStringList{"01:59", "02:05", "10:05"}));
  options.Action(Entry::AscOrder)->trigger();
  EXPECT_FALSE(options.IsChecked(Entry::AscOrder));
  EXPECT_EQ(Column(DurationColumn), (QStringList{"10:05", "02:05", "01:59"}));
  // Every sort reaches the autosave file.
  const PlaylistReadResult saved = ReadPlaylistFile(rig.File("AutoSave.zpl"), {});
  ASSERT_EQ(saved.rows.size(), 3u);
  EXPECT_EQ(saved.rows[0].duration, "10:05");
  options.Action(Entry::AscOrder)->trigger();
  EXPECT_EQ(Column(DurationColumn), (QStringList{"01:59", "02:05", "10:05"}));
}

TEST_F(MenuEntriesTest, SortingKeepsTheSelectionAndTheCursorWithTheirEntries) {
  Select({3, 1});  // Bravo, under the cursor, and Charlie
  options.Action(Entry::NameSort)->trigger();
  EXPECT_EQ(Column(NameColumn), (QStringList{"Alpha", "Bravo", "Charlie"}));
  EXPECT_EQ(player.tracks().SelectedPositions(), (std::vector<int>{2, 3}));
  EXPECT_EQ(player.tracks().CursorPosition(), 2);
  player.SaveSettings();
  EXPECT_EQ(ReadSettingsFile(player.SettingsPath()).selectedTrack, 2);
}

TEST_F(MenuEntriesTest, ASecondClickOnAColumnTitleReversesTheOrder) {
  auto click = [this](HotSpot* title) { emit title->Clicked(); };
  click(player.playlistWindow().ColTrack());
  EXPECT_EQ(Column(NameColumn), (QStringList{"Alpha", "Bravo", "Charlie"}));
  click(player.playlistWindow().ColTrack());
  EXPECT_EQ(Column(NameColumn), (QStringList{"Charlie", "Bravo", "Alpha"}));
  EXPECT_FALSE(options.IsChecked(Entry::AscOrder));
  // The other title sorts by its column in the order ticked now; a second click reverses it.
  click(player.playlistWindow().ColDuration());
  EXPECT_EQ(Column(DurationColumn), (QStringList{"10:05", "02:05", "01:59"}));
  click(player.playlistWindow().ColDuration());
  EXPECT_EQ(Column(DurationColumn), (QStringList{"01:59", "02:05", "10:05"}));
  EXPECT_TRUE(options.IsChecked(Entry::AscOrder));
}

TEST_F(MenuEntriesTest, TrackMenuDescribesTheCursorRowAndRatesTheSelection) {
  const QString file = rig.File("song.mp3");
  WriteBytes(file, QByteArray(5000, 'x'));
  player.tracks().Model().Replace({{"Song", "01:00", file, "-1"}, {"Two", "01:00", "/m/2.mp3", "0"}});
  Select({1});
  RightClickList();
  EXPECT_EQ(options.Action(Entry::TotalTrackMenu)->text(), "Total Tracks: 2");
  EXPECT_EQ(options.Action(Entry::FileNameMenu)->text(), "File: song.mp3");
  EXPECT_EQ(options.Action(Entry::FileSizeMenu)->text(), "File Size: 4 kb");
  EXPECT_EQ(options.RatingMenu()->title(), "This &Track Is?");
  EXPECT_EQ(options.Action(Entry::SequenceMenu)->text(), "Sequence this track ...");
  EXPECT_TRUE(options.IsChecked(Entry::FuzLow));
  EXPECT_EQ(player.state().CueIndex, 1);
  options.TrackMenu()->hide();

  Select({1, 2});
  RightClickList();
  EXPECT_EQ(options.RatingMenu()->title(), "These &Tracks Are All?");
  EXPECT_EQ(options.Action(Entry::SequenceMenu)->text(), "Sequence these tracks ...");
  EXPECT_FALSE(options.IsChecked(Entry::FuzLow));
  options.TrackMenu()->hide();
  const QByteArray savedBefore = ReadBytes(rig.File("AutoSave.zpl"));
  options.Action(Entry::FuzHigh)->trigger();
  EXPECT_EQ(Column(PriorityColumn), (QStringList{"1", "1"}));
  EXPECT_EQ(ReadBytes(rig.File("AutoSave.zpl")), savedBefore);  // ratings wait for the next save
}

TEST_F(MenuEntriesTest, RenamingTakesTheNameAsTypedButRefusesBlanks) {
  player.tracks().Model().setData(player.tracks().Model().index(1, 0), "  New Name  ", Qt::EditRole);
  EXPECT_EQ(player.tracks().At(2).name, "  New Name  ");
  player.tracks().Model().setData(player.tracks().Model().index(1, 0), "   ", Qt::EditRole);
  EXPECT_EQ(player.tracks().At(2).name, "  New Name  ");
  EXPECT_EQ(ReadPlaylistFile(rig.File("AutoSave.zpl"), {}).rows[1].duration, "02:05");
}

TEST_F(MenuEntriesTest, VolumeDragFollowsThePointerWithinTheScale) {
  HotSpot* volume = player.playerWindow().MakeVolumeDrop();
  emit volume->MouseMoved(0, 0, 405, 10);  // hovering shows the bar only
  EXPECT_TRUE(player.playerWindow().VolumeBarVisible());
  EXPECT_EQ(rig.decoder->Volume(), -600);
  emit volume->MouseMoved(1, 0, 405, 10);  // half of the 810-twip scale
  EXPECT_EQ(rig.decoder->Volume(), -750);
  emit volume->MouseMoved(0, 0, 405, 10);
  EXPECT_NEAR(player.playerWindow().VolumeBarWidth(), 415, 0.01);
  emit volume->MouseMoved(1, 0, 0, 10);
  EXPECT_EQ(rig.decoder->Volume(), -1500);
  emit volume->MouseMoved(1, 0, 900, 10);  // beyond the scale's end: full, no louder
  EXPECT_EQ(rig.decoder->Volume(), 0);
  emit volume->MouseMoved(3, 0, 100, 10);  // both buttons: no change
  EXPECT_EQ(rig.decoder->Volume(), 0);
  emit volume->MouseReleased(2, 0, 100, 10);
  EXPECT_TRUE(options.VolumeMenu()->isVisible());
  options.VolumeMenu()->hide();
}

TEST_F(MenuEntriesTest, AboutHelpAndWebLeadOutOfThePlayer) {
  options.Action(Entry::HelpMenu)->trigger();
  EXPECT_EQ(rig.desktop.opened, QStringList{rig.File("readme.rtf")});
  options.Action(Entry::WebLinkMenu)->trigger();
  EXPECT_EQ(rig.desktop.opened.last(), "https://zelvo.example.org/");
  EXPECT_TRUE(player.playlistWindow().isVisible());
  EXPECT_FALSE(player.state().DialogOpen);

  options.Action(Entry::AboutMenu)->trigger();
  QWidget* credits = nullptr;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->windowTitle() == "Zelvo Credits Page" && window->isVisible()) credits = window;
  ASSERT_NE(credits, nullptr);
  ASSERT_TRUE(rig.WaitForStillWindows());
  EXPECT_FALSE(player.playlistWindow().isVisible());  // rolled up out of the way
}

TEST_F(MenuEntriesTest, AReturnThatWentDownInAnotherWindowStartsNothing) {
  player.tracks().SelectOnly(1);
  player.playlistWindow().PlayViewList()->setFocus();
  QWidget box;  // stands for a message box answered with Return
  box.show();
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(&box, &press);
  box.hide();
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(player.playlistWindow().PlayViewList(), &release);
  EXPECT_EQ(rig.decoder->PlayState(), play_state::Closed);

  // Pressed and released in the list, it starts the cursor row (whose file
  // is not there, so the display says it is skipped).
  QKeyEvent pressHere(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(player.playlistWindow().PlayViewList(), &pressHere);
  QApplication::sendEvent(player.playlistWindow().PlayViewList(), &release);
  EXPECT_EQ(player.playerWindow().PlayerDisplay()->text(), "Skipping Track - File Not Found");
}

}  // namespace
}  // namespace zelvo::test
