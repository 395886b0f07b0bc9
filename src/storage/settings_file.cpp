#include "storage/settings_file.h"

#include <QLocale>
#include <cmath>
#include <limits>

#include "base/log.h"
#include "storage/atomic_file.h"
#include "storage/escaped_path.h"
#include "storage/field_reader.h"
#include "storage/text_codec.h"

namespace zelvo {
namespace {

// Lines 1 to 23 are flags, then the skin number breaks the run.
constexpr int kSkinNumberLine = 24;
constexpr int kSelectedTrackLine = 30;
constexpr int kLastAddFolderLine = 31;

// The flag entry a line holds; empty for the other lines.
QString FlagOfLine(int line) {
  if (line < kSkinNumberLine) return kSettingsFlagEntries[line - 1];
  if (line < kSelectedTrackLine && line > kSkinNumberLine) return kSettingsFlagEntries[line - 2];
  return {};
}

std::optional<bool> ParseFlag(QStringView text) {
  if (text.compare(u"#TRUE#", Qt::CaseInsensitive) == 0 || text.compare(u"true", Qt::CaseInsensitive) == 0)
    return true;
  if (text.compare(u"#FALSE#", Qt::CaseInsensitive) == 0 || text.compare(u"false", Qt::CaseInsensitive) == 0)
    return false;
  bool ok = false;
  const double number = QLocale::c().toDouble(text, &ok);
  if (!ok || !std::isfinite(number)) return std::nullopt;
  return number != 0;
}

template <typename Int>
std::optional<Int> ParseInteger(QStringView text) {
  bool ok = false;
  const qlonglong number = text.toLongLong(&ok, 10);
  if (!ok || number < std::numeric_limits<Int>::min() || number > std::numeric_limits<Int>::max()) return std::nullopt;
  return static_cast<Int>(number);
}

// Converts one line into the result; false when the text does not fit it.
bool Store(int line, QStringView text, SettingsReadResult& result) {
  if (line == kSkinNumberLine) {
    result.skinNumber = ParseInteger<qint16>(text);
    return result.skinNumber.has_value();
  }
  if (line == kSelectedTrackLine) {
    result.selectedTrack = ParseInteger<qint32>(text);
    return result.selectedTrack.has_value();
  }
  if (line == kLastAddFolderLine) {
    result.lastAddFolder = UnescapePath(text.toString());
    return true;
  }
  const std::optional<bool> flag = ParseFlag(text);
  if (flag) result.flags.insert(FlagOfLine(line), *flag);
  return flag.has_value();
}

}  // namespace

bool WriteSettingsFile(const QString& path, const Settings& settings, QString* error) {
  QString text;
  for (int line = 1; line <= kSettingsLineCount; ++line) {
    if (line == kSkinNumberLine)
      text += QString::number(settings.skinNumber);
    else if (line == kSelectedTrackLine)
      text += QString::number(settings.selectedTrack);
    else if (line == kLastAddFolderLine)
      text += QLatin1Char('"') + EscapePath(settings.lastAddFolder) + QLatin1Char('"');
    else
      text += settings.flags.value(FlagOfLine(line)) ? QLatin1String("#TRUE#") : QLatin1String("#FALSE#");
    text += QLatin1String("\r\n");
  }
  return WriteFileAtomically(path, text.toUtf8(), error);
}

SettingsReadResult ReadSettingsFile(const QString& path) {
  SettingsReadResult result;
  std::optional<QString> text = ReadTextFile(path, kSmallFileLimit);
  if (!text) return result;
  result.fileFound = true;
  FieldReader reader(std::move(*text));
  for (int line = 1; line <= kSettingsLineCount; ++line) {
    const std::optional<QStringView> field = reader.Next();
    if (!field || !Store(line, *field, result)) {
      qCWarning(lcStorage) << "settings" << path << "stop at line" << line << "; built-in values from there on";
      break;
    }
    result.linesRead = line;
  }
  return result;
}

}  // namespace zelvo
