#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include "storage/atomic_file.h"
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

TEST(AtomicFile, FailsWithAReasonWhereNoFileCanBeMade) {
  QTemporaryDir dir;
  test::WriteBytes(dir.filePath("plain"), "keep");
  for (const QString& path : {dir.filePath("no-such-folder/list.zpl"), dir.filePath("plain/list.zpl"), dir.path()}) {
    QString error;
    EXPECT_FALSE(WriteFileAtomically(path, "data", &error)) << path.toStdString();
    EXPECT_FALSE(error.isEmpty()) << path.toStdString();
  }
  EXPECT_EQ(test::ReadBytes(dir.filePath("plain")), "keep");
}

}  // namespace
}  // namespace zelvo
