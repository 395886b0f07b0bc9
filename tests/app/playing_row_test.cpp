// The playing row through every edit of the list: it stays the playing row
// wherever it goes, and what plays next, the desktop's media widget and the
// autosave file follow it.

#include <QDBusObjectPath>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "desktop/mpris.h"
#include "player_rig.h"
#include "playback/decoder.h"
#include "storage/playlist_file.h"
#include "test_support.h"

namespace zelvo::test {
namespace {

class PlayingRowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QStringList records;
    for (const char* name : {"Charlie", "Alpha", "Bravo", "Delta", "Echo"}) {
      const QString path = rig.File(QString(name) + ".mp3");
      WriteBytes(path, "sound");
      rig.decoder->AddFile(path, {"", name, 120});
      records << QString(name) + "|02:00|" + path + "|0";
    }
    WriteBytes(rig.File("AutoSave.zpl"), PlaylistBytes(records));
    ASSERT_TRUE(player.Start());
  }
  void Select(int position) {
    player.tracks().Selection().clear();
    player.tracks().SelectOnly(position);
  }
  // The row named plays at a position, the next row follows it, the media
  // widget names it and the autosave file holds the list as it stands.
  void ExpectPlaying(const QString& name, int position, const QString& next) {
    SCOPED_TRACE(name.toStdString());
    TrackList& tracks = player.tracks();
    EXPECT_EQ(tracks.CurrentIndex(), position);
    EXPECT_EQ(tracks.At(position).name, name);
    EXPECT_EQ(rig.decoder->FileName(), tracks.At(position).path);
    const int following = player.playback().Selector().PeekNext().position;
    EXPECT_EQ(tracks.At(following).name, next);
    const QVariantMap metadata = mpris.PlayerProperties().value("Metadata").toMap();
    EXPECT_EQ(metadata.value("xesam:title"), name);
    EXPECT_EQ(metadata.value("mpris:trackid").value<QDBusObjectPath>().path(),
              QString("/org/zelvo/Track/%1").arg(position));
    QStringList saved;
    for (const TrackEntry& row : ReadPlaylistFile(rig.File("AutoSave.zpl"), {}).rows) saved << row.name;
    QStringList shown;
    for (const TrackEntry& row : tracks.Model().Entries()) shown << row.name;
    EXPECT_EQ(saved, shown);
  }

  PlayerRig rig;
  Player& player = rig.Make();
  Mpris mpris{player.playback(), player.tracks(), player.decoder(), [] {}, [] {}, [](const QStringList&) {}};
};

TEST_F(PlayingRowTest, SortEraseDeleteRenameAndAddKeepThePlayingRow) {
  player.tracks().SetCurrentIndex(2);
  player.playback().PlayTrack();
  QSignalSpy announced(&mpris, &Mpris::PropertiesChanged);

  player.SortPlaylist("1");  // by name: Alpha Bravo Charlie Delta Echo
  ExpectPlaying("Alpha", 1, "Bravo");
  EXPECT_EQ(announced.count(), 1);  // the new track id, at once

  Select(2);
  player.options().Action(Entry::SelectedDel)->trigger();  // Bravo leaves the list
  ExpectPlaying("Alpha", 1, "Charlie");

  Select(2);
  rig.desktop.messageAnswers = {MessageAnswer::Yes, MessageAnswer::Yes};
  player.options().Action(Entry::DeleteFile)->trigger();  // Charlie leaves the disk
  EXPECT_FALSE(QFile::exists(rig.File("Charlie.mp3")));
  ExpectPlaying("Alpha", 1, "Delta");
  player.playback().PlayButton();  // deleting stopped the decoder

  player.ToggleSortOrder();  // Echo Delta Alpha
  Select(3);
  player.options().Action(Entry::RenameFile)->trigger();
  auto* editor = player.playlistWindow().PlayViewList()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->setText("Alpha Prime");
  QTest::keyPress(editor, Qt::Key_Return);
  ASSERT_TRUE(WaitFor([&] { return player.tracks().At(3).name == "Alpha Prime"; }));
  ExpectPlaying("Alpha Prime", 3, "Echo");

  // An add stops playback first; the row stays the one the play button starts.
  const QString added = rig.File("Foxtrot.mp3");
  WriteBytes(added, "sound");
  rig.decoder->AddFile(added, {"", "Foxtrot", 60});
  rig.desktop.openAnswers.push_back(QStringList{added});
  emit player.playlistWindow().MakeAdd()->MouseReleased(1, 0, 10, 10);
  ASSERT_TRUE(WaitFor([&] { return player.tracks().Count() == 4; }));
  EXPECT_EQ(rig.decoder->PlayState(), play_state::Stopped);
  player.playback().PlayButton();
  ExpectPlaying("Alpha Prime", 3, "Foxtrot");

  player.playback().NextButton();
  ExpectPlaying("Foxtrot", 4, "Echo");
}

}  // namespace
}  // namespace zelvo::test
