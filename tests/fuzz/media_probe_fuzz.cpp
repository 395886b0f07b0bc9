// The media probe on any bytes, named as a WMA when they begin like one and
// as an MP3 otherwise: it returns a length that is a number, or refuses the
// file, and it ends.

#include <cmath>

#include "fuzz_support.h"
#include "playback/decoder.h"
#include "playback/media_probe.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString path = zelvo::fuzz::WriteInput(zelvo::fuzz::AudioFileName(data, size), data, size);
  try {
    const zelvo::MediaInfo info = zelvo::ProbeMedia(path);
    zelvo::fuzz::Require(std::isfinite(info.duration) && info.duration >= 0, "the length is a number of seconds");
  } catch (const zelvo::DecoderError&) {
  }
  return 0;
}
