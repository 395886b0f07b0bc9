#include "platform/regular_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/path_bytes.h"

namespace zelvo {
namespace {

QString SystemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QString NotRegularReason(mode_t mode) {
  if (S_ISDIR(mode)) return QStringLiteral("it is a folder");
  if (S_ISFIFO(mode)) return QStringLiteral("it is a FIFO, not a regular file");
  if (S_ISSOCK(mode)) return QStringLiteral("it is a socket, not a regular file");
  if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("it is a device, not a regular file");
  return QStringLiteral("it is not a regular file");
}

}  // namespace

std::optional<QString> OpenRegularFile(QFile& file) {
  // O_NONBLOCK opens a FIFO at once, so that it can be told apart and refused.
  const int fd = ::open(PathBytes(file.fileName()).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return SystemReason(errno);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    const QString reason = NotRegularReason(st.st_mode);
    ::close(fd);
    return reason;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return file.errorString();
  }
  return std::nullopt;
}

std::variant<QByteArray, ReadRefusal> ReadRegularFile(const QString& path, qint64 maxBytes) {
  QFile file(path);
  if (std::optional<QString> refused = OpenRegularFile(file))
    return ReadRefusal{*refused, KindOfPath(path) == PathKind::Missing};
  if (file.size() > maxBytes)
    return ReadRefusal{QStringLiteral("it holds %1 bytes, more than the %2 allowed").arg(file.size()).arg(maxBytes)};
  // Read no further than the limit even when the file grows meanwhile.
  const QByteArray bytes = maxBytes == std::numeric_limits<qint64>::max() ? file.readAll() : file.read(maxBytes + 1);
  if (file.error() != QFileDevice::NoError) return ReadRefusal{file.errorString()};
  if (bytes.size() > maxBytes) return ReadRefusal{QStringLiteral("it grew past the %1 bytes allowed").arg(maxBytes)};
  return bytes;
}

std::optional<QString> RefuseUnlessRegularOrAbsent(const QString& path) {
  struct stat st {};
  if (::stat(PathBytes(path).constData(), &st) != 0)
    return errno == ENOENT ? std::nullopt : std::optional<QString>(SystemReason(errno));
  if (S_ISREG(st.st_mode)) return std::nullopt;
  return NotRegularReason(st.st_mode);
}

}  // namespace zelvo
