#include "platform/file_removal.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "platform/path_bytes.h"

namespace zelvo {

std::optional<QString> RemoveFileForever(const QString& path) {
  // unlink, unlike remove(), refuses folders.
  if (::unlink(PathBytes(path).constData()) == 0 || errno == ENOENT) return std::nullopt;
  return QString::fromLocal8Bit(std::strerror(errno));
}

}  // namespace zelvo
