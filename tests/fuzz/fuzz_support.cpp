#include "fuzz_support.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <cstring>

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

QString AudioFileName(const std::uint8_t* data, std::size_t size) {
  static const unsigned char kAsfHeader[4] = {0x30, 0x26, 0xB2, 0x75};
  const bool asf = size >= 4 && std::memcmp(data, kAsfHeader, 4) == 0;
  return asf ? QStringLiteral("input.wma") : QStringLiteral("input.mp3");
}

}  // namespace zelvo::fuzz
