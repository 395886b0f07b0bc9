#include "platform/private_sockets.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelvo {
namespace {

// The folder itself (not a link) is this user's and closed to everyone else.
std::optional<QString> RefuseUnlessPrivate(const QString& folder) {
  struct stat st {};
  if (::lstat(QFile::encodeName(folder).constData(), &st) != 0) return QString::fromLocal8Bit(std::strerror(errno));
  if (!S_ISDIR(st.st_mode)) return QStringLiteral("%1 is not a folder").arg(folder);
  if (st.st_uid != ::geteuid()) return QStringLiteral("%1 belongs to user %2").arg(folder).arg(st.st_uid);
  if ((st.st_mode & 077) != 0)
    return QStringLiteral("%1 is open to others (mode %2)").arg(folder).arg(st.st_mode & 0777, 3, 8, QLatin1Char('0'));
  return std::nullopt;
}

}  // namespace

std::optional<QString> PrivateSocketFolder(QString* reason) {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && !RefuseUnlessPrivate(runtime)) return runtime;
  const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
  const QString own = cache + QStringLiteral("/zelvo-sockets");
  QDir().mkpath(cache);
  ::mkdir(QFile::encodeName(own).constData(), 0700);  // an existing one is checked below
  std::optional<QString> refused = RefuseUnlessPrivate(own);
  if (!refused) return own;
  if (reason) *reason = *refused;
  return std::nullopt;
}

std::optional<uid_t> PeerUser(qintptr socketDescriptor) {
  ucred credentials{};
  socklen_t size = sizeof credentials;
  if (::getsockopt(static_cast<int>(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0)
    return std::nullopt;
  return credentials.uid;
}

}  // namespace zelvo
