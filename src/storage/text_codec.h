#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace zelvo {

// Zelvo writes its text files in UTF-8. Files made on Windows by earlier
// versions are in Windows-1252, so when reading, every line that is not valid
// UTF-8 is decoded as Windows-1252 instead; accents survive either way. A
// UTF-8 byte-order mark at the start is dropped. Line ends are left as they
// are (the field reader accepts CR LF, LF and CR).
QString DecodeText(QByteArrayView bytes);

// Decodes Windows-1252 bytes; the five unassigned bytes map to the control
// characters of the same number, as Windows itself does.
QString DecodeWindows1252(QByteArrayView bytes);

// The whole file decoded with DecodeText; empty optional when it cannot be
// opened or read (missing, a folder, no access) or is no regular file (a
// FIFO or a device).
std::optional<QString> ReadTextFile(const QString& path);

}  // namespace zelvo
