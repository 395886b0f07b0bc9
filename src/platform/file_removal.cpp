#include "platform/file_removal.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace zelvo {

std::optional<QString> RemoveFileForever(const QString& path) {
  // unlink, unlike remove(), refuses folders.
  if (::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT) return std::nullopt;
  return QString::fromLocal8Bit(std::strerror(errno));
}

}  // namespace zelvo
