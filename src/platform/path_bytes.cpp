#include "platform/path_bytes.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace zelvo {
namespace {

constexpr char16_t kByteBase = 0xDC00;  // U+DC80..U+DCFF: the bytes 0x80..0xFF

// The length of the valid UTF-8 sequence at the start of `bytes`, 0 when
// there is none (a stray byte, an overlong form, an encoded surrogate, a
// value past U+10FFFF or a cut sequence).
qsizetype Utf8Length(QByteArrayView bytes) {
  const auto b0 = static_cast<unsigned char>(bytes[0]);
  if (b0 < 0x80) return 1;
  qsizetype length = 0;
  char32_t value = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) length = 2, value = b0 & 0x1F;
  else if (b0 >= 0xE0 && b0 <= 0xEF) length = 3, value = b0 & 0x0F;
  else if (b0 >= 0xF0 && b0 <= 0xF4) length = 4, value = b0 & 0x07;
  else return 0;
  if (bytes.size() < length) return 0;
  for (qsizetype i = 1; i < length; ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if ((b & 0xC0) != 0x80) return 0;
    value = value << 6 | (b & 0x3F);
  }
  const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < least[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

QByteArray PathBytes(const QString& path) {
  if (!HoldsForeignBytes(path)) return path.toUtf8();
  QByteArray bytes;
  bytes.reserve(path.size() * 3);
  qsizetype from = 0;
  for (qsizetype i = 0; i < path.size(); ++i) {
    const std::optional<unsigned char> byte = ForeignByteAt(path, i);
    if (!byte) continue;
    bytes += QStringView(path).sliced(from, i - from).toUtf8();
    bytes += static_cast<char>(*byte);
    from = i + 1;
  }
  bytes += QStringView(path).sliced(from).toUtf8();
  return bytes;
}

QString PathFromBytes(QByteArrayView bytes) {
  QString path;
  path.reserve(bytes.size());
  while (!bytes.isEmpty()) {
    qsizetype run = 0;
    while (run < bytes.size()) {
      const qsizetype length = Utf8Length(bytes.sliced(run));
      if (length == 0) break;
      run += length;
    }
    path += QString::fromUtf8(bytes.first(run));
    bytes = bytes.sliced(run);
    if (bytes.isEmpty()) break;
    path += QChar(char16_t(kByteBase + static_cast<unsigned char>(bytes[0])));
    bytes = bytes.sliced(1);
  }
  return path;
}

QString PathFromLocalUrl(const QUrl& url) {
  return PathFromBytes(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

bool HoldsForeignBytes(const QString& path) {
  // Every path written to a playlist passes here: one pass without an early
  // way out tells whether any character is in the range at all.
  const char16_t* chars = reinterpret_cast<const char16_t*>(path.constData());
  bool inRange = false;
  for (qsizetype i = 0; i < path.size(); ++i) inRange |= char16_t(chars[i] - (kByteBase + 0x80)) < 0x80;
  if (!inRange) return false;
  for (qsizetype i = 0; i < path.size(); ++i)
    if (ForeignByteAt(path, i)) return true;
  return false;
}

std::optional<unsigned char> ForeignByteAt(QStringView path, qsizetype i) {
  const char16_t c = path[i].unicode();
  if (c < kByteBase + 0x80 || c > kByteBase + 0xFF) return std::nullopt;
  if (i > 0 && QChar::isHighSurrogate(path[i - 1].unicode())) return std::nullopt;  // half of a pair
  return static_cast<unsigned char>(c - kByteBase);
}

QString CanonicalPath(const QString& path) {
  char resolved[PATH_MAX];
  if (path.isEmpty() || !::realpath(PathBytes(path).constData(), resolved)) return {};
  return PathFromBytes(resolved);
}

PathKind KindOfPath(const QString& path) {
  struct stat st {};
  if (path.isEmpty() || ::stat(PathBytes(path).constData(), &st) != 0) return PathKind::Missing;
  if (S_ISREG(st.st_mode)) return PathKind::RegularFile;
  return S_ISDIR(st.st_mode) ? PathKind::Folder : PathKind::Other;
}

bool IsReadablePath(const QString& path) {
  return !path.isEmpty() && ::access(PathBytes(path).constData(), R_OK) == 0;
}

QString CurrentFolder() {
  char folder[PATH_MAX];
  return ::getcwd(folder, sizeof folder) ? PathFromBytes(folder) : QString();
}

std::optional<qint64> RegularFileSize(const QString& path) {
  struct stat st {};
  if (path.isEmpty() || ::stat(PathBytes(path).constData(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return st.st_size;
}

}  // namespace zelvo
