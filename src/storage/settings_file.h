#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace zelvo {

// The settings file: 31 lines, each ending in CR LF, in this order:
//  1-23  option flags, kSettingsFlagEntries[0..22]
//  24    the skin number (16-bit)
//  25-29 option flags, kSettingsFlagEntries[23..27]
//  30    the selected track-list row, 1-based, 0 for none (32-bit)
//  31    the folder the add-tracks dialog last used, in double quotes
// Flags are written "#TRUE#" or "#FALSE#", integers in plain decimal.
inline constexpr int kSettingsLineCount = 31;
inline const QStringList kSettingsFlagEntries = {
    "BalLeft",    "BalLHalf",   "BalMiddle", "BalRHalf",    "BalRight",              // lines 1-5
    "ClassicSE",  "NormalSE",   "DanceSE",                                           // 6-8
    "NormalPlay", "ShufflePlay", "FuzzyPlay",                                        // 9-11
    "UniAllCaps", "UniFirst",   "UniLower",                                          // 12-14
    "MuteVol",    "LowVol",     "MedVol",    "HighVol",     "FullVol",               // 15-19
    "ID3Possible", "ID3Disable", "AniEffects", "AscOrder",                           // 20-23
    "RealPlayList", "Trans100", "Trans150",  "Trans200",    "Trans254",              // 25-29
};

struct Settings {
  // Check marks by entry name; an entry that is absent is written as false.
  QHash<QString, bool> flags;
  qint16 skinNumber = 0;
  qint32 selectedTrack = 0;
  QString lastAddFolder;
};

// Writes all 31 lines, replacing the file atomically: on failure the old file
// is untouched and false is returned with the reason in error. A folder
// holding a double quote, "|" or a line break is stored escaped (see
// escaped_path.h) so that the line reads back whole.
bool WriteSettingsFile(const QString& path, const Settings& settings, QString* error = nullptr);

// What a settings file supplied. Reading goes line by line and stops at the
// first line that is missing or cannot be converted; the values of the lines
// before it are here, that line and all later ones are absent, so the caller
// applies exactly what is present and keeps its built-in values for the rest.
struct SettingsReadResult {
  bool fileFound = false;  // false: no file (or unreadable), nothing was read
  int linesRead = 0;       // lines read and converted, 0..31
  QHash<QString, bool> flags;  // only the flags of the lines read
  std::optional<qint16> skinNumber;
  std::optional<qint32> selectedTrack;
  std::optional<QString> lastAddFolder;

  // All 31 lines were read: the caller re-applies the sort order.
  bool Complete() const { return linesRead == kSettingsLineCount; }
};

// Flag lines accept "#TRUE#" and "#FALSE#", true and false in any letter
// case, and numbers (non-zero is true). The skin number and the selected row
// must be whole numbers in their 16- and 32-bit ranges. The folder line takes
// any text.
SettingsReadResult ReadSettingsFile(const QString& path);

}  // namespace zelvo
