#include "storage/escaped_path.h"

#include "platform/path_bytes.h"

namespace zelvo {
namespace {

constexpr std::string_view kMarker = "zelvo-escaped:";
const QLatin1String kLatin1Marker(kMarker.data(), kMarker.size());

int HexValue(QChar c) {
  if (c >= u'0' && c <= u'9') return c.unicode() - u'0';
  if (c >= u'A' && c <= u'F') return c.unicode() - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c.unicode() - u'a' + 10;
  return -1;
}

}  // namespace

bool HoldsFieldBreak(QStringView text) {
  for (char16_t c : {u'|', u'"', u'\r', u'\n'})
    if (text.contains(QChar(c))) return true;
  return false;
}

bool HoldsFieldBreak(std::string_view utf8) {
  // Every field of a playlist being written passes here. Fields are short:
  // one pass without an early way out beats a search per character.
  bool found = false;
  for (const char c : utf8) found |= (c == '|') | (c == '"') | (c == '\r') | (c == '\n');
  return found;
}

bool IsStoredAsIs(std::string_view utf8Path) {
  return !HoldsFieldBreak(utf8Path) && !utf8Path.starts_with(kMarker);
}

QString EscapePath(const QString& path) {
  if (!HoldsFieldBreak(path) && !path.startsWith(kLatin1Marker) && !HoldsForeignBytes(path)) return path;
  QString stored = kLatin1Marker;
  stored.reserve(kMarker.size() + path.size() + 8);
  const auto escape = [&stored](unsigned value) {
    stored += QStringLiteral("%%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
  };
  for (qsizetype i = 0; i < path.size(); ++i) {
    const QChar c = path[i];
    if (const std::optional<unsigned char> byte = ForeignByteAt(path, i))
      escape(*byte);
    else if (c == u'%' || HoldsFieldBreak(QStringView(&c, 1)))
      escape(c.unicode());
    else
      stored += c;
  }
  return stored;
}

bool IsStoredEscaped(QStringView stored) { return stored.startsWith(kLatin1Marker); }

QString UnescapePath(const QString& stored) {
  if (!IsStoredEscaped(stored)) return stored;
  QByteArray bytes;
  bytes.reserve(stored.size());
  const QStringView text(stored);
  qsizetype from = kMarker.size();
  for (qsizetype i = from; i < text.size(); ++i) {
    if (text[i] == u'%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      bytes += text.sliced(from, i - from).toUtf8();
      bytes += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
      from = i + 1;
    }
  }
  bytes += text.sliced(from).toUtf8();
  return PathFromBytes(bytes);
}

}  // namespace zelvo
