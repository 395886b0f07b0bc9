#pragma once

#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <functional>

namespace zelvo {

// Replaces the file at path with bytes, or leaves it exactly as it was: the
// bytes go to a temporary file in the same folder, are flushed to disk, and
// only then take the old file's place by rename. A crash or a full disk thus
// never leaves a truncated file behind. Over a link, the link's target is
// replaced and the link kept; a target (or path) that is not a regular file,
// such as a device or a FIFO, is refused and left untouched. On failure returns false and, when
// error is given, sets it to a reason fit for a message.
bool WriteFileAtomically(const QString& path, QByteArrayView bytes, QString* error = nullptr);

// The same for contents made piece by piece, so a large file need not be
// held in memory whole: write gets the open temporary file and puts the
// contents into it; returning false gives up and leaves the old file as it was.
bool WriteFileAtomically(const QString& path, const std::function<bool(QIODevice& file)>& write,
                         QString* error = nullptr);

}  // namespace zelvo
