#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <gtest/gtest.h>

#include "playback/apply_options.h"
#include "player_rig.h"
#include "storage/playlist_file.h"
#include "storage/settings_file.h"
#include "test_support.h"

namespace zelvo::test {
namespace {

// A started player whose list holds three rows, named, timed and rated apart.
class OptionsTest : public ::testing::Test {
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

TEST_F(OptionsTest, EachEntryClearsItsCategoryAndReachesTheDecoder) {
  const struct {
    Entry entry;
    int balance;
  } balances[] = {{Entry::BalLeft, -1000}, {Entry::BalLHalf, -500}, {Entry::BalMiddle, 0}, {Entry::BalRHalf, 500}, {Entry::BalRight, 1000}};
  for (const auto& [entry, balance] : balances) {
    options.Action(entry)->trigger();
    EXPECT_EQ(CheckedEntries(options, Category::Balance), QStringList{EntryName(entry)});
    EXPECT_EQ(rig.decoder->Balance(), balance) << EntryName(entry).toStdString();
  }
  const std::pair<Entry, double> rates[] = {{Entry::DanceSE, 1.02}, {Entry::ClassicSE, 0.98}, {Entry::NormalSE, 1.0}};
  for (const auto& [entry, rate] : rates) {
    options.Action(entry)->trigger();
    EXPECT_EQ(CheckedEntries(options, Category::Effects), QStringList{EntryName(entry)});
    EXPECT_DOUBLE_EQ(rig.decoder->Rate(), rate) << EntryName(entry).toStdString();
  }
}

TEST_F(OptionsTest, VolumeLevelsSetTheDecoderAndTheVolumeBar) {
  const struct {
    Entry entry;
    int volume;
    double bar;
  } levels[] = {{Entry::MuteVol, -1500, 0}, {Entry::LowVol, -1000, 276.67}, {Entry::MedVol, -600, 498},
                {Entry::HighVol, -250, 691.67}, {Entry::FullVol, 0, 830}};
  for (const auto& [entry, volume, bar] : levels) {
    options.Action(entry)->trigger();
    EXPECT_EQ(CheckedEntries(options, Category::Volume), QStringList{EntryName(entry)});
    EXPECT_EQ(rig.decoder->Volume(), volume) << EntryName(entry).toStdString();
    EXPECT_NEAR(player.playerWindow().VolumeBarWidth(), bar, 0.01) << EntryName(entry).toStdString();
  }
}

TEST_F(OptionsTest, AChoiceHidesTheVolumeBarAndRestartsTheHoverCount) {
  player.playerWindow().SetVolumeBarVisible(true);
  options.Action(Entry::ShufflePlay)->trigger();
  EXPECT_FALSE(player.playerWindow().VolumeBarVisible());
  EXPECT_EQ(CheckedEntries(options, Category::PlayMode), QStringList{"ShufflePlay"});
  EXPECT_TRUE(player.automation().isActive());
}

TEST_F(OptionsTest, ApplyOptionsSendsEveryTickedEntryInOrderAndSkipsEmptyCategories) {
  options.SetOption(Category::Balance);
  options.SetChecked(Entry::BalLeft, true);
  options.SetChecked(Entry::BalRight, true);
  options.SetOption(Category::Volume);
  rig.decoder->SetVolume(-123);
  ApplyOptions(options, *rig.decoder);
  EXPECT_EQ(rig.decoder->Balance(), 1000);  // the later of two ticks stays
  EXPECT_EQ(rig.decoder->Volume(), -123);   // nothing ticked, nothing sent
}

TEST_F(OptionsTest, SwitchesThatAreNotInACategory) {
  const bool animated = options.IsChecked(Entry::AniEffects);
  options.Action(Entry::AniEffects)->trigger();
  EXPECT_NE(options.IsChecked(Entry::AniEffects), animated);
  options.Action(Entry::AniEffects)->trigger();
  EXPECT_EQ(options.IsChecked(Entry::AniEffects), animated);
  // "Realtime Playlist" comes only from the settings file; a click leaves it.
  options.Action(Entry::RealPlayList)->trigger();
  EXPECT_TRUE(options.IsChecked(Entry::RealPlayList));
}

TEST_F(OptionsTest, DefaultSettingsSetOnlyCheckMarksAndSay) {
  options.Action(Entry::BalRight)->trigger();
  options.Action(Entry::Trans100)->trigger();
  options.Action(Entry::UniLower)->trigger();
  options.Action(Entry::FuzzyPlay)->trigger();
  options.SetChecked(Entry::RealPlayList, false);
  rig.desktop.messages.clear();

  options.Action(Entry::DefSetMenu)->trigger();
  EXPECT_EQ(CheckedEntries(options, Category::Balance), QStringList{"BalMiddle"});
  EXPECT_EQ(CheckedEntries(options, Category::Transparency), QStringList{"Trans200"});
  EXPECT_EQ(CheckedEntries(options, Category::Uniform), QStringList{"UniFirst"});
  EXPECT_EQ(CheckedEntries(options, Category::PlayMode), QStringList{"NormalPlay"});
  EXPECT_EQ(rig.decoder->Balance(), 1000);  // until an option is applied again
  EXPECT_FALSE(options.IsChecked(Entry::RealPlayList));
  EXPECT_FALSE(QFile::exists(rig.File("config.zcf")));
  ASSERT_EQ(rig.desktop.messages.size(), 1);
  EXPECT_EQ(rig.desktop.messages[0].text, "Default Options Selected!");
  EXPECT_EQ(rig.desktop.messages[0].title, "Defaults Selected");
  EXPECT_EQ(rig.desktop.messages[0].icon, MessageIcon::Information);
  EXPECT_TRUE(player.playlistWindow().isVisible());
}

TEST_F(OptionsTest, SaveSettingsWritesTheFileAndBeeps) {
  options.Action(Entry::SaveSetMenu)->trigger();
  EXPECT_EQ(rig.desktop.beeps, 1);
  EXPECT_EQ(ReadBytes(rig.File("config.zcf")).count("\r\n"), 31);
}

TEST_F(OptionsTest, ReplayGainEntriesReachTheDecoderAndTheirOwnFile) {
  const ReplayGainSettings& sent = rig.decoder->replayGain;
  EXPECT_EQ(sent.mode, ReplayGainMode::Album);  // Automatic, in normal play
  options.Action(Entry::ShufflePlay)->trigger();
  EXPECT_EQ(sent.mode, ReplayGainMode::Track);
  QMenu* menu = player.replayGainMenu().Menu();
  EXPECT_TRUE(player.listening().Menu()->actions().contains(menu->menuAction()));  // under "Listening"
  menu->findChild<QAction*>("ReplayGainOff")->trigger();
  menu->findChild<QAction*>("PreampUntagged-6 dB")->trigger();
  EXPECT_EQ(sent.mode, ReplayGainMode::Off);
  EXPECT_EQ(sent.untaggedPreampDb, -6);
  EXPECT_TRUE(sent.preventClipping);
  player.SaveSettings();
  EXPECT_TRUE(ReadBytes(rig.File("zelvo.conf")).contains("Mode=Off"));

  PlayerRig other;  // a pre-amp typed into the file keeps an entry of its own
  WriteBytes(other.File("zelvo.conf"), "[ReplayGain]\nMode=Track\nPreventClipping=false\nPreampTagged=2.5\n");
  Player& fresh = other.Make();
  ASSERT_TRUE(fresh.Start());
  EXPECT_EQ(other.decoder->replayGain.mode, ReplayGainMode::Track);
  EXPECT_FALSE(other.decoder->replayGain.preventClipping);
  EXPECT_EQ(other.decoder->replayGain.taggedPreampDb, 2.5);
  EXPECT_EQ(fresh.replayGainMenu().Settings().taggedPreampDb, 2.5);
}

TEST_F(OptionsTest, SettingsFileStoppingAtABadLineKeepsTheBuiltInValuesFromThere) {
  QByteArray bytes;
  for (int line = 1; line <= 4; ++line) bytes += line == 1 ? "#TRUE#\r\n" : "#FALSE#\r\n";
  bytes += "abc\r\n#TRUE#\r\n";
  PlayerRig other;
  WriteBytes(other.File("config.zcf"), bytes);
  Player& fresh = other.Make();
  ASSERT_TRUE(fresh.Start());
  EXPECT_TRUE(fresh.options().IsChecked(Entry::BalLeft));
  EXPECT_FALSE(fresh.options().IsChecked(Entry::BalMiddle));   // line 3 read as false
  EXPECT_FALSE(fresh.options().IsChecked(Entry::BalRight));    // line 5 unreadable: built-in
  EXPECT_FALSE(fresh.options().IsChecked(Entry::ClassicSE));   // later lines: built-in too
  EXPECT_TRUE(fresh.options().IsChecked(Entry::NormalSE));
  EXPECT_EQ(other.decoder->Balance(), -1000);
}

TEST_F(OptionsTest, SortingByDurationComparesTextAndTogglingReversesIt) {
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

TEST_F(OptionsTest, SortingKeepsTheSelectionAndTheCursorWithTheirEntries) {
  Select({3, 1});  // Bravo, under the cursor, and Charlie
  options.Action(Entry::NameSort)->trigger();
  EXPECT_EQ(Column(NameColumn), (QStringList{"Alpha", "Bravo", "Charlie"}));
  EXPECT_EQ(player.tracks().SelectedPositions(), (std::vector<int>{2, 3}));
  EXPECT_EQ(player.tracks().CursorPosition(), 2);
  player.SaveSettings();
  EXPECT_EQ(ReadSettingsFile(player.SettingsPath()).selectedTrack, 2);
}

TEST_F(OptionsTest, ASecondClickOnAColumnTitleReversesTheOrder) {
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

TEST_F(OptionsTest, TrackMenuDescribesTheCursorRowAndRatesTheSelection) {
  const QString file = rig.File("rock & roll.mp3");
  WriteBytes(file, QByteArray(5000, 'x'));
  player.tracks().Model().Replace({{"Song", "01:00", file, "-1"}, {"Two", "01:00", "/m/2.mp3", "0"}});
  Select({1});
  RightClickList();
  EXPECT_EQ(options.Action(Entry::TotalTrackMenu)->text(), "Total Tracks: 2");
  EXPECT_EQ(options.Action(Entry::FileNameMenu)->text(), "File: rock && roll.mp3");  // "&" shown, not an accelerator
  EXPECT_EQ(options.Action(Entry::FileSizeMenu)->text(), "File Size: 4 kb");
  EXPECT_EQ(options.RatingMenu()->title(), "This &Track Is?");
  EXPECT_EQ(options.Action(Entry::SequenceMenu)->text(), "Sequence this track ...");
  EXPECT_TRUE(options.IsChecked(Entry::FuzLow));
  EXPECT_EQ(player.tracks().CueIndex(), 1);
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

TEST_F(OptionsTest, RenamingTakesTheNameAsTypedButRefusesBlanks) {
  player.tracks().Model().setData(player.tracks().Model().index(1, 0), "  New Name  ", Qt::EditRole);
  EXPECT_EQ(player.tracks().At(2).name, "  New Name  ");
  player.tracks().Model().setData(player.tracks().Model().index(1, 0), "   ", Qt::EditRole);
  EXPECT_EQ(player.tracks().At(2).name, "  New Name  ");
  EXPECT_EQ(ReadPlaylistFile(rig.File("AutoSave.zpl"), {}).rows[1].duration, "02:05");
}

TEST_F(OptionsTest, VolumeDragFollowsThePointerWithinTheScale) {
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

TEST_F(OptionsTest, AboutHelpAndWebLeadOutOfThePlayer) {
  WriteBytes(rig.File("readme.rtf"), "{\\rtf1 help}");
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

TEST_F(OptionsTest, AReturnThatWentDownInAnotherWindowStartsNothing) {
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

TEST(SettingsFlags, EveryStoredNameIsAMenuEntry) {
  for (const QString& name : kSettingsFlagEntries) EXPECT_TRUE(EntryNamed(name).has_value()) << name.toStdString();
}

}  // namespace
}  // namespace zelvo::test
