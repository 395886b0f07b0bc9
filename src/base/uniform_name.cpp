#include "base/uniform_name.h"

namespace zelvo {
namespace {

// True when the replacement steps would leave the name as it is. The
// start-up read passes every row of the autosave file through here, and
// those names are mostly clean already ("Artist - Title"), so they skip the
// replacement passes. A name is unchanged when it holds none of "#[]_&",
// no doubled space, and either no dash that touches a space or only dashes
// with a space on both sides.
bool IsAlreadyClean(QStringView name) {
  const QChar* data = name.data();
  const qsizetype size = name.size();
  bool dashTouchesSpace = false, dashWithoutSpaces = false;
  for (qsizetype i = 0; i < size; ++i) {
    switch (data[i].unicode()) {
      case '#': case '[': case ']': case '_': case '&':
        return false;
      case ' ':
        if (i > 0 && data[i - 1] == u' ') return false;
        break;
      case '-': {
        const bool spaceBefore = i > 0 && data[i - 1] == u' ';
        const bool spaceAfter = i + 1 < size && data[i + 1] == u' ';
        if (spaceBefore || spaceAfter) dashTouchesSpace = true;
        if (!spaceBefore || !spaceAfter) dashWithoutSpaces = true;
        break;
      }
      default:
        break;
    }
  }
  return !(dashTouchesSpace && dashWithoutSpaces);
}

void FoldSpaceRuns(QString& text) {
  qsizetype out = 0;
  QChar* data = text.data();
  for (qsizetype in = 0; in < text.size(); ++in) {
    if (data[in] == u' ' && out > 0 && data[out - 1] == u' ') continue;
    data[out++] = data[in];
  }
  text.truncate(out);
}

void ApplyReplacements(QString& text) {
  text.replace(QLatin1String("- "), QLatin1String("#-#"));
  text.replace(QLatin1String(" -"), QLatin1String("#-#"));
  if (text.contains(QLatin1String("#-#"))) text.replace(u'-', QLatin1String(" - "));
  text.remove(u'#');
  text.replace(u']', u' ');
  text.replace(u'[', u' ');
  text.replace(u'_', u' ');
  FoldSpaceRuns(text);
  text.replace(u'&', QLatin1String("and"));
}

// Qt's case mapping looks every character up in the full Unicode tables,
// which dominated reading a large autosave file. Plain ASCII, which most
// names are, is mapped here instead; any other text gets the full mapping
// (which may change its length: "ß" becomes "SS" in capitals). The ASCII
// prefix mapped before the first other character is already in its final
// case, which the full mapping leaves as it is.
QString ToCase(QString text, bool upper) {
  const char16_t from = upper ? u'a' : u'A';
  for (QChar& c : text) {
    const char16_t u = c.unicode();
    if (u >= 0x80) return upper ? std::move(text).toUpper() : std::move(text).toLower();
    if (u >= from && u <= from + 25) c = QChar(char16_t(u ^ 0x20));
  }
  return text;
}

// Only spaces: tabs and other blanks inside a name are the user's business.
QString TrimSpaces(const QString& text) {
  qsizetype begin = 0, end = text.size();
  while (begin < end && text[begin] == u' ') ++begin;
  while (end > begin && text[end - 1] == u' ') --end;
  return (begin == 0 && end == text.size()) ? text : text.mid(begin, end - begin);
}

// Upper-cases the first character and every one after a space, "(", "[" or
// ".". Walks code points so letters outside the basic plane map too.
void CapitaliseWordStarts(QString& text) {
  bool capitaliseNext = true;
  QChar* data = text.data();
  for (qsizetype i = 0; i < text.size(); ++i) {
    const bool pair = data[i].isHighSurrogate() && i + 1 < text.size() && data[i + 1].isLowSurrogate();
    if (capitaliseNext) {
      capitaliseNext = false;
      if (pair) {
        const char32_t upper = QChar::toUpper(QChar::surrogateToUcs4(data[i], data[i + 1]));
        if (QChar::requiresSurrogates(upper)) {
          data[i] = QChar::highSurrogate(upper);
          data[i + 1] = QChar::lowSurrogate(upper);
        }
      } else {
        data[i] = data[i].toUpper();
      }
    }
    const char16_t c = data[i].unicode();
    if (c == u' ' || c == u'(' || c == u'[' || c == u'.') capitaliseNext = true;
    if (pair) ++i;
  }
}

// True when the case styles would leave an ASCII name as it is. For ASCII
// each style undoes the ones before it, so the last one ticked decides.
bool IsInCase(QStringView name, const UniformCase& mode) {
  if (!mode.allCaps && !mode.lower && !mode.firstLetter) return true;
  if (name.startsWith(u' ') || name.endsWith(u' ')) return false;
  bool wordStart = true;
  for (QChar c : name) {
    const char16_t u = c.unicode();
    if (u >= 0x80) return false;
    const bool upper = u >= u'A' && u <= u'Z', lower = u >= u'a' && u <= u'z';
    if (mode.firstLetter ? (wordStart ? lower : upper) : mode.lower ? upper : lower) return false;
    wordStart = u == u' ' || u == u'(' || u == u'[' || u == u'.';
  }
  return true;
}

}  // namespace

bool IsUniform(QStringView name, const UniformCase& mode) { return IsAlreadyClean(name) && IsInCase(name, mode); }

QString UniformName(QString text, const UniformCase& mode) {
  // One pass can leave work for a second: "N-_X" becomes "N- X", whose dash
  // now touches a space. Names are cleaned again at every start, so they are
  // cleaned here until nothing is left to do, and a clean name stays as it
  // is. Two passes at most: the first leaves no "#[]_&" and no doubled
  // space, the second spaces every dash.
  while (!IsAlreadyClean(text)) ApplyReplacements(text);
  if (mode.allCaps) text = TrimSpaces(ToCase(std::move(text), true));
  if (mode.lower) text = TrimSpaces(ToCase(std::move(text), false));
  if (mode.firstLetter) {
    text = TrimSpaces(ToCase(std::move(text), false));
    CapitaliseWordStarts(text);
  }
  return text;
}

}  // namespace zelvo
