#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <limits>
#include <optional>
#include <variant>

namespace zelvo {

// Opens file (its name already set) for reading, only when it is a regular
// file or a link to one: a FIFO would block the open for ever and a device
// would never end. Never blocks. Returns nothing when the file is open,
// otherwise the reason ("No such file or directory", "not a regular file" ...).
std::optional<QString> OpenRegularFile(QFile& file);

// Why a whole-file read gave nothing.
struct ReadRefusal {
  QString reason;
  bool missing = false;  // no file there: ordinary on a first start
};

// The whole of a regular file, refused when it holds more than maxBytes (a
// file of a gigabyte in place of a small one must not eat the memory).
std::variant<QByteArray, ReadRefusal> ReadRegularFile(const QString& path,
                                                      qint64 maxBytes = std::numeric_limits<qint64>::max());

// Whether path, after its links, is a regular file or nothing at all: the
// only places a save may write to. Otherwise the reason it may not.
std::optional<QString> RefuseUnlessRegularOrAbsent(const QString& path);

}  // namespace zelvo
