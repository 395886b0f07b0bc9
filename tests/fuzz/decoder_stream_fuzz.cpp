// The decoding stream on any bytes, named by their first byte with any
// extension Zelvo opens: it refuses the file or decodes it to an end, and a
// file never gives much more sound than its bytes can hold.

#include <vector>

#include "fuzz_support.h"
#include "playback/audio_sink.h"
#include "playback/decoder.h"
#include "playback/ffmpeg_stream.h"

namespace {

// The most sound a file of this size may give: 8 kbit/s (1000 bytes a
// second) is below any bitrate the supported formats use, plus some seconds
// for what a decoder makes of a frame or two.
double MaxSeconds(std::size_t size) { return 10.0 + static_cast<double>(size) / 1000.0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString path = zelvo::fuzz::WriteAudioInput(data, size);
  if (path.isEmpty()) return 0;
  const double limit = MaxSeconds(size) * zelvo::AudioSink::kSampleRate * zelvo::AudioSink::kChannels;
  try {
    zelvo::FfmpegStream stream(path);
    std::vector<float> out;
    double samples = 0;
    while (stream.Read(out)) {
      samples += static_cast<double>(out.size());
      out.clear();
      zelvo::fuzz::Require(samples <= limit, "a file gives no more sound than its size can hold");
    }
  } catch (const zelvo::DecoderError&) {
  }
  return 0;
}
