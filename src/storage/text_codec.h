#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <limits>
#include <optional>

namespace zelvo {

// Zelvo writes its text files in UTF-8. Files made on Windows by earlier
// versions are in Windows-1252, so when reading, every line that is not valid
// UTF-8 is decoded as Windows-1252 instead; accents survive either way. A
// UTF-8 byte-order mark at the start is dropped. Line ends are left as they
// are (the field reader accepts CR LF, LF and CR).
QString DecodeText(QByteArrayView bytes);

// The lines of a text as DecodeText decodes them, one at a time, each with
// its line end: a large file is read without a decoded copy of the whole.
class DecodedLines {
 public:
  explicit DecodedLines(QByteArrayView bytes);
  // The next line, valid until the next call; empty optional at the end.
  std::optional<QStringView> Next();

 private:
  QByteArrayView bytes_;
  bool allUtf8_ = false;
  QString line_;
};

// Decodes Windows-1252 bytes; the five unassigned bytes map to the control
// characters of the same number, as Windows itself does.
QString DecodeWindows1252(QByteArrayView bytes);

// The most a small file of Zelvo's own (settings, skin colours, skin
// information) may hold; a larger one is refused, not read into memory.
constexpr qint64 kSmallFileLimit = 1 << 20;

// The whole file decoded with DecodeText; empty optional when it cannot be
// opened or read (missing, a folder, no access), is no regular file (a
// FIFO or a device) or holds more than maxBytes.
std::optional<QString> ReadTextFile(const QString& path, qint64 maxBytes = std::numeric_limits<qint64>::max());
// The same file's bytes as they are, for DecodedLines.
std::optional<QByteArray> ReadFileBytes(const QString& path, qint64 maxBytes = std::numeric_limits<qint64>::max());

}  // namespace zelvo
