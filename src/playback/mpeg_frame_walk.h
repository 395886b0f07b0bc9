#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace zelvo {

// The length of an MPEG audio stream (MP3, also MP2/MP1) found by walking
// its frame headers from the first frame to the last, the way a decoder
// would meet them. Needed where no Xing/Info/VBRI header gives the frame count
// and the bitrate varies: a length estimated from the first frame's bitrate
// is then off by seconds.
struct MpegWalk {
  std::int64_t frames = 0;       // audio frames counted (a Xing/Info/VBRI frame is not)
  std::int64_t samples = 0;      // samples per channel in those frames
  int sampleRate = 0;
  std::int64_t firstFrame = 0;   // byte offset of the first frame
  bool hasVbrHeader = false;     // the first frame is a Xing/Info/VBRI header
  double Seconds() const { return sampleRate > 0 ? static_cast<double>(samples) / sampleRate : 0.0; }
};

// Walks the bytes of a whole file: skips leading ID3v2 tags and trailing
// ID3v1/APEv2 tags, finds the first frame (two consistent headers in a row),
// then counts frames, resynchronising past damaged stretches. Returns nothing
// when no frame is found.
std::optional<MpegWalk> WalkMpegFrames(const std::uint8_t* data, std::size_t size);

// The same over a regular file on disk, read whole. Nothing when the file
// cannot be read, is no regular file, is larger than 512 MB or holds no
// MPEG audio.
std::optional<MpegWalk> WalkMpegFile(const char* path);

}  // namespace zelvo
