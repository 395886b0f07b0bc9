#include "storage/escaped_path.h"

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
  for (char c : {'|', '"', '\r', '\n'})
    if (utf8.find(c) != std::string_view::npos) return true;
  return false;
}

bool IsStoredAsIs(std::string_view utf8Path) {
  return !HoldsFieldBreak(utf8Path) && !utf8Path.starts_with(kMarker);
}

QString EscapePath(const QString& path) {
  if (!HoldsFieldBreak(path) && !path.startsWith(kLatin1Marker)) return path;
  QString stored = kLatin1Marker;
  stored.reserve(kMarker.size() + path.size() + 8);
  for (QChar c : path) {
    if (c == u'%' || HoldsFieldBreak(QStringView(&c, 1)))
      stored += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
    else
      stored += c;
  }
  return stored;
}

QString UnescapePath(const QString& stored) {
  if (!stored.startsWith(kLatin1Marker)) return stored;
  QString path;
  path.reserve(stored.size());
  for (qsizetype i = kMarker.size(); i < stored.size(); ++i) {
    if (stored[i] == u'%' && i + 2 < stored.size() && HexValue(stored[i + 1]) >= 0 && HexValue(stored[i + 2]) >= 0) {
      path += QChar(char16_t(HexValue(stored[i + 1]) * 16 + HexValue(stored[i + 2])));
      i += 2;
    } else {
      path += stored[i];
    }
  }
  return path;
}

}  // namespace zelvo
