// Folders and files turned into the audio files an add takes, on real folders.

#include "adding/audio_paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include "test_support.h"

namespace zelvo::test {
namespace {

struct Tree {
  QTemporaryDir dir;
  QString Root() const { return dir.path(); }
  QString Make(const QString& relative) {
    const QString path = dir.filePath(relative);
    QDir().mkpath(QFileInfo(path).path());
    WriteBytes(path, "x");
    return path;
  }
  QStringList Relative(const QStringList& paths) const {
    QStringList out;
    for (const QString& p : paths) out << QDir(Root()).relativeFilePath(p);
    return out;
  }
};

TEST(AudioPaths, NamesAreOrderedAsPeopleCount) {
  QStringList names = {"10 - x.mp3", "2 - x.mp3", "1 - x.mp3", "b.mp3", "A.mp3", "track 9.mp3",
                       "Track 10.mp3", "002.mp3", "1.mp3"};
  std::sort(names.begin(), names.end(),
            [](const QString& a, const QString& b) { return CompareNaturally(a, b) < 0; });
  EXPECT_EQ(names, QStringList({"1 - x.mp3", "1.mp3", "2 - x.mp3", "002.mp3", "10 - x.mp3", "A.mp3",
                                "b.mp3", "track 9.mp3", "Track 10.mp3"}));
}

TEST(AudioPaths, AFolderIsWalkedDepthFirstInNaturalOrderForAudioOnly) {
  Tree tree;
  for (const char* file : {"Album 10/1 - a.flac", "Album 2/10 - b.ogg", "Album 2/2 - a.mp3",
                           "Album 2/cover.jpg", "Album 2/notes.txt", "Album 2/CD 1/1.opus",
                           "loose.WAV", ".hidden/secret.mp3", "Album 2/.also hidden.mp3",
                           "Album 2/.git/x.mp3", "z.m4a"}) {
    tree.Make(QString::fromUtf8(file));
  }
  const QStringList files = ExpandToAudioFiles({tree.Root()}, NamedFiles::AudioOnly);
  EXPECT_EQ(tree.Relative(files), QStringList({"Album 2/2 - a.mp3", "Album 2/10 - b.ogg",
                                               "Album 2/CD 1/1.opus", "Album 10/1 - a.flac",
                                               "loose.WAV", "z.m4a"}));
}

TEST(AudioPaths, NamedFilesAreKeptInTheirOrderBesideWalkedFolders) {
  Tree tree;
  const QString a = tree.Make("a.mp3");
  const QString picture = tree.Make("cover.jpg");
  tree.Make("sub/b.wma");
  const QStringList given = {picture, tree.dir.filePath("sub"), a};
  EXPECT_EQ(tree.Relative(ExpandToAudioFiles(given, NamedFiles::AudioOnly)),
            QStringList({"sub/b.wma", "a.mp3"}));
  // The add dialog has checked its files already, whatever their kind.
  EXPECT_EQ(tree.Relative(ExpandToAudioFiles(given, NamedFiles::KeepAll)),
            QStringList({"cover.jpg", "sub/b.wma", "a.mp3"}));
}

TEST(AudioPaths, SymbolicLinkLoopsAreWalkedOnce) {
  Tree tree;
  tree.Make("music/a.mp3");
  tree.Make("music/sub/b.mp3");
  // A link back to the top, and a second way into the same folder.
  ASSERT_EQ(::symlink("..", QFile::encodeName(tree.dir.filePath("music/sub/up")).constData()), 0);
  ASSERT_EQ(::symlink("sub", QFile::encodeName(tree.dir.filePath("music/same")).constData()), 0);
  ASSERT_EQ(::symlink("nowhere", QFile::encodeName(tree.dir.filePath("music/dangling.mp3")).constData()), 0);
  const QStringList files = ExpandToAudioFiles({tree.dir.filePath("music")}, NamedFiles::AudioOnly);
  EXPECT_EQ(tree.Relative(files), QStringList({"music/a.mp3", "music/same/b.mp3"}));
}

// Root reads every folder, so the walk runs in a child process that has
// given its rights up; the child writes what it found and what it warned to a pipe.
QStringList WalkAsAnOrdinaryUser(const QString& folder) {
  int channel[2];
  if (::pipe(channel) != 0) return {"pipe failed"};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
    static QStringList* lines = new QStringList;
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
      if (type == QtWarningMsg) *lines << "warning: " + text;
    });
    for (const QString& file : ExpandToAudioFiles({folder}, NamedFiles::AudioOnly))
      *lines << QDir(folder).relativeFilePath(file);
    const QByteArray out = lines->join('\n').toUtf8();
    const bool written = ::write(channel[1], out.constData(), out.size()) == out.size();
    ::_exit(written ? 0 : 3);
  }
  ::close(channel[1]);
  QByteArray out;
  char buffer[4096];
  for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) out.append(buffer, n);
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  return QString::fromUtf8(out).split('\n');
}

TEST(AudioPaths, AnUnreadableFolderIsSkippedWithAWarning) {
  Tree tree;
  tree.Make("a/1.mp3");
  tree.Make("b/2.mp3");
  tree.Make("c/3.mp3");
  const auto open = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                    QFileDevice::ReadOther | QFileDevice::ExeOther;
  for (const char* folder : {"", "a", "c"}) QFile::setPermissions(tree.dir.filePath(folder), open);
  for (const char* file : {"a/1.mp3", "c/3.mp3"})
    QFile::setPermissions(tree.dir.filePath(file), QFileDevice::ReadOwner | QFileDevice::ReadOther);
  QFile::setPermissions(tree.dir.filePath("b"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);

  const QStringList lines = WalkAsAnOrdinaryUser(tree.Root());
  ASSERT_EQ(lines.size(), 3) << lines.join('\n').toStdString();
  EXPECT_TRUE(lines[0].startsWith("warning: ")) << lines[0].toStdString();
  EXPECT_TRUE(lines[0].contains(tree.dir.filePath("b"))) << lines[0].toStdString();
  EXPECT_TRUE(lines[0].contains("Permission denied")) << lines[0].toStdString();
  EXPECT_EQ(lines.mid(1), QStringList({"a/1.mp3", "c/3.mp3"}));
  QFile::setPermissions(tree.dir.filePath("b"), open);
}

}  // namespace
}  // namespace zelvo::test
