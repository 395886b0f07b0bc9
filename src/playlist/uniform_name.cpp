#include "playlist/uniform_name.h"

namespace zelvo {
namespace {

// Names from tags and file names mostly hold none of these, and the start-up
// read passes every row of the autosave file through here, so such names skip
// the replacement passes altogether.
bool NeedsReplacements(const QString& name) {
  QChar previous;
  for (QChar c : name) {
    switch (c.unicode()) {
      case '-': case '#': case '[': case ']': case '_': case '&':
        return true;
      case ' ':
        if (previous == u' ') return true;
        break;
      default:
        break;
    }
    previous = c;
  }
  return false;
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

}  // namespace

QString UniformName(const QString& name, const UniformCase& mode) {
  QString text = name;
  if (NeedsReplacements(text)) ApplyReplacements(text);
  if (mode.allCaps) text = TrimSpaces(std::move(text).toUpper());
  if (mode.lower) text = TrimSpaces(std::move(text).toLower());
  if (mode.firstLetter) {
    text = TrimSpaces(std::move(text).toLower());
    CapitaliseWordStarts(text);
  }
  return text;
}

}  // namespace zelvo
