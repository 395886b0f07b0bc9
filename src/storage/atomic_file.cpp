#include "storage/atomic_file.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "base/log.h"
#include "platform/path_bytes.h"
#include "platform/regular_file.h"

namespace zelvo {
namespace {

// QSaveFile keeps small writes in its buffer and, on commit, neither reports
// a failed flush reliably nor checks that the bytes reached the disk. On a
// full disk that would let a short temporary file replace the old one. So
// before the rename the buffer is flushed, the file on disk is checked to
// hold every byte written, and the bytes are synced to the device.
bool ProveComplete(QSaveFile& file, QString* reason) {
  if (!file.flush()) {
    *reason = file.errorString();
    return false;
  }
  const qint64 written = file.pos();
  const qint64 onDisk = file.size();
  if (onDisk != written) {
    *reason = QStringLiteral("only %1 of %2 bytes were written").arg(onDisk).arg(written);
    return false;
  }
  if (::fsync(file.handle()) != 0 && errno != EINVAL) {  // EINVAL: the device cannot sync
    *reason = QString::fromLocal8Bit(std::strerror(errno));
    return false;
  }
  return true;
}

}  // namespace

bool WriteFileAtomically(const QString& path, const std::function<bool(QIODevice& file)>& write, QString* error) {
  QSaveFile file(path);
  QString reason;
  // The save follows a link and replaces its target, the link staying as it
  // is; but only a regular file may be replaced: a device, FIFO or socket
  // there would be swapped for a plain file (as root, the device is gone).
  // QSaveFile spells a name that is no UTF-8 (platform/path_bytes.h) with
  // U+FFFD: it would write a stray file beside the one meant and call it saved.
  const std::optional<QString> refused =
      HoldsForeignBytes(path) ? std::optional<QString>(QStringLiteral("Zelvo cannot write a name that is not UTF-8"))
                              : RefuseUnlessRegularOrAbsent(path);
  bool written = !refused && file.open(QIODevice::WriteOnly);
  if (refused) {
    reason = *refused;
  } else if (!written) {
    reason = file.errorString();
  } else if (!write(file)) {
    reason = file.errorString();
    written = false;
  } else {
    written = ProveComplete(file, &reason) && file.commit();
    if (!written && reason.isEmpty()) reason = file.errorString();
  }
  if (!written) {
    file.cancelWriting();
    if (reason.isEmpty()) reason = QStringLiteral("the file could not be written");
    qCWarning(lcStorage) << "could not write" << path << ":" << reason;
    if (error) *error = reason;
  }
  return written;
}

bool WriteFileAtomically(const QString& path, QByteArrayView bytes, QString* error) {
  return WriteFileAtomically(
      path, [bytes](QIODevice& file) { return file.write(bytes.data(), bytes.size()) == bytes.size(); }, error);
}

}  // namespace zelvo
