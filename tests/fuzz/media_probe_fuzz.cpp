// The media probe on any bytes, named by their first byte with any extension
// Zelvo opens: it returns a length between 0 and what the file's size can
// hold at 8 kbit/s, or refuses the file, and it ends.

#include "fuzz_support.h"
#include "playback/decoder.h"
#include "playback/media_probe.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString path = zelvo::fuzz::WriteAudioInput(data, size);
  if (path.isEmpty()) return 0;
  try {
    const zelvo::MediaInfo info = zelvo::ProbeMedia(path);
    zelvo::fuzz::Require(info.duration >= 0 && info.duration <= static_cast<double>(size - 1) / 1000.0,
                         "the length is a number of seconds the file can hold");
  } catch (const zelvo::DecoderError&) {
  }
  return 0;
}
