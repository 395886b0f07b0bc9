#include "storage/field_reader.h"

namespace zelvo {
namespace {

bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool IsLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }

}  // namespace

qsizetype FieldReader::SkipBlanks(qsizetype from) const {
  while (from < text_.size() && IsBlank(text_[from])) ++from;
  return from;
}

qsizetype FieldReader::SkipLineEnd(qsizetype from) const {
  if (from < text_.size() && text_[from] == u'\r') ++from;
  if (from < text_.size() && text_[from] == u'\n') ++from;
  return from;
}

bool FieldReader::AtEnd() const { return SkipBlanks(pos_) >= text_.size(); }

std::optional<QStringView> FieldReader::Next() {
  const qsizetype size = text_.size();
  qsizetype start = SkipBlanks(pos_);
  if (start >= size) {
    pos_ = size;
    return std::nullopt;
  }
  const QChar* data = text_.data();
  if (data[start] == u'"') {
    ++start;
    qsizetype end = start;
    while (end < size && data[end] != u'"' && !IsLineEnd(data[end])) ++end;
    qsizetype next = end;
    if (next < size && data[next] == u'"') {
      ++next;
      while (next < size && data[next] != u',' && !IsLineEnd(data[next])) ++next;
    }
    pos_ = (next < size && data[next] == u',') ? next + 1 : SkipLineEnd(next);
    return QStringView(data + start, end - start);
  }
  qsizetype end = start;
  while (end < size && data[end] != u',' && !IsLineEnd(data[end])) ++end;
  pos_ = (end < size && data[end] == u',') ? end + 1 : SkipLineEnd(end);
  while (end > start && IsBlank(data[end - 1])) --end;
  return QStringView(data + start, end - start);
}

}  // namespace zelvo
