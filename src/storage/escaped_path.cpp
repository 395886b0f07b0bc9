#include "storage/escaped_path.h"

#include <algorithm>

namespace zelvo {
namespace {

const QLatin1String kMarker("zelvo-escaped:");

int HexValue(QChar c) {
  if (c >= u'0' && c <= u'9') return c.unicode() - u'0';
  if (c >= u'A' && c <= u'F') return c.unicode() - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c.unicode() - u'a' + 10;
  return -1;
}

}  // namespace

bool BreaksStoredField(QChar c) { return c == u'|' || c == u'"' || c == u'\r' || c == u'\n'; }

QString EscapePath(const QString& path) {
  const bool needed = path.startsWith(kMarker) ||
                      std::any_of(path.begin(), path.end(), BreaksStoredField);
  if (!needed) return path;
  QString stored = kMarker;
  stored.reserve(kMarker.size() + path.size() + 8);
  for (QChar c : path) {
    if (c == u'%' || BreaksStoredField(c))
      stored += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
    else
      stored += c;
  }
  return stored;
}

QString UnescapePath(const QString& stored) {
  if (!stored.startsWith(kMarker)) return stored;
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
