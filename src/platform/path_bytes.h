#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QUrl>
#include <optional>

namespace zelvo {

// A file name on Linux is bytes, most often but not always UTF-8 (a name
// copied from an old Latin-1 disk, say). Qt's own conversion turns the bytes
// that are not UTF-8 into U+FFFD, and the file can then never be opened
// again. Zelvo keeps each such byte in the QString as the lone surrogate
// U+DC00 + byte (no valid text holds one) and turns it back into the byte
// when the file is opened, so every name survives the trip exactly.

// The file name a path stands for, for every call into the system, TagLib or
// FFmpeg (in place of QFile::encodeName).
QByteArray PathBytes(const QString& path);

// A file name as the system gives it (in place of QFile::decodeName).
QString PathFromBytes(QByteArrayView bytes);

// The file a file:// URL names: its escapes are the name's bytes ("%E9" for
// a Latin-1 "é"), where QUrl::toLocalFile would make U+FFFD of them.
QString PathFromLocalUrl(const QUrl& url);

// True when the path holds bytes that are no UTF-8 text.
bool HoldsForeignBytes(const QString& path);

// The byte the unit at `i` stands for, when it is one of those bytes.
std::optional<unsigned char> ForeignByteAt(QStringView path, qsizetype i);

// The path with every link and "." or ".." resolved; empty when it is not there.
QString CanonicalPath(const QString& path);

// What a path names, its links followed.
enum class PathKind { Missing, RegularFile, Folder, Other };
PathKind KindOfPath(const QString& path);

// Whether this user may read what the path names.
bool IsReadablePath(const QString& path);

// The folder the process runs in, its bytes kept.
QString CurrentFolder();

// The size of a regular file (or of what a link points to); nothing for
// anything else or a path that is not there.
std::optional<qint64> RegularFileSize(const QString& path);

}  // namespace zelvo
