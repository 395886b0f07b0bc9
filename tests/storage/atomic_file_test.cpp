#include <QDir>
#include <QLocalServer>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "platform/path_bytes.h"
#include "storage/atomic_file.h"
#include "storage/listening_settings.h"
#include "storage/playlist_file.h"
#include "storage/settings_file.h"
#include "test_support.h"

namespace zelvo {
namespace {

// Makes every write beyond a few bytes fail as on a full disk, for the life
// of the object. Works for root too, unlike permission bits.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
};

QStringList FolderEntries(const QTemporaryDir& dir) {
  return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

TEST(AtomicFile, ReplacesTheWholeFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("list.zpl");
  test::WriteBytes(path, QByteArray(1000, 'x'));
  QString error;
  ASSERT_TRUE(WriteFileAtomically(path, "new", &error)) << error.toStdString();
  EXPECT_EQ(test::ReadBytes(path), "new");
  EXPECT_EQ(FolderEntries(dir), QStringList{"list.zpl"});
}

TEST(AtomicFile, AFullDiskLeavesTheOldFileIntact) {
  QTemporaryDir dir;
  const QString path = dir.filePath("list.zpl");
  test::WriteBytes(path, "old contents");
  QString error;
  bool written = true;
  {
    FileSizeLimit limit(64);
    written = WriteFileAtomically(path, QByteArray(1 << 20, 'y'), &error);
  }
  EXPECT_FALSE(written);
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(test::ReadBytes(path), "old contents");
  EXPECT_EQ(FolderEntries(dir), QStringList{"list.zpl"}) << "no temporary file is left behind";
}

std::vector<TrackEntry> Rows(int count) {
  std::vector<TrackEntry> rows;
  for (int i = 1; i <= count; ++i)
    rows.push_back({QStringLiteral("Artist - Title %1").arg(i), "03:41", QStringLiteral("/music/track%1.mp3").arg(i), "0"});
  return rows;
}

// Writes smaller than the file's buffer used to fail only inside the final
// flush, unnoticed, so an empty or cut file replaced the old one.
TEST(AtomicFile, AFullDiskKeepsOldPlaylistsAndSettingsOfEverySize) {
  QTemporaryDir dir;
  const QString playlist = dir.filePath("AutoSave.zpl");
  const QString settings = dir.filePath("config.zcf");
  const QByteArray oldPlaylist = "\"old list\"\r\n";
  const QByteArray oldSettings = "#TRUE#\r\n";
  test::WriteBytes(playlist, oldPlaylist);
  test::WriteBytes(settings, oldSettings);
  for (int rows : {5, 300}) {
    QString error;
    bool written = true;
    {
      FileSizeLimit limit(64);
      written = WritePlaylistFile(playlist, Rows(rows), &error);
    }
    EXPECT_FALSE(written) << rows << " rows";
    EXPECT_FALSE(error.isEmpty()) << rows << " rows";
    EXPECT_EQ(test::ReadBytes(playlist), oldPlaylist) << rows << " rows";
  }
  QString error;
  bool written = true;
  {
    FileSizeLimit limit(64);
    written = WriteSettingsFile(settings, Settings{}, &error);
  }
  EXPECT_FALSE(written);
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(test::ReadBytes(settings), oldSettings);
  EXPECT_EQ(FolderEntries(dir), (QStringList{"AutoSave.zpl", "config.zcf"})) << "no temporary file is left behind";

  // With room again the same writes go through whole.
  ASSERT_TRUE(WritePlaylistFile(playlist, Rows(300)));
  EXPECT_EQ(ReadPlaylistFile(playlist, UniformCase{}).rows.size(), 300u);
  ASSERT_TRUE(WriteSettingsFile(settings, Settings{}));
  EXPECT_TRUE(ReadSettingsFile(settings).Complete());
}

TEST(AtomicFile, FailsWithAReasonWhereNoFileCanBeMade) {
  QTemporaryDir dir;
  test::WriteBytes(dir.filePath("plain"), "keep");
  // A Latin-1 name, which the writer would spell otherwise, is refused too.
  const QString latin1 = PathFromBytes(QFile::encodeName(dir.path()) + "/caf\xE9.zpl");
  for (const QString& path :
       {dir.filePath("no-such-folder/list.zpl"), dir.filePath("plain/list.zpl"), dir.path(), latin1}) {
    QString error;
    EXPECT_FALSE(WriteFileAtomically(path, "data", &error)) << path.toStdString();
    EXPECT_FALSE(error.isEmpty()) << path.toStdString();
  }
  EXPECT_EQ(test::ReadBytes(dir.filePath("plain")), "keep");
  EXPECT_EQ(FolderEntries(dir), QStringList{"plain"});
}

// A save over a link replaces the file it points to and keeps the link; any
// target that is no regular file is refused and left as it was.
TEST(AtomicFile, SavesThroughLinksOnlyToRegularFiles) {
  QTemporaryDir dir;
  test::WriteBytes(dir.filePath("real.zpl"), "old");
  ASSERT_TRUE(QFile::link(dir.filePath("real.zpl"), dir.filePath("list.zpl")));
  ASSERT_TRUE(WriteFileAtomically(dir.filePath("list.zpl"), "new"));
  EXPECT_TRUE(QFileInfo(dir.filePath("list.zpl")).isSymLink());
  EXPECT_EQ(test::ReadBytes(dir.filePath("real.zpl")), "new");
  ASSERT_TRUE(QFile::link(dir.filePath("real.conf"), dir.filePath("zelvo.conf")));
  ListeningSettings listening;
  listening.SetValue("ResumeAtStart", true);
  ASSERT_TRUE(listening.Save(dir.filePath("zelvo.conf")));
  EXPECT_TRUE(QFileInfo(dir.filePath("zelvo.conf")).isSymLink());
  EXPECT_TRUE(test::ReadBytes(dir.filePath("real.conf")).contains("ResumeAtStart=true"));

  QLocalServer socket;
  ASSERT_TRUE(socket.listen(dir.filePath("socket")));
  ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0600), 0);
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
  QStringList others = {"socket", "fifo", "folder"};
  // Only root can make a device node, and only root's save could replace one.
  if (::mknod(QFile::encodeName(dir.filePath("device")).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0)
    others << "device";
  for (const QString& other : others) {
    const QString target = dir.filePath(other);
    ASSERT_TRUE(QFile::link(target, dir.filePath("link-" + other)));
    for (const QString& path : {dir.filePath("link-" + other), target}) {
      QString error;
      EXPECT_FALSE(WriteFileAtomically(path, "data", &error)) << path.toStdString();
      EXPECT_TRUE(error.contains(other, Qt::CaseInsensitive)) << error.toStdString();
      // The listening options file likewise: not read (a FIFO would block), not written.
      ListeningSettings listening;
      listening.Load(path);
      listening.SetValue("ResumeAtStart", true);
      EXPECT_FALSE(listening.Save(path)) << path.toStdString();
    }
    EXPECT_TRUE(QFileInfo(dir.filePath("link-" + other)).isSymLink());
    EXPECT_FALSE(QFileInfo(target).isFile()) << other.toStdString();
  }
}

}  // namespace
}  // namespace zelvo
