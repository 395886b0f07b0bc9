#include "adding/audio_paths.h"

#include <QFileInfo>
#include <QSet>

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "base/log.h"
#include "playback/audio_formats.h"
#include "platform/path_bytes.h"

namespace zelvo {
namespace {

// Length of the run of digits starting at i.
qsizetype DigitRun(const QString& text, qsizetype i) {
  qsizetype end = i;
  while (end < text.size() && text[end].isDigit()) ++end;
  return end - i;
}

// Compares two runs of digits by value: leading zeros aside, the longer run is larger.
int CompareNumbers(QStringView a, QStringView b) {
  while (a.size() > 1 && a.front() == QLatin1Char('0')) a = a.mid(1);
  while (b.size() > 1 && b.front() == QLatin1Char('0')) b = b.mid(1);
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b);
}

struct Entry {
  QString name;
  bool folder = false;
};

class FolderWalk {
 public:
  explicit FolderWalk(QStringList& out) : out_(out) {}

  void Walk(const QString& folder) {
    // A folder met again (a link back up the tree, or two links to one
    // place) would repeat its files or never end.
    const QString canonical = CanonicalPath(folder);
    if (canonical.isEmpty() || visited_.contains(canonical)) return;
    visited_.insert(canonical);

    std::vector<Entry> entries = ReadFolder(folder);
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return CompareNaturally(a.name, b.name) < 0; });
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    for (const Entry& entry : entries) {
      if (entry.folder) {
        Walk(prefix + entry.name);
      } else if (IsSupportedAudioFile(entry.name)) {
        out_ << prefix + entry.name;
      }
    }
  }

 private:
  // The visible files and folders of one folder, links resolved.
  static std::vector<Entry> ReadFolder(const QString& folder) {
    std::vector<Entry> entries;
    const QByteArray name = PathBytes(folder);
    DIR* dir = ::opendir(name.constData());
    if (!dir) {
      qCWarning(lcPlaylist) << "Cannot read folder" << folder << ":" << std::strerror(errno);
      return entries;
    }
    while (const dirent* item = ::readdir(dir)) {
      if (item->d_name[0] == '.') continue;  // hidden, and "." and ".."
      bool isFolder = item->d_type == DT_DIR;
      if (item->d_type == DT_LNK || item->d_type == DT_UNKNOWN) {
        struct stat st {};
        const QByteArray full = name + '/' + item->d_name;
        if (::stat(full.constData(), &st) != 0) continue;  // a dangling link
        isFolder = S_ISDIR(st.st_mode);
      }
      entries.push_back({PathFromBytes(item->d_name), isFolder});
    }
    ::closedir(dir);
    return entries;
  }

  QStringList& out_;
  QSet<QString> visited_;
};

}  // namespace

int CompareNaturally(const QString& a, const QString& b) {
  qsizetype i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const qsizetype digitsA = DigitRun(a, i);
    const qsizetype digitsB = DigitRun(b, j);
    if (digitsA > 0 && digitsB > 0) {
      if (const int order = CompareNumbers(QStringView(a).mid(i, digitsA), QStringView(b).mid(j, digitsB)))
        return order;
      i += digitsA;
      j += digitsB;
      continue;
    }
    const QChar x = a[i].toCaseFolded();
    const QChar y = b[j].toCaseFolded();
    if (x != y) return x < y ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < a.size() || j < b.size()) return i < a.size() ? 1 : -1;
  return a.compare(b);  // equal but for case or leading zeros: a fixed order all the same
}

QStringList ExpandToAudioFiles(const QStringList& paths, NamedFiles named) {
  QStringList files;
  FolderWalk walk(files);
  for (const QString& path : paths) {
    const QFileInfo info(path);  // names only: asking Qt about a name that is no UTF-8 finds nothing
    const PathKind kind = KindOfPath(path);
    if (kind == PathKind::Folder) {
      walk.Walk(info.absoluteFilePath());
    } else if (named == NamedFiles::KeepAll) {
      files << path;  // the dialog has checked it; a file it cannot open still gets its row
    } else if (kind == PathKind::RegularFile && IsSupportedAudioFile(path)) {
      files << info.absoluteFilePath();
    } else {
      qCWarning(lcPlaylist) << "Not an audio file Zelvo can add:" << path;
    }
  }
  return files;
}

}  // namespace zelvo
