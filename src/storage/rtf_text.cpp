#include "storage/rtf_text.h"

#include <QStringDecoder>
#include <cctype>
#include <vector>

namespace zelvo {
namespace {

// Groups whose content is not text.
bool IsSkippedDestination(const QByteArray& word) {
  return word == "fonttbl" || word == "colortbl" || word == "stylesheet" || word == "info" || word == "pict" ||
         word == "*";
}

QString FromWindows1252(char byte) {
  QStringDecoder decoder("windows-1252");
  return decoder.isValid() ? decoder.decode(QByteArray(1, byte)) : QString(QChar(uchar(byte)));
}

}  // namespace

QString RtfToPlainText(const QByteArray& rtf) {
  QString text;
  std::vector<bool> skipping{false};  // one entry per open group
  qsizetype i = 0;
  bool groupStart = false;
  while (i < rtf.size()) {
    const char c = rtf[i];
    if (c == '{') {
      skipping.push_back(skipping.back());
      groupStart = true;
      ++i;
      continue;
    }
    if (c == '}') {
      if (skipping.size() > 1) skipping.pop_back();
      ++i;
      continue;
    }
    const bool atGroupStart = groupStart;
    groupStart = false;
    if (c == '\r' || c == '\n') {
      ++i;
      continue;
    }
    if (c != '\\') {
      if (!skipping.back()) text += uchar(c) < 0x80 ? QString(QLatin1Char(c)) : FromWindows1252(c);
      ++i;
      continue;
    }
    // A control symbol or word.
    if (i + 1 >= rtf.size()) break;
    const char next = rtf[i + 1];
    if (next == '\\' || next == '{' || next == '}') {
      if (!skipping.back()) text += QChar(next);
      i += 2;
      continue;
    }
    if (next == '\'') {
      if (!skipping.back()) text += FromWindows1252(char(rtf.mid(i + 2, 2).toInt(nullptr, 16)));
      i += 4;
      continue;
    }
    if (next == '*') {
      if (atGroupStart) skipping.back() = true;
      i += 2;
      continue;
    }
    qsizetype end = i + 1;
    while (end < rtf.size() && std::isalpha(uchar(rtf[end]))) ++end;
    const QByteArray word = rtf.mid(i + 1, end - i - 1);
    qsizetype numberEnd = end;
    if (numberEnd < rtf.size() && rtf[numberEnd] == '-') ++numberEnd;
    while (numberEnd < rtf.size() && std::isdigit(uchar(rtf[numberEnd]))) ++numberEnd;
    const int number = rtf.mid(end, numberEnd - end).toInt();
    i = numberEnd;
    if (i < rtf.size() && rtf[i] == ' ') ++i;  // the delimiting space belongs to the word
    if (atGroupStart && IsSkippedDestination(word)) skipping.back() = true;
    if (skipping.back()) continue;
    if (word == "par" || word == "line") text += QLatin1Char('\n');
    else if (word == "tab") text += QLatin1Char('\t');
    else if (word == "bullet") text += QChar(0x2022);
    else if (word == "u") {
      text += QChar(char16_t(number));
      if (i < rtf.size() && rtf[i] == '?') ++i;  // the stand-in for readers without Unicode
    }
  }
  return text;
}

}  // namespace zelvo
