#include "fuzz_support.h"

#include <QFile>

#include "playback/audio_formats.h"

#include <cstdio>
#include <cstdlib>

namespace zelvo::fuzz {

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

const QTemporaryDir& ScratchFolder() {
  static const QTemporaryDir folder;
  Require(folder.isValid(), "a scratch folder can be made");
  return folder;
}

QString WriteInput(const QString& name, const std::uint8_t* data, std::size_t size) {
  const QString path = ScratchFolder().filePath(name);
  QFile file(path);
  Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the input file can be written");
  Require(file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) == static_cast<qint64>(size),
          "the whole input is written");
  return path;
}

QString WriteAudioInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return {};
  const QStringList& extensions = SupportedAudioExtensions();
  const QString& extension = extensions[data[0] % extensions.size()];
  return WriteInput(QStringLiteral("input.") + extension, data + 1, size - 1);
}

}  // namespace zelvo::fuzz
