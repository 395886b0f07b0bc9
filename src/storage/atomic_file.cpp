#include "storage/atomic_file.h"

#include <QSaveFile>

namespace zelvo {

bool WriteFileAtomically(const QString& path, const std::function<bool(QIODevice& file)>& write, QString* error) {
  QSaveFile file(path);
  const bool written = file.open(QIODevice::WriteOnly) && write(file) && file.commit();
  if (!written && error) *error = file.errorString();
  return written;
}

bool WriteFileAtomically(const QString& path, QByteArrayView bytes, QString* error) {
  return WriteFileAtomically(
      path, [bytes](QIODevice& file) { return file.write(bytes.data(), bytes.size()) == bytes.size(); }, error);
}

}  // namespace zelvo
