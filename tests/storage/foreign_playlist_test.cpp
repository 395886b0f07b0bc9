// M3U, M3U8 and PLS files as other players and hand editors leave them.

#include "storage/foreign_playlist.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/path_bytes.h"
#include "test_support.h"

namespace zelvo::test {
namespace {

QStringList Paths(const std::vector<ListedTrack>& tracks) {
  QStringList paths;
  for (const ListedTrack& track : tracks) paths << track.path;
  return paths;
}

TEST(ForeignPlaylist, KindIsKnownByTheExtensionInAnyCase) {
  EXPECT_EQ(ForeignPlaylistKindOf("/a/list.m3u"), ForeignPlaylistKind::M3u);
  EXPECT_EQ(ForeignPlaylistKindOf("/a/list.M3U8"), ForeignPlaylistKind::M3u);
  EXPECT_EQ(ForeignPlaylistKindOf("/a/list.Pls"), ForeignPlaylistKind::Pls);
  EXPECT_EQ(ForeignPlaylistKindOf("/a/AutoSave.zpl"), ForeignPlaylistKind::None);
  EXPECT_EQ(ForeignPlaylistKindOf("/a/m3u"), ForeignPlaylistKind::None);
}

TEST(ForeignPlaylist, M3uWithOddLinesGivesEveryLocalEntryInOrder) {
  QTemporaryDir dir;
  const QString list = dir.filePath("lists/mix.m3u8");
  QDir().mkpath(dir.filePath("lists"));
  WriteBytes(list,
             "\xEF\xBB\xBF#EXTM3U\r\n"
             "# a comment\r\n"
             "#EXTINF:125,Band - Tune, with a comma\r\n"
             "../music/01 - Tune.mp3\r\n"
             "\r\n"
             "#EXTINF:-1,Radio\r\n"
             "http://radio.example/stream\r\n"
             "/abs/Caf\xC3\xA9.flac\r\n"
             "file:///abs/with%20space/%C3%A9t%C3%A9.ogg\r\n"
             "#EXTINF:61 tvg-id=\"x\",Attributed\n"
             "sub\\windows\\song.wma\n"
             "  missing.opus  ");
  const auto tracks = ReadForeignPlaylist(list, ForeignPlaylistKind::M3u);
  ASSERT_TRUE(tracks);
  EXPECT_EQ(Paths(*tracks), QStringList({dir.filePath("music/01 - Tune.mp3"), "/abs/Café.flac",
                                         "/abs/with space/été.ogg", dir.filePath("lists/sub/windows/song.wma"),
                                         dir.filePath("lists/missing.opus")}));
  EXPECT_EQ((*tracks)[0].title, "Band - Tune, with a comma");
  EXPECT_EQ((*tracks)[0].seconds, 125.0);
  // The stream's line is passed over with its #EXTINF; the next entry has none.
  EXPECT_EQ((*tracks)[1].title, "");
  EXPECT_FALSE((*tracks)[1].seconds);
  EXPECT_EQ((*tracks)[3].title, "Attributed");
  EXPECT_EQ((*tracks)[3].seconds, 61.0);
}

TEST(ForeignPlaylist, M3uInWindows1252IsReadWithItsAccents) {
  QTemporaryDir dir;
  WriteBytes(dir.filePath("old.m3u"), "#EXTINF:10,Caf\xE9\r\nCaf\xE9.mp3\r\n");
  const auto tracks = ReadForeignPlaylist(dir.filePath("old.m3u"), ForeignPlaylistKind::M3u);
  ASSERT_TRUE(tracks && tracks->size() == 1);
  EXPECT_EQ((*tracks)[0].title, "Café");
  EXPECT_EQ((*tracks)[0].path, dir.filePath("Café.mp3"));
}

TEST(ForeignPlaylist, PlsEntriesGoByTheirNumbers) {
  QTemporaryDir dir;
  WriteBytes(dir.filePath("list.pls"),
             "[playlist]\r\n"
             "; comment\r\n"
             "File2=/music/two.ogg\r\n"
             "Title2=Second\r\n"
             "Length2=-1\r\n"
             "File1=one.mp3\r\n"
             "Title1=First One\r\n"
             "Length1=200\r\n"
             "File3=file:///music/three%233.flac\r\n"
             "NumberOfEntries=3\r\nVersion=2\r\n");
  const auto tracks = ReadForeignPlaylist(dir.filePath("list.pls"), ForeignPlaylistKind::Pls);
  ASSERT_TRUE(tracks);
  EXPECT_EQ(Paths(*tracks), QStringList({dir.filePath("one.mp3"), "/music/two.ogg", "/music/three#3.flac"}));
  EXPECT_EQ((*tracks)[0].title, "First One");
  EXPECT_EQ((*tracks)[0].seconds, 200.0);
  EXPECT_EQ((*tracks)[1].title, "Second");
  EXPECT_FALSE((*tracks)[1].seconds);
  EXPECT_FALSE((*tracks)[2].seconds);
}

TEST(ForeignPlaylist, AFileThatCannotBeReadGivesNothing) {
  EXPECT_FALSE(ReadForeignPlaylist("/no/such/list.m3u", ForeignPlaylistKind::M3u));
}

TEST(ForeignPlaylist, M3u8WrittenIsReadBackWithNamesAndLengths) {
  QTemporaryDir dir;
  const std::vector<TrackEntry> rows = {
      {"Sigur Rós - Jóga", "03:41", "/music/Sigur Rós/jóga.flac", "1"},
      {"Long One", "100:05", "/music/long, one.mp3", "0"},
      {"Broken\nName", "", "/music/odd #name.wma", "-2"},
  };
  QString error;
  ASSERT_TRUE(WriteM3u8File(dir.filePath("out.m3u8"), rows, &error)) << error.toStdString();
  EXPECT_EQ(ReadBytes(dir.filePath("out.m3u8")),
            QString("#EXTM3U\n#EXTINF:221,Sigur Rós - Jóga\n/music/Sigur Rós/jóga.flac\n"
                    "#EXTINF:6005,Long One\n/music/long, one.mp3\n"
                    "#EXTINF:-1,Broken Name\n/music/odd #name.wma\n").toUtf8());
  const auto tracks = ReadForeignPlaylist(dir.filePath("out.m3u8"), ForeignPlaylistKind::M3u);
  ASSERT_TRUE(tracks && tracks->size() == 3);
  EXPECT_EQ((*tracks)[0].title, "Sigur Rós - Jóga");
  EXPECT_EQ((*tracks)[0].seconds, 221.0);
  EXPECT_EQ((*tracks)[0].path, "/music/Sigur Rós/jóga.flac");
  EXPECT_EQ((*tracks)[2].path, "/music/odd #name.wma");
  EXPECT_FALSE((*tracks)[2].seconds);
}

// Paths a plain M3U line cannot hold (a line break, a space at the end, a
// local "://", bytes that are no UTF-8) go out as "file://" URIs and come
// back byte for byte; the lists that lost them read right; a relative
// "file:" URI is taken from the playlist's folder.
TEST(ForeignPlaylist, EveryPathRoundTripsThroughM3u8) {
  QTemporaryDir dir;
  const std::vector<TrackEntry> rows = {
      {"A", "00:03", "/music/odd/new\nline.ogg", "0"},
      {"B", "00:03", "/music/odd/trail space.ogg ", "0"},
      {"C", "00:03", "/music/a://b.mp3", "0"},
      {"D", "00:03", PathFromBytes("/music/caf\xE9.mp3"), "0"},
      {"E", "00:03", "/music/100% plain #1.mp3", "0"},
  };
  ASSERT_TRUE(WriteM3u8File(dir.filePath("out.m3u8"), rows));
  const QByteArray text = ReadBytes(dir.filePath("out.m3u8"));
  EXPECT_TRUE(text.contains("\nfile:///music/odd/new%0Aline.ogg\n")) << text.toStdString();
  EXPECT_TRUE(text.contains("\n/music/a://b.mp3\n"));
  EXPECT_TRUE(text.contains("\n/music/100% plain #1.mp3\n"));
  const auto tracks = ReadForeignPlaylist(dir.filePath("out.m3u8"), ForeignPlaylistKind::M3u);
  ASSERT_TRUE(tracks && tracks->size() == rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(PathBytes((*tracks)[i].path), PathBytes(rows[i].path)) << i;

  const std::pair<const char*, QString> found[] = {
      {"m3u_newline_path.m3u8", "/music/odd/new\nline.ogg"},
      {"m3u_trailing_space.m3u8", "/music/odd/trail space.ogg "},
      {"m3u_colon_slashes.m3u8", "/music/a://b.mp3"},
  };
  for (const auto& [name, path] : found) {
    const auto read = ReadForeignPlaylist(DataFile(QString("playlists/") + name), ForeignPlaylistKind::M3u);
    ASSERT_TRUE(read && read->size() == 1) << name;
    EXPECT_EQ(read->front().path, path) << name;
  }
  WriteBytes(dir.filePath("relative.m3u"), "file:sub/two%20words.mp3\nhttp://radio.example/stream\n");
  const auto relative = ReadForeignPlaylist(dir.filePath("relative.m3u"), ForeignPlaylistKind::M3u);
  ASSERT_TRUE(relative && relative->size() == 1);
  EXPECT_EQ(relative->front().path, dir.filePath("sub/two words.mp3"));
}

}  // namespace
}  // namespace zelvo::test
