// Runs a fuzz target over saved inputs, one call per file, as libFuzzer runs
// one input: its seed corpus and every input that once made it fail. Each
// argument is a file or a folder of files; a folder that does not exist
// counts as empty. Without libFuzzer, this keeps every build checking them.

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

#include "fuzz_support.h"

extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

int main(int argc, char** argv) {
  if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
  int inputs = 0;
  for (int i = 1; i < argc; ++i) {
    const QFileInfo argument(QFile::decodeName(argv[i]));
    QStringList files;
    if (argument.isDir()) {
      const QDir folder(argument.filePath());
      for (const QString& name : folder.entryList(QDir::Files, QDir::Name)) files << folder.filePath(name);
    } else if (argument.exists()) {
      files << argument.filePath();
    }
    for (const QString& path : files) {
      QFile file(path);
      if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return 1;
      }
      const QByteArray bytes = file.readAll();
      std::fprintf(stderr, "%s\n", qPrintable(path));
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                             static_cast<std::size_t>(bytes.size()));
      ++inputs;
    }
  }
  std::fprintf(stderr, "%d inputs ran\n", inputs);
  return inputs > 0 ? 0 : 1;
}
