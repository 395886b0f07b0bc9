// Track-name cleaning: any text in any case style, cleaned twice, must come
// out the same the second time.

#include "base/uniform_name.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the ticked case styles, the rest is the name.
  const zelvo::UniformCase mode{.allCaps = (data[0] & 1) != 0, .lower = (data[0] & 2) != 0,
                                .firstLetter = (data[0] & 4) != 0};
  const QString name = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  const QString once = zelvo::UniformName(name, mode);
  const QString twice = zelvo::UniformName(once, mode);
  zelvo::fuzz::Require(twice == once, "cleaning a cleaned name changes nothing");
  zelvo::fuzz::Require(!name.isEmpty() || once.isEmpty(), "an empty name stays empty");
  return 0;
}
