#include "storage/atomic_file.h"

#include <QSaveFile>

namespace zelvo {

bool WriteFileAtomically(const QString& path, QByteArrayView bytes, QString* error) {
  QSaveFile file(path);
  const bool written = file.open(QIODevice::WriteOnly) &&
                       file.write(bytes.data(), bytes.size()) == bytes.size() && file.commit();
  if (!written && error) *error = file.errorString();
  return written;
}

}  // namespace zelvo
