#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "base/boxes.h"
#include "menus/options.h"
#include "base/player_state.h"
#include "playlist/playlist_keeper.h"
#include "playlist/track_list.h"
#include "scripted_desktop.h"
#include "storage/playlist_file.h"
#include "test_support.h"
#include "window_flag.h"

namespace zelvo::test {
namespace {

class PlaylistKeeperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    window.Show();
    tracks.Model().Replace({{"Alpha", "01:00", "/m/a.mp3", "0"},
                            {"Beta", "02:00", "/m/b.mp3", "1"},
                            {"Gamma", "03:00", "/m/c.mp3", "-1"}});
  }
  void Select(int position) {
    tracks.Selection().select(tracks.Model().index(position - 1, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
  QStringList Names() const {
    QStringList names;
    for (const TrackEntry& entry : tracks.Model().Entries()) names << entry.name;
    return names;
  }
  QStringList SavedNames(const QString& path) const {
    QStringList names;
    for (const TrackEntry& entry : ReadPlaylistFile(path, {}).rows) names << entry.name;
    return names;
  }

  QTemporaryDir folder;
  ScriptedDesktop desktop;
  PlayerState state;
  Options options;
  TrackList tracks;
  WindowFlag window;
  Boxes boxes{desktop, state, window};
  int optionsApplied = 0;
  PlaylistKeeper keeper{boxes, tracks, state, options, folder.path(), window, [this] { ++optionsApplied; }};
};

TEST_F(PlaylistKeeperTest, ErasingWritesTheAutosaveOnlyWhenRealtime) {
  Select(2);
  keeper.EraseSelectedTracks();
  EXPECT_EQ(Names(), (QStringList{"Alpha", "Gamma"}));
  EXPECT_EQ(SavedNames(keeper.AutosavePath()), (QStringList{"Alpha", "Gamma"}));

  options.SetChecked(Entry::RealPlayList, false);
  Select(1);
  keeper.EraseSelectedTracks();
  EXPECT_EQ(Names(), QStringList{"Gamma"});
  EXPECT_EQ(SavedNames(keeper.AutosavePath()), (QStringList{"Alpha", "Gamma"}));
}

TEST_F(PlaylistKeeperTest, ClearingAsksFirstAndAlwaysShowsThePlaylistAfterwards) {
  window.Hide();
  desktop.messageAnswers = {MessageAnswer::No};
  keeper.ClearEntirePlaylist();
  ASSERT_EQ(desktop.messages.size(), 1);
  EXPECT_EQ(desktop.messages[0].text, "Are you sure you want to clear the entire playlist?");
  EXPECT_EQ(desktop.messages[0].title, "Clear Playlist?");
  EXPECT_EQ(desktop.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(desktop.messages[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(tracks.Count(), 3);
  EXPECT_TRUE(window.shown);
  EXPECT_FALSE(QFile::exists(keeper.AutosavePath()));
  EXPECT_EQ(optionsApplied, 0);

  desktop.messageAnswers = {MessageAnswer::Yes};
  keeper.ClearEntirePlaylist();
  EXPECT_EQ(tracks.Count(), 0);
  EXPECT_EQ(ReadBytes(keeper.AutosavePath()),
            "\"Quandrell Software - Zelvo Audio Player - Saved Playlist - V2\"\r\n");
  EXPECT_EQ(optionsApplied, 1);
  EXPECT_FALSE(state.DialogOpen);
}

TEST_F(PlaylistKeeperTest, ANewCaseStyleRenamesEveryRowInMemoryAndSavesIt) {
  tracks.Model().SetName(0, "rock & roll | live");
  tracks.SelectOnly(2);
  options.SetOption(Category::Uniform);
  options.SetChecked(Entry::UniAllCaps, true);
  keeper.UniformPlaylist();
  EXPECT_EQ(Names(), (QStringList{"ROCK AND ROLL | LIVE", "BETA", "GAMMA"}));
  EXPECT_EQ(tracks.CursorPosition(), 2);
  // The saved file carries the new names, with "|" as its look-alike, and
  // every other field in its place.
  const PlaylistReadResult saved = ReadPlaylistFile(keeper.AutosavePath(), {});
  ASSERT_EQ(saved.rows.size(), 3u);
  EXPECT_EQ(saved.rows[0].name, QString::fromUtf8("ROCK AND ROLL ¦ LIVE"));
  EXPECT_EQ(saved.rows[0].duration, "01:00");
  EXPECT_EQ(saved.rows[0].path, "/m/a.mp3");
  EXPECT_EQ(saved.rows[2].priority, "-1");
}

TEST_F(PlaylistKeeperTest, SaveAsAsksForANameAndSaysWhenTheFileCannotBeWritten) {
  const QString target = folder.filePath("mine.zpl");
  desktop.saveAnswers = {target};
  keeper.SavePlaylistAs();
  ASSERT_EQ(desktop.saveRequests.size(), 1);
  EXPECT_EQ(desktop.saveRequests[0].title, "Save As ... Playlist");
  EXPECT_EQ(desktop.saveRequests[0].initialFolder, folder.path());
  EXPECT_EQ(desktop.saveRequests[0].filter, "Zelvo Playlist Files (*.zpl)|*.zpl|All Files (*.*)|*.*");
  EXPECT_TRUE(desktop.saveRequests[0].overwritePrompt);
  EXPECT_EQ(SavedNames(target), (QStringList{"Alpha", "Beta", "Gamma"}));
  EXPECT_TRUE(desktop.messages.isEmpty());

  desktop.saveAnswers = {folder.filePath("no such folder/mine.zpl")};
  keeper.SavePlaylistAs();
  ASSERT_EQ(desktop.messages.size(), 1);
  EXPECT_EQ(desktop.messages[0].title, "Save As ... Playlist");
  EXPECT_EQ(desktop.messages[0].icon, MessageIcon::Critical);
  EXPECT_FALSE(state.DialogOpen);

  tracks.Clear();
  keeper.SavePlaylistAs();
  EXPECT_EQ(desktop.saveRequests.size(), 2);  // an empty list asks nothing
}

TEST_F(PlaylistKeeperTest, LoadingAnInvalidFileKeepsTheCurrentList) {
  const QString bad = folder.filePath("bad.zpl");
  WriteBytes(bad, "\"not a playlist\"\r\n\"x|01:00|/x|0\"\r\n");
  desktop.openAnswers = {QStringList{bad}};
  keeper.OpenPlaylist();
  ASSERT_EQ(desktop.openRequests.size(), 1);
  EXPECT_EQ(desktop.openRequests[0].title, "Load Playlist ...");
  EXPECT_TRUE(desktop.openRequests[0].mustExist);
  ASSERT_EQ(desktop.messages.size(), 1);
  EXPECT_EQ(desktop.messages[0].title, bad);
  EXPECT_EQ(Names(), (QStringList{"Alpha", "Beta", "Gamma"}));
  EXPECT_EQ(ReadBytes(bad), "\"not a playlist\"\r\n\"x|01:00|/x|0\"\r\n");  // a loaded file is never touched

  const QString good = folder.filePath("good.zpl");
  ASSERT_TRUE(WritePlaylistFile(good, {{"Delta", "04:00", "/m/d.mp3", "2"}}));
  desktop.openAnswers = {QStringList{good}};
  keeper.OpenPlaylist();
  EXPECT_EQ(Names(), QStringList{"Delta"});

  keeper.OpenPlaylist();  // cancelled
  EXPECT_EQ(Names(), QStringList{"Delta"});
}

TEST(PlaylistKeeperAutosave, AFailureToSaveIsToldOncePerRun) {
  QTemporaryDir folder;
  const QString notAFolder = folder.filePath("file");
  WriteBytes(notAFolder, "x");
  ScriptedDesktop desktop;
  PlayerState state;
  Options options;
  TrackList tracks;
  WindowFlag window;
  Boxes boxes(desktop, state, window);
  PlaylistKeeper keeper(boxes, tracks, state, options, notAFolder, window, [] {});
  EXPECT_FALSE(keeper.WriteAutosave());
  EXPECT_FALSE(keeper.WriteAutosave());
  ASSERT_EQ(desktop.messages.size(), 1);
  EXPECT_EQ(desktop.messages[0].title, "Playlist Not Saved");
  EXPECT_TRUE(desktop.messages[0].text.contains(keeper.AutosavePath()));
}

}  // namespace
}  // namespace zelvo::test
