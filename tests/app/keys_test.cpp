#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "playback/apply_options.h"
#include "player_rig.h"
#include "test_support.h"

namespace zelvo::test {
namespace {

class KeysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(rig.File("AutoSave.zpl"), PlaylistBytes({"One|01:00|/m/1.mp3|0", "Two|02:00|/m/2.mp3|0"}));
    ASSERT_TRUE(player.Start());
    // The windows jump instead of sliding, so each key meets them at rest.
    player.options().SetChecked(Entry::AniEffects, false);
  }
  // A key pressed and released on a widget with the modifiers held, as a user types it.
  static void Type(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyPress(target, key, modifiers);
    QTest::keyRelease(target, key, modifiers);
  }
  // What the keys asked of the user so far: dialogs, boxes and pop-up menus.
  QStringList Asked() {
    QStringList asked;
    for (const FileDialogRequest& request : rig.desktop.openRequests) asked << request.title;
    for (const FileDialogRequest& request : rig.desktop.saveRequests) asked << request.title;
    for (const ScriptedDesktop::Message& message : rig.desktop.messages) asked << message.title;
    for (QMenu* menu : {player.options().OptionsMenu(), player.options().SortMenu(), player.options().VolumeMenu()})
      if (menu->isVisible()) {
        asked << menu->title();
        menu->hide();
      }
    rig.desktop.openRequests.clear();
    rig.desktop.saveRequests.clear();
    rig.desktop.messages.clear();
    return asked;
  }
  std::vector<std::pair<QString, QWidget*>> Targets() {
    return {{"bar", &player.playerWindow()},
            {"playlist", &player.playlistWindow()},
            {"list", player.playlistWindow().PlayViewList()}};
  }

  PlayerRig rig;
  Player& player = rig.Make();
};

TEST_F(KeysTest, EveryShiftLetterOfTheTableWorksFromBothWindowsAndTheList) {
  const QString sortMenu = player.options().SortMenu()->title();
  const QString optionsMenu = player.options().OptionsMenu()->title();
  const QString volumeMenu = player.options().VolumeMenu()->title();
  const std::pair<Qt::Key, QStringList> table[] = {
      {Qt::Key_A, {QString::fromLatin1(kAddDialogTitle)}},
      {Qt::Key_C, {"Shift C Pressed ..."}},
      {Qt::Key_E, {"Save As ... Playlist"}},
      {Qt::Key_L, {"Load Playlist ..."}},
      {Qt::Key_O, {optionsMenu}},
      {Qt::Key_S, {sortMenu}},
      {Qt::Key_V, {volumeMenu}},
  };
  for (const auto& [where, target] : Targets()) {
    for (const auto& [key, expected] : table) {
      player.playlistWindow().show();
      Type(target, key, Qt::ShiftModifier);
      EXPECT_EQ(Asked(), expected) << where.toStdString() << " Shift+" << QTest::toString(key);
    }
    // Shift+D rolls the playlist up and drops it again.
    player.playlistWindow().show();
    Type(target, Qt::Key_D, Qt::ShiftModifier);
    EXPECT_FALSE(player.playlistWindow().isVisible()) << where.toStdString();
    Type(&player.playerWindow(), Qt::Key_D, Qt::ShiftModifier);
    EXPECT_TRUE(player.playlistWindow().isVisible()) << where.toStdString();

    // With Ctrl or Alt beside Shift, or without Shift, a letter is nothing;
    // so are the letters the tooltips name beyond the table.
    for (Qt::KeyboardModifiers modifiers : {Qt::ControlModifier | Qt::ShiftModifier,
                                            Qt::AltModifier | Qt::ShiftModifier, Qt::KeyboardModifiers()})
      for (Qt::Key key : {Qt::Key_A, Qt::Key_C, Qt::Key_D, Qt::Key_E, Qt::Key_L, Qt::Key_O, Qt::Key_S, Qt::Key_V})
        Type(target, key, modifiers);
    for (Qt::Key key : {Qt::Key_P, Qt::Key_R, Qt::Key_U, Qt::Key_N, Qt::Key_Less, Qt::Key_Greater})
      Type(target, key, Qt::ShiftModifier);
    EXPECT_EQ(Asked(), QStringList()) << where.toStdString();
    EXPECT_TRUE(player.playlistWindow().isVisible()) << where.toStdString();
  }
  EXPECT_EQ(rig.quits, 0);
  EXPECT_EQ(player.tracks().Count(), 2);
}

// Shift+S with the list rolled up drops it before the menu opens over the sort button.
TEST_F(KeysTest, ShiftSDropsARolledUpListFirst) {
  player.options().SetChecked(Entry::AniEffects, true);
  player.playlistWindow().hide();
  Type(&player.playerWindow(), Qt::Key_S, Qt::ShiftModifier);
  ASSERT_TRUE(WaitFor([&] { return player.options().SortMenu()->isVisible(); }));
  EXPECT_TRUE(player.playlistWindow().isVisible());
  EXPECT_FALSE(player.motion().Sliding());
  Asked();
}

TEST_F(KeysTest, CtrlQQuitsLikeTheCloseButtonFromEitherWindow) {
  Type(&player.playerWindow(), Qt::Key_Q, Qt::ControlModifier | Qt::ShiftModifier);
  Type(&player.playerWindow(), Qt::Key_Q, Qt::ShiftModifier);
  EXPECT_EQ(rig.quits, 0);
  Type(&player.playerWindow(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_EQ(rig.quits, 1);
  EXPECT_TRUE(rig.desktop.messages.isEmpty());  // no question, as with the close button
  EXPECT_TRUE(QFile::exists(rig.File("config.zcf")));
  Type(player.playlistWindow().PlayViewList(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_EQ(rig.quits, 2);
}

TEST_F(KeysTest, TheReturnThatEndsARenameIsNoCommand) {
  TrackListView* list = player.playlistWindow().PlayViewList();
  player.tracks().SelectOnly(2);
  player.options().Action(Entry::RenameFile)->trigger();
  auto* editor = list->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->setText("  Renamed  ");
  QTest::keyPress(editor, Qt::Key_Return);
  ASSERT_TRUE(WaitFor([&] { return player.tracks().At(2).name == "  Renamed  "; }));
  QTest::keyRelease(list, Qt::Key_Return);  // the editor is gone; the list gets the release
  EXPECT_EQ(rig.decoder->openCount, 0);
  EXPECT_EQ(player.tracks().CurrentIndex(), 0);
  EXPECT_TRUE(ReadBytes(rig.File("AutoSave.zpl")).contains("  Renamed  |02:00"));

  // A Return typed in the list itself still plays the cursor row.
  Type(list, Qt::Key_Return, Qt::NoModifier);
  EXPECT_EQ(player.tracks().CurrentIndex(), 2);
}

TEST_F(KeysTest, TheWheelOverTheVolumeButtonStepsTheVolumeAndLeavesTheTicks) {
  HotSpot* volume = player.playerWindow().MakeVolumeDrop();
  const QStringList ticked = CheckedEntries(player.options(), Category::Volume);
  auto turn = [&](int eighths) {
    const QPointF inside(volume->width() / 2.0, volume->height() / 2.0);
    QWheelEvent wheel(inside, volume->mapToGlobal(inside), QPoint(), QPoint(0, eighths), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(volume, &wheel);
  };
  rig.decoder->SetVolume(-500);
  turn(-120);
  EXPECT_EQ(rig.decoder->Volume(), -600);
  EXPECT_TRUE(player.playerWindow().VolumeBarVisible());
  turn(60);  // half a notch does nothing yet; the second half makes a whole one
  EXPECT_EQ(rig.decoder->Volume(), -600);
  turn(60);
  EXPECT_EQ(rig.decoder->Volume(), -500);
  for (int i = 0; i < 20; ++i) turn(120);
  EXPECT_EQ(rig.decoder->Volume(), 0);
  for (int i = 0; i < 20; ++i) turn(-120);
  EXPECT_EQ(rig.decoder->Volume(), -1500);
  EXPECT_DOUBLE_EQ(player.playerWindow().VolumeBarWidth(), VolumeBarWidth(-1500));
  EXPECT_EQ(CheckedEntries(player.options(), Category::Volume), ticked);
}

}  // namespace
}  // namespace zelvo::test
