// Music arriving from outside the add dialog: dropped from a file manager,
// named on the command line, or listed in another player's playlist.

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include "player_rig.h"
#include "storage/foreign_playlist.h"
#include "storage/playlist_file.h"
#include "test_support.h"

namespace zelvo::test {
namespace {

// A started player and a music folder of real files the scripted decoder knows.
struct OutsideRig : PlayerRig {
  QTemporaryDir music;
  Player* player = nullptr;

  OutsideRig() {
    player = &Make();
    EXPECT_TRUE(player->Start());
  }
  QString Song(const QString& relative, const QString& author = {}, const QString& title = {}) {
    const QString path = music.filePath(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile::copy(DataFile("tone.ogg"), path);
    decoder->AddFile(path, {author, title, 61});
    return path;
  }
  QStringList Rows() const {
    QStringList rows;
    for (int i = 1; i <= player->tracks().Count(); ++i)
      rows << player->tracks().At(i).name + " | " + player->tracks().At(i).duration;
    return rows;
  }
  void Drop(QWidget& target, const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    const QPoint at(target.width() / 2, target.height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
    EXPECT_TRUE(drop.isAccepted());
  }
};

TEST(FileDrops, AFolderDroppedOnThePlaylistWindowIsAddedInNaturalOrder) {
  OutsideRig rig;
  rig.Song("Album/10 - Ten.ogg");
  rig.Song("Album/2 - Two.ogg", "Band", "Second");
  rig.Song("Album/cover.jpg");
  rig.Song("Album/.hidden/x.ogg");
  rig.Drop(rig.player->playlistWindow(), {rig.music.filePath("Album")});
  ASSERT_TRUE(WaitFor([&] { return rig.player->tracks().Count() == 2; }));
  EXPECT_EQ(rig.Rows(), QStringList({"Band - Second | 01:01", "10 - Ten | 01:01"}));
  EXPECT_EQ(rig.player->playerWindow().PlayerDisplay()->text(), "Track Add Complete ...");
  EXPECT_EQ(rig.player->state().LastAddFolder, rig.music.path() + "/");
  EXPECT_FALSE(rig.player->state().DialogOpen);
  // "Realtime Playlist" is on: the autosave file holds the new rows.
  const PlaylistReadResult saved = ReadPlaylistFile(rig.File("AutoSave.zpl"), {});
  EXPECT_EQ(saved.rows.size(), 2u);
}

TEST(FileDrops, FilesDroppedOnTheBarAreAddedAndOtherKindsLeftOut) {
  OutsideRig rig;
  const QString a = rig.Song("b.ogg");
  const QString b = rig.Song("a.ogg");
  const QString picture = rig.Song("cover.jpg");
  rig.Drop(rig.player->playerWindow(), {a, picture, b});
  ASSERT_TRUE(WaitFor([&] { return rig.player->tracks().Count() == 2; }));
  EXPECT_EQ(rig.player->tracks().At(1).path, a);  // the drag's own order
  EXPECT_EQ(rig.player->tracks().At(2).path, b);
}

TEST(FileDrops, TheTrackListTakesDropsToo) {
  OutsideRig rig;
  const QString song = rig.Song("song.ogg");
  rig.Drop(*rig.player->playlistWindow().PlayViewList()->viewport(), {song});
  ASSERT_TRUE(WaitFor([&] { return rig.player->tracks().Count() == 1; }));
}

TEST(FileDrops, DragsWithoutLocalFilesAreNotTaken) {
  OutsideRig rig;
  QMimeData text;
  text.setText("just text");
  QMimeData web;
  web.setUrls({QUrl("https://example.org/song.mp3")});
  for (QMimeData* data : {&text, &web}) {
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&rig.player->playlistWindow(), &enter);
    EXPECT_FALSE(enter.isAccepted());
  }
}

TEST(CommandLine, FilesFoldersAndPlaylistsAreAddedAndTheFirstAddedRowPlays) {
  OutsideRig rig;
  rig.player->tracks().Model().Append(TrackEntry{"Already There", "01:00", "/x.mp3", "0"});
  const QString first = rig.Song("one.ogg", "Band", "One");
  rig.Song("folder/2.ogg");
  rig.Song("folder/1.ogg");
  WriteBytes(rig.music.filePath("list.m3u"), "#EXTINF:30,Listed Song\nlisted.ogg\n");
  WriteBytes(rig.music.filePath("old.zpl"), PlaylistBytes({"Saved|02:00|/saved.mp3|1"}));
  rig.player->OpenArguments({first, rig.music.filePath("folder"), rig.music.filePath("list.m3u"),
                             rig.music.filePath("old.zpl")});
  EXPECT_EQ(rig.Rows(), QStringList({"Already There | 01:00", "Band - One | 01:01", "1 | 01:01",
                                     "2 | 01:01", "Listed Song | 00:30", "Saved | 02:00"}));
  EXPECT_EQ(rig.player->tracks().At(6).priority, "1");
  EXPECT_EQ(rig.player->tracks().CurrentIndex(), 2);
  EXPECT_EQ(rig.decoder->FileName(), first);
  EXPECT_EQ(rig.decoder->PlayState(), play_state::Playing);
}

TEST(CommandLine, AHandOverDuringABoxOrAnAddWaitsItsTurn) {
  OutsideRig rig;
  const QString song = rig.Song("song.ogg");
  rig.player->state().DialogOpen = true;
  rig.player->OpenArguments({song});
  EXPECT_EQ(rig.player->tracks().Count(), 0);
  QTest::qWait(300);
  EXPECT_EQ(rig.player->tracks().Count(), 0);
  rig.player->state().DialogOpen = false;
  EXPECT_TRUE(WaitFor([&] { return rig.player->tracks().Count() == 1; }));
}

TEST(CommandLine, WithoutArgumentsTheBarIsBroughtBack) {
  OutsideRig rig;
  rig.player->playerWindow().hide();
  rig.player->OpenArguments({});
  EXPECT_TRUE(rig.player->playerWindow().isVisible());
  EXPECT_EQ(rig.player->tracks().Count(), 0);
}

TEST(ForeignPlaylists, LoadReadsM3uNamesAndLengthsWithoutOpeningTheFiles) {
  OutsideRig rig;
  rig.player->tracks().Model().Append(TrackEntry{"Replaced", "01:00", "/x.mp3", "0"});
  const QString untagged = rig.Song("plain.ogg", "Tagged", "Name");
  WriteBytes(rig.music.filePath("list.m3u"),
             "#EXTM3U\r\n#EXTINF:200,artist - a title\r\nnot/there.mp3\r\nplain.ogg\r\n");
  rig.desktop.openAnswers.push_back(QStringList{rig.music.filePath("list.m3u")});
  const int opensBefore = rig.decoder->openCount;
  const qsizetype messagesBefore = rig.desktop.messages.size();
  rig.player->keeper().OpenPlaylist();
  EXPECT_TRUE(rig.desktop.openRequests.last().filter.startsWith(
      "Zelvo Playlist Files (*.zpl)|*.zpl|All Files (*.*)|*.*|"));
  // Names go through the case style; the entry without #EXTINF is read for its tags.
  ASSERT_EQ(rig.player->tracks().Count(), 2);
  EXPECT_EQ(rig.player->tracks().At(1).name, "Artist - A Title");
  EXPECT_EQ(rig.player->tracks().At(1).duration, "03:20");
  EXPECT_EQ(rig.player->tracks().At(1).path, rig.music.filePath("not/there.mp3"));
  EXPECT_EQ(rig.player->tracks().At(2).path, untagged);
  EXPECT_EQ(rig.player->tracks().At(2).duration, "01:01");  // the length the probe finds
  EXPECT_EQ(rig.decoder->openCount, opensBefore);  // playback's decoder is left alone
  EXPECT_EQ(rig.desktop.messages.size(), messagesBefore);
}

TEST(ForeignPlaylists, SaveAsWritesM3u8ByTheNameAndZelvoFilesOtherwise) {
  OutsideRig rig;
  rig.player->tracks().Model().Append(TrackEntry{"Band - Tune", "02:05", "/music/a.mp3", "1"});
  rig.desktop.saveAnswers = {rig.music.filePath("mix.m3u"), rig.music.filePath("mix.zpl")};
  rig.player->keeper().SavePlaylistAs();
  rig.player->keeper().SavePlaylistAs();
  EXPECT_EQ(rig.desktop.saveRequests.first().defaultSuffix, "zpl");
  EXPECT_EQ(ReadBytes(rig.music.filePath("mix.m3u")), "#EXTM3U\n#EXTINF:125,Band - Tune\n/music/a.mp3\n");
  EXPECT_EQ(ReadBytes(rig.music.filePath("mix.zpl")), PlaylistBytes({"Band - Tune|02:05|/music/a.mp3|1"}));
}

}  // namespace
}  // namespace zelvo::test
