#include "storage/text_codec.h"

#include <QStringDecoder>

#include "base/log.h"
#include "platform/regular_file.h"

namespace zelvo {
namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::optional<QString> DecodeUtf8Strictly(QByteArrayView bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = decoder.decode(bytes);
  if (decoder.hasError()) return std::nullopt;
  return text;
}

QByteArrayView WithoutByteOrderMark(QByteArrayView bytes) {
  return bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
}

}  // namespace

QString DecodeWindows1252(QByteArrayView bytes) {
  QString text(bytes.size(), Qt::Uninitialized);
  QChar* out = text.data();
  for (char byte : bytes) {
    const auto b = static_cast<unsigned char>(byte);
    *out++ = QChar(b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : char16_t(b));
  }
  return text;
}

QString DecodeText(QByteArrayView bytes) {
  bytes = WithoutByteOrderMark(bytes);
  // Almost every file is wholly UTF-8 (or plain ASCII): one pass decides.
  if (std::optional<QString> whole = DecodeUtf8Strictly(bytes)) return *whole;
  QString text;
  text.reserve(bytes.size());
  while (!bytes.isEmpty()) {
    const qsizetype newline = bytes.indexOf('\n');
    const QByteArrayView line = newline < 0 ? bytes : bytes.first(newline + 1);
    bytes = bytes.sliced(line.size());
    if (std::optional<QString> utf8 = DecodeUtf8Strictly(line))
      text += *utf8;
    else
      text += DecodeWindows1252(line);
  }
  return text;
}

DecodedLines::DecodedLines(QByteArrayView bytes)
    : bytes_(WithoutByteOrderMark(bytes)), allUtf8_(bytes_.isValidUtf8()) {}

std::optional<QStringView> DecodedLines::Next() {
  if (bytes_.isEmpty()) return std::nullopt;
  const qsizetype newline = bytes_.indexOf('\n');
  const QByteArrayView line = newline < 0 ? bytes_ : bytes_.first(newline + 1);
  bytes_ = bytes_.sliced(line.size());
  if (allUtf8_ || line.isValidUtf8()) {
    // One buffer for every line: UTF-8 never takes more UTF-16 units than bytes.
    if (line_.size() < line.size()) line_.resize(line.size());
    // A byte-order mark inside the text is a character like any other.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QChar* end = utf8.appendToBuffer(line_.data(), line);
    return QStringView(line_.constData(), end - line_.constData());
  }
  line_ = DecodeWindows1252(line);
  return QStringView(line_);
}

std::optional<QByteArray> ReadFileBytes(const QString& path, qint64 maxBytes) {
  std::variant<QByteArray, ReadRefusal> read = ReadRegularFile(path, maxBytes);
  if (const auto* refused = std::get_if<ReadRefusal>(&read)) {
    // A file that is not there is ordinary (a first start); only real failures are logged.
    if (!refused->missing) qCWarning(lcStorage) << "not read:" << path << ":" << refused->reason;
    return std::nullopt;
  }
  return std::move(std::get<QByteArray>(read));
}

std::optional<QString> ReadTextFile(const QString& path, qint64 maxBytes) {
  const std::optional<QByteArray> bytes = ReadFileBytes(path, maxBytes);
  if (!bytes) return std::nullopt;
  return DecodeText(*bytes);
}

}  // namespace zelvo
