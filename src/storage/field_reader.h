#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace zelvo {

// Reads the comma-and-line separated fields that the playlist, settings and
// skin-colour files are made of, one at a time from the start of a text.
//
// A field: leading spaces and tabs are skipped. If a double quote follows,
// the field is the text up to the next double quote, and everything after it
// up to and including the next comma or line end is skipped. Otherwise the
// field runs to the first comma or line end, with trailing spaces and tabs
// dropped. Line ends are CR LF, LF or a lone CR. An opening quote whose line
// holds no closing one ends the field at the line end, so one damaged line
// cannot swallow the lines after it.
class FieldReader {
 public:
  explicit FieldReader(QString text) : owned_(std::move(text)), text_(owned_) {}
  // Reads a text held by the caller, which must outlive the reader.
  explicit FieldReader(QStringView text) : text_(text) {}

  // The next field, as a view into the text this reader reads (valid while
  // the text lives). Empty optional at the end of input, that is when only
  // spaces and tabs remain; an empty line gives an empty field.
  std::optional<QStringView> Next();

  // True once nothing but spaces and tabs remains, so Next() would fail.
  bool AtEnd() const;

 private:
  qsizetype SkipBlanks(qsizetype from) const;
  // Steps over a line end starting at from, if there is one.
  qsizetype SkipLineEnd(qsizetype from) const;

  QString owned_;
  QStringView text_;
  qsizetype pos_ = 0;
};

}  // namespace zelvo
