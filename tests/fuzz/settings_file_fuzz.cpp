// The settings reader on any bytes; whatever it takes from them is written
// and must read back the same.

#include "fuzz_support.h"
#include "storage/settings_file.h"

namespace {

zelvo::Settings FromRead(const zelvo::SettingsReadResult& read) {
  zelvo::Settings settings;
  settings.flags = read.flags;
  settings.skinNumber = read.skinNumber.value_or(0);
  settings.selectedTrack = read.selectedTrack.value_or(0);
  settings.lastAddFolder = read.lastAddFolder.value_or(QString());
  return settings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using zelvo::fuzz::Require;
  const QString path = zelvo::fuzz::WriteInput(QStringLiteral("config.zcf"), data, size);
  const zelvo::SettingsReadResult read = zelvo::ReadSettingsFile(path);
  Require(read.linesRead >= 0 && read.linesRead <= zelvo::kSettingsLineCount, "no more lines than the file has");
  Require(read.fileFound || read.linesRead == 0, "nothing is read from no file");

  const zelvo::Settings settings = FromRead(read);
  const QString copy = zelvo::fuzz::ScratchFolder().filePath(QStringLiteral("copy.zcf"));
  Require(zelvo::WriteSettingsFile(copy, settings), "the settings can be written");
  const zelvo::SettingsReadResult again = zelvo::ReadSettingsFile(copy);
  Require(again.Complete(), "a written file reads back whole");
  for (const QString& name : zelvo::kSettingsFlagEntries)
    Require(again.flags.value(name) == settings.flags.value(name), "every flag reads back");
  Require(*again.skinNumber == settings.skinNumber, "the skin number reads back");
  Require(*again.selectedTrack == settings.selectedTrack, "the selected row reads back");
  Require(*again.lastAddFolder == settings.lastAddFolder, "the folder reads back");
  return 0;
}
