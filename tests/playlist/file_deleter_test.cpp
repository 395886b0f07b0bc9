#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "base/boxes.h"
#include "menus/options.h"
#include "base/player_state.h"
#include "playlist/file_deleter.h"
#include "playlist/playlist_keeper.h"
#include "playlist/track_list.h"
#include "scripted_desktop.h"
#include "storage/playlist_file.h"
#include "test_support.h"
#include "window_flag.h"

namespace zelvo::test {
namespace {

const QString kFirstQuestion = "Are you sure you want to physically remove these selected file(s) ...";
const QString kClosing = "Click Yes to Delete the Selected Files ...";

// Notes, at each box, what the user could see of the player behind it.
struct WatchingDesktop : ScriptedDesktop {
  std::function<void()> atEachBox = [] {};
  MessageAnswer ShowMessage(const QString& text, const QString& title, MessageIcon icon,
                            MessageButtons buttons) override {
    atEachBox();
    return ScriptedDesktop::ShowMessage(text, title, icon, buttons);
  }
};

class FileDeleterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    window.Show();
    desktop.atEachBox = [this] {
      dialogOpenAtBoxes << state.DialogOpen;
      playlistShownAtBoxes << window.shown;
    };
  }
  // A row whose file is really on disk, in the music folder.
  QString AddFile(const QString& name) {
    const QString path = QDir(folder.path()).filePath(name);
    WriteBytes(path, "ID3 not really music");
    AddRow(name, path);
    return path;
  }
  void AddRow(const QString& name, const QString& path) {
    tracks.Model().Append(TrackEntry{name, "01:00", path, "0"});
  }
  void Select(std::initializer_list<int> positions) {
    for (int position : positions)
      tracks.Selection().select(tracks.Model().index(position - 1, 0),
                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
  void AnswerYesTwice() { desktop.messageAnswers = {MessageAnswer::Yes, MessageAnswer::Yes}; }
  QStringList Names() const {
    QStringList names;
    for (const TrackEntry& entry : tracks.Model().Entries()) names << entry.name;
    return names;
  }
  QStringList SavedNames() const {
    QStringList names;
    for (const TrackEntry& entry : ReadPlaylistFile(keeper.AutosavePath(), {}).rows) names << entry.name;
    return names;
  }
  QStringList Titles() const {
    QStringList titles;
    for (const ScriptedDesktop::Message& message : desktop.messages) titles << message.title;
    return titles;
  }

  QTemporaryDir folder;
  QTemporaryDir program;
  WatchingDesktop desktop;
  PlayerState state;
  Options options;
  TrackList tracks;
  WindowFlag window;
  Boxes boxes{desktop, state, window};
  PlaylistKeeper keeper{boxes, tracks, state, options, program.path(), window, [] {}};
  int decoderStops = 0;
  FileDeleter deleter{boxes, tracks, state, keeper, window, [this] { ++decoderStops; }};
  QList<bool> dialogOpenAtBoxes;
  QList<bool> playlistShownAtBoxes;
};

TEST_F(FileDeleterTest, ThreeAdjacentRowsGoFromDiskAndListAfterTwoYesAnswers) {
  QStringList paths;
  for (int i = 1; i <= 6; ++i) paths << AddFile(QString("Track %1.mp3").arg(i));
  Select({2, 3, 4});
  AnswerYesTwice();
  deleter.DeleteSelectedFiles();

  ASSERT_EQ(desktop.messages.size(), 2);
  EXPECT_EQ(desktop.messages[0].title, "Physically Delete Files?");
  EXPECT_EQ(desktop.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(desktop.messages[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(desktop.messages[1].title, "Delete Confirmation");
  EXPECT_EQ(desktop.messages[1].text,
            "Note: These files will be unrecoverable after the delete process is complete, "
            "Are you sure you want to continue ...");
  EXPECT_EQ(desktop.messages[1].icon, MessageIcon::Information);
  EXPECT_EQ(desktop.messages[1].buttons, MessageButtons::YesNo);
  // DialogOpen held and the playlist away across both boxes; both back afterwards.
  EXPECT_EQ(dialogOpenAtBoxes, (QList<bool>{true, true}));
  EXPECT_EQ(playlistShownAtBoxes, (QList<bool>{false, false}));
  EXPECT_FALSE(state.DialogOpen);
  EXPECT_TRUE(window.shown);

  EXPECT_EQ(decoderStops, 1);
  EXPECT_EQ(Names(), (QStringList{"Track 1.mp3", "Track 5.mp3", "Track 6.mp3"}));
  for (int i : {0, 4, 5}) EXPECT_TRUE(QFile::exists(paths[i])) << i;
  for (int i : {1, 2, 3}) EXPECT_FALSE(QFile::exists(paths[i])) << i;
  EXPECT_EQ(SavedNames(), Names());
  // The cursor stands on the row that took the first deleted row's place.
  EXPECT_EQ(tracks.CursorPosition(), 2);
}

TEST_F(FileDeleterTest, TheLastRowAloneIsDeletedAndTheWalkEndsThere) {
  const QString first = AddFile("one.mp3");
  const QString last = AddFile("two.mp3");
  Select({2});
  AnswerYesTwice();
  deleter.DeleteSelectedFiles();
  EXPECT_EQ(Names(), QStringList{"one.mp3"});
  EXPECT_TRUE(QFile::exists(first));
  EXPECT_FALSE(QFile::exists(last));
  EXPECT_EQ(tracks.CursorPosition(), 1);
}

TEST_F(FileDeleterTest, TheFirstQuestionListsEachPathOnALineOfItsOwn) {
  AddRow("A", "C:\\A.mp3");
  AddRow("B", "C:\\B.mp3");
  AddRow("C", "C:\\C.mp3");
  Select({1, 2});
  deleter.DeleteSelectedFiles();  // answered No
  ASSERT_EQ(desktop.messages.size(), 1);
  EXPECT_EQ(desktop.messages[0].text, kFirstQuestion + "\r\rC:\\A.mp3\rC:\\B.mp3\r\r" + kClosing);

  // No row selected: both questions still come, nothing goes but the decoder stops.
  tracks.Selection().clear();
  desktop.messages.clear();
  AnswerYesTwice();
  deleter.DeleteSelectedFiles();
  ASSERT_EQ(desktop.messages.size(), 2);
  EXPECT_EQ(desktop.messages[0].text, kFirstQuestion + "\r\r\r" + kClosing);
  EXPECT_EQ(decoderStops, 1);
  EXPECT_EQ(tracks.Count(), 3);
}

TEST_F(FileDeleterTest, EitherNoKeepsEveryFileAndStillSavesAndShowsTheList) {
  const QString path = AddFile("keep.mp3");
  Select({1});
  for (const auto& answers : {std::deque<MessageAnswer>{MessageAnswer::No},
                              std::deque<MessageAnswer>{MessageAnswer::Yes, MessageAnswer::No}}) {
    QFile::remove(keeper.AutosavePath());
    window.Hide();
    desktop.messageAnswers = answers;
    deleter.DeleteSelectedFiles();
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(tracks.Count(), 1);
    EXPECT_EQ(decoderStops, 0);
    EXPECT_EQ(SavedNames(), QStringList{"keep.mp3"});
    EXPECT_TRUE(window.shown);
    EXPECT_FALSE(state.DialogOpen);
  }
  EXPECT_EQ(Titles(), (QStringList{"Physically Delete Files?", "Physically Delete Files?", "Delete Confirmation"}));
}

TEST_F(FileDeleterTest, AnEmptyListAsksNothing) {
  deleter.DeleteSelectedFiles();
  EXPECT_TRUE(desktop.messages.isEmpty());
  EXPECT_FALSE(QFile::exists(keeper.AutosavePath()));
}

TEST_F(FileDeleterTest, NamesWithBlanksQuotesAndAccentsDeleteExactlyTheSelectedFiles) {
  const QString blanks = AddFile("  two  blanks  .mp3");
  const QString quotes = AddFile("it's \"quoted\" | piped.mp3");
  const QString accents = AddFile(QString::fromUtf8("Café – Ünïcode ♫.wma"));
  const QString lookAlike = AddFile(QString::fromUtf8("Cafe – Unicode ♫.wma"));
  Select({1, 2, 3});
  AnswerYesTwice();
  deleter.DeleteSelectedFiles();
  EXPECT_FALSE(QFile::exists(blanks));
  EXPECT_FALSE(QFile::exists(quotes));
  EXPECT_FALSE(QFile::exists(accents));
  EXPECT_TRUE(QFile::exists(lookAlike));
  EXPECT_EQ(Names(), QStringList{QString::fromUtf8("Cafe – Unicode ♫.wma")});
  EXPECT_EQ(desktop.messages.size(), 2);  // no failures to tell
}

TEST_F(FileDeleterTest, DuplicatePathsNeverTakeAnUnselectedFileAndAGoneFileCountsAsDeleted) {
  const QString shared = AddFile("shared.mp3");
  AddRow("shared again", shared);
  const QString other = AddFile("other.mp3");
  AddRow("already gone", QDir(folder.path()).filePath("gone.mp3"));
  Select({1, 2, 4});
  AnswerYesTwice();
  deleter.DeleteSelectedFiles();
  EXPECT_FALSE(QFile::exists(shared));
  EXPECT_TRUE(QFile::exists(other));
  EXPECT_EQ(Names(), QStringList{"other.mp3"});
  EXPECT_EQ(desktop.messages.size(), 2);
}

TEST_F(FileDeleterTest, AFileThatCannotGoKeepsItsRowAndIsToldWithTheReasonAtTheEnd) {
  const QString aFile = AddFile("plain file");
  const QString underAFile = aFile + "/song.mp3";  // its folder is a file
  AddRow("under a file", underAFile);
  const QString aFolder = QDir(folder.path()).filePath("a folder.mp3");
  ASSERT_TRUE(QDir().mkpath(aFolder));
  AddRow("a folder", aFolder);
  const QString last = AddFile("last.mp3");
  Select({2, 3, 4});
  AnswerYesTwice();
  deleter.DeleteSelectedFiles();

  EXPECT_FALSE(QFile::exists(last));  // the walk went on past the failures
  EXPECT_TRUE(QFileInfo(aFolder).isDir());
  EXPECT_TRUE(QFile::exists(aFile));
  EXPECT_EQ(Names(), (QStringList{"plain file", "under a file", "a folder"}));
  ASSERT_EQ(desktop.messages.size(), 3);
  EXPECT_EQ(desktop.messages[2].title, "Files Not Deleted");
  EXPECT_EQ(desktop.messages[2].icon, MessageIcon::Exclamation);
  EXPECT_EQ(desktop.messages[2].text, "These files could not be deleted and stay in the playlist:\r" + underAFile +
                                          " (Not a directory)\r" + aFolder + " (Is a directory)");
  EXPECT_EQ(dialogOpenAtBoxes, (QList<bool>{true, true, true}));
  EXPECT_EQ(playlistShownAtBoxes, (QList<bool>{false, false, false}));
  EXPECT_EQ(SavedNames(), Names());
}

TEST_F(FileDeleterTest, ASelectionChangedBehindTheBoxesDeletesOnlyWhatWasNamed) {
  const QString named = AddFile("named.mp3");
  const QString addedLater = AddFile("added later.mp3");
  Select({1});
  desktop.atEachBox = [this] { Select({2}); };
  AnswerYesTwice();
  deleter.DeleteSelectedFiles();
  EXPECT_FALSE(QFile::exists(named));
  EXPECT_TRUE(QFile::exists(addedLater));
  EXPECT_EQ(Names(), QStringList{"added later.mp3"});
}

TEST_F(FileDeleterTest, WithoutRealtimePlaylistTheAutosaveIsNotWritten) {
  options.SetChecked(Entry::RealPlayList, false);
  const QString path = AddFile("song.mp3");
  Select({1});
  AnswerYesTwice();
  deleter.DeleteSelectedFiles();
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_FALSE(QFile::exists(keeper.AutosavePath()));
}

}  // namespace
}  // namespace zelvo::test
