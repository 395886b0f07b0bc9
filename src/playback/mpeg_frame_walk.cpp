#include "playback/mpeg_frame_walk.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace zelvo {
namespace {

struct Header {
  int version = 0;  // 0 MPEG-2.5, 2 MPEG-2, 3 MPEG-1 (the header's bits)
  int layer = 0;    // 1, 2 or 3
  int sampleRate = 0;
  int length = 0;   // bytes, header included
  int samples = 0;  // per channel
  int channelMode = 0;
};

// Kilobits per second by [MPEG-1 ? 0 : 1][layer - 1][index].
constexpr int kBitrates[2][3][16] = {
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}},
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}}};
constexpr int kSampleRates[4][3] = {
    {11025, 12000, 8000}, {0, 0, 0}, {22050, 24000, 16000}, {44100, 48000, 32000}};

// Parses the 4 bytes at p; false for anything that is not a usable header
// (free-format frames included: their length is not in the header).
bool Parse(const std::uint8_t* p, Header& h) {
  if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0) return false;
  h.version = (p[1] >> 3) & 3;
  const int layerBits = (p[1] >> 1) & 3;
  const int bitrateIndex = p[2] >> 4;
  const int rateIndex = (p[2] >> 2) & 3;
  if (h.version == 1 || layerBits == 0 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
    return false;
  if ((p[3] & 3) == 2) return false;  // reserved emphasis
  h.layer = 4 - layerBits;
  h.sampleRate = kSampleRates[h.version][rateIndex];
  h.channelMode = p[3] >> 6;
  const bool mpeg1 = h.version == 3;
  const int bitrate = kBitrates[mpeg1 ? 0 : 1][h.layer - 1][bitrateIndex] * 1000;
  const int padding = (p[2] >> 1) & 1;
  if (h.layer == 1) {
    h.samples = 384;
    h.length = (12 * bitrate / h.sampleRate + padding) * 4;
  } else if (h.layer == 2 || mpeg1) {
    h.samples = 1152;
    h.length = 144 * bitrate / h.sampleRate + padding;
  } else {
    h.samples = 576;
    h.length = 72 * bitrate / h.sampleRate + padding;
  }
  return h.length >= 4;
}

bool SameStream(const Header& a, const Header& b) {
  return a.version == b.version && a.layer == b.layer && a.sampleRate == b.sampleRate;
}

std::uint32_t SyncSafe(const std::uint8_t* p) {
  return (p[0] & 0x7Fu) << 21 | (p[1] & 0x7Fu) << 14 | (p[2] & 0x7Fu) << 7 | (p[3] & 0x7Fu);
}

std::uint32_t LittleEndian32(const std::uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Whether the frame at p (of header h) carries a Xing/Info or VBRI header.
bool IsVbrHeaderFrame(const std::uint8_t* p, const Header& h, std::size_t available) {
  if (h.layer != 3) return false;
  const bool mono = h.channelMode == 3;
  const std::size_t xing = 4 + (h.version == 3 ? (mono ? 17 : 32) : (mono ? 9 : 17));
  if (available >= xing + 4 &&
      (std::memcmp(p + xing, "Xing", 4) == 0 || std::memcmp(p + xing, "Info", 4) == 0))
    return true;
  return available >= 40 && std::memcmp(p + 36, "VBRI", 4) == 0;
}

// A frame at `pos` counts as a start when the header after it agrees (or the
// data ends right after it).
bool IsFrameStart(const std::uint8_t* data, std::size_t pos, std::size_t end, Header& h,
                  const Header* stream) {
  if (pos + 4 > end || !Parse(data + pos, h)) return false;
  if (stream && !SameStream(h, *stream)) return false;
  const std::size_t next = pos + static_cast<std::size_t>(h.length);
  if (next == end) return true;
  if (next + 4 > end) return false;
  Header following;
  return Parse(data + next, following) && SameStream(h, following);
}

}  // namespace

std::optional<MpegWalk> WalkMpegFrames(const std::uint8_t* data, std::size_t size) {
  std::size_t begin = 0, end = size;
  // Leading ID3v2 tags (sometimes more than one).
  while (begin + 10 <= end && std::memcmp(data + begin, "ID3", 3) == 0) {
    const std::size_t tag = 10 + SyncSafe(data + begin + 6) + ((data[begin + 5] & 0x10) ? 10 : 0);
    if (begin + tag > end) return std::nullopt;
    begin += tag;
  }
  // Trailing ID3v1, then an APEv2 tag before it.
  if (end >= begin + 128 && std::memcmp(data + end - 128, "TAG", 3) == 0) end -= 128;
  if (end >= begin + 32 && std::memcmp(data + end - 32, "APETAGEX", 8) == 0) {
    const std::size_t tag = LittleEndian32(data + end - 20) +
                            ((data[end - 9] & 0x80) ? 32 : 0);  // footer size + header
    end = tag <= end - begin ? end - tag : begin;
  }

  MpegWalk walk;
  Header first, h;
  std::size_t pos = begin;
  while (pos < end && !IsFrameStart(data, pos, end, first, nullptr)) ++pos;
  if (pos >= end) return std::nullopt;
  walk.firstFrame = static_cast<std::int64_t>(pos);
  walk.sampleRate = first.sampleRate;
  if (IsVbrHeaderFrame(data + pos, first, end - pos)) {
    walk.hasVbrHeader = true;
    pos += static_cast<std::size_t>(first.length);
  }

  while (pos + 4 <= end) {
    if (Parse(data + pos, h) && SameStream(h, first)) {
      const std::size_t next = pos + static_cast<std::size_t>(h.length);
      if (next > end) break;  // a frame cut short by the end of the file
      ++walk.frames;
      walk.samples += h.samples;
      pos = next;
      continue;
    }
    // Damaged stretch: resynchronise at the next pair of agreeing headers.
    ++pos;
    while (pos < end && !IsFrameStart(data, pos, end, h, &first)) ++pos;
  }
  if (walk.frames == 0) return std::nullopt;
  return walk;
}

std::optional<MpegWalk> WalkMpegFile(const char* path) {
  constexpr off_t kMaxWalkBytes = 512 << 20;
  // Read, not mapped: a mapped file that is cut while it is walked would
  // kill the program with SIGBUS. O_NONBLOCK keeps a FIFO from blocking the
  // open; only regular files are read.
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  // The walk holds the file in memory: past kMaxWalkBytes (some ten hours at
  // 128 kbit/s) the header's or FFmpeg's length has to do.
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0 || st.st_size > kMaxWalkBytes) {
    ::close(fd);
    return std::nullopt;
  }
  // The size at the open is a limit, not a promise: a file cut meanwhile
  // gives fewer bytes, and the walk takes what was read.
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(st.st_size));
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  return WalkMpegFrames(bytes.data(), got);
}

}  // namespace zelvo
