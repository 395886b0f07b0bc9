#include "playback/media_probe.h"

#include <QStringDecoder>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include <taglib/asffile.h>
#include <taglib/audioproperties.h>
#include <taglib/fileref.h>
#include <taglib/id3v2header.h>
#include <taglib/infotag.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/mp4file.h>
#include <taglib/mpegproperties.h>
#include <taglib/tag.h>
#include <taglib/wavfile.h>
#include <taglib/xingheader.h>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
}

#include "base/log.h"
#include "playback/decoder.h"
#include "playback/ffmpeg_support.h"
#include "playback/mpeg_frame_walk.h"
#include "playback/read_only_file_stream.h"
#include "playback/replay_gain_tags.h"
#include "platform/path_bytes.h"

namespace zelvo {
namespace {

QString FromTagLib(const TagLib::String& text) {
  return QString::fromStdWString(text.toWString());
}

// FFmpeg hands over ID3v1 (and some other) text as the raw bytes of the file,
// usually Latin-1; UTF-8 is taken as such, anything else as Latin-1.
QString FromFfmpeg(const char* text) {
  if (!text) return {};
  const QByteArray bytes(text);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString decoded = utf8(bytes);
  if (utf8.hasError()) return QString::fromLatin1(bytes);
  return decoded;
}

// One stat: present, a regular file, not empty. (Unreadable files fail to
// open in TagLib and FFmpeg.)
void CheckFile(const QString& path, const QByteArray& name, qint64* size) {
  struct stat st {};
  if (path.isEmpty() || ::stat(name.constData(), &st) != 0)
    throw DecoderError("file not found: " + path.toStdString());
  if (!S_ISREG(st.st_mode)) throw DecoderError("not a file: " + path.toStdString());
  if (st.st_size == 0) throw DecoderError("empty file: " + path.toStdString());
  *size = st.st_size;
}

// No supported format holds a second of sound in fewer bytes than 8 kbit/s
// needs (1000 bytes): a length beyond that, a negative one or no number at
// all comes from a damaged header and is not believed.
bool IsBelievable(double seconds, qint64 size) {
  return seconds >= 0 && seconds <= static_cast<double>(size) / 1000.0;
}

// The MP3's length by its frames when the header cannot be trusted: none at
// all (a VBR file estimated from its first frame), or a header that counts more
// bytes than the file holds (a cut file).
bool NeedsFrameWalk(TagLib::MPEG::File& file, qint64 fileSize) {
  const auto* properties = file.audioProperties();
  const TagLib::MPEG::XingHeader* header = properties ? properties->xingHeader() : nullptr;
  if (!header || !header->isValid()) return true;
  // The tags' sizes are known already; the first frame's offset would cost a search.
  qint64 tags = file.hasID3v1Tag() ? 128 : 0;
  if (file.hasID3v2Tag()) tags += file.ID3v2Tag()->header()->completeTagSize();
  const qint64 promised = header->totalSize();
  return promised > 0 && promised > fileSize - tags + 1024;
}

// The same question of FFmpeg's view of an MP3: its length is an estimate
// from the first frame's bitrate (no Xing/Info/VBRI header), a number no file
// of its size can hold, or a header's count of more bytes than are there.
bool NeedsFrameWalk(const AVFormatContext* format, int stream, double seconds, qint64 size) {
  if (format->duration_estimation_method == AVFMT_DURATION_FROM_BITRATE) return true;
  if (!IsBelievable(seconds, size)) return true;
  const double promised = static_cast<double>(format->streams[stream]->codecpar->bit_rate) * seconds / 8;
  return promised > static_cast<double>(size) + 1024;
}

std::uint64_t LittleEndian(const unsigned char* p, int bytes) {
  std::uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | p[i];
  return value;
}

// The share of a WMA's play duration whose data packets a cut file still holds.
double PresentAsfSeconds(const unsigned char* properties, std::uint64_t headerSize, std::uint64_t actual,
                         double declaredSeconds) {
  const std::uint64_t declaredSize = LittleEndian(properties + 16, 8);
  const std::uint64_t packets = LittleEndian(properties + 32, 8);
  const std::uint64_t packetSize = LittleEndian(properties + 68, 4);
  const std::uint64_t dataStart = headerSize + 50;  // the data object's own header
  if (actual <= dataStart) return 0.0;
  const double present = static_cast<double>(actual - dataStart);
  const double share = packets > 0 && packetSize > 0
                           ? std::floor(present / static_cast<double>(packetSize)) / static_cast<double>(packets)
                           : present / static_cast<double>(declaredSize - dataStart);
  return declaredSeconds * std::clamp(share, 0.0, 1.0);
}

// A cut WMA file keeps its header's play duration; its length is then the
// share of the data packets that are still there. Returns nothing for a whole
// file, or one whose header cannot be read. Every size comes from the file
// and is checked against the bytes left before it is used, and each step
// moves forward, so no file can lead the walk outside its buffer or in circles.
std::optional<double> CutAsfSeconds(TagLib::IOStream& file, double declaredSeconds) {
  static const unsigned char kFileProperties[16] = {0xA1, 0xDC, 0xAB, 0x8C, 0x47, 0xA9, 0xCF, 0x11,
                                                    0x8E, 0xE4, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};
  constexpr qint64 kPreamble = 30, kObjectHeader = 24, kPropertiesSize = kObjectHeader + 80;
  if (!file.isOpen()) return std::nullopt;
  const auto actual = static_cast<std::uint64_t>(file.length());
  file.seek(0);
  const TagLib::ByteVector head = file.readBlock(64 * 1024);
  const auto* bytes = reinterpret_cast<const unsigned char*>(head.data());
  const qint64 headSize = head.size();
  if (headSize < kPreamble) return std::nullopt;
  const std::uint64_t headerSize = LittleEndian(bytes + 16, 8);
  if (headerSize < static_cast<std::uint64_t>(kPreamble) || headerSize > actual) return std::nullopt;
  // The header's objects follow its preamble and end where the header does.
  const qint64 end = static_cast<qint64>(std::min<std::uint64_t>(headerSize, static_cast<std::uint64_t>(headSize)));
  for (qint64 at = kPreamble; at + kObjectHeader <= end;) {
    const std::uint64_t size = LittleEndian(bytes + at + 16, 8);
    const bool isProperties = std::memcmp(bytes + at, kFileProperties, 16) == 0;
    if (isProperties) {
      if (size < static_cast<std::uint64_t>(kPropertiesSize) || at + kPropertiesSize > end) return std::nullopt;
      const unsigned char* properties = bytes + at + kObjectHeader;
      const std::uint64_t declaredSize = LittleEndian(properties + 16, 8);
      if (declaredSize <= actual + 1024 || declaredSize <= headerSize + 50) return std::nullopt;
      return PresentAsfSeconds(properties, headerSize, actual, declaredSeconds);
    }
    if (size < static_cast<std::uint64_t>(kObjectHeader) || size > static_cast<std::uint64_t>(end - at))
      return std::nullopt;
    at += static_cast<qint64>(size);
  }
  return std::nullopt;
}

// RIFF INFO text has no stated encoding: FFmpeg and most taggers write
// UTF-8, older ones Latin-1. UTF-8 is taken when the bytes are valid UTF-8.
class InfoTextHandler : public TagLib::RIFF::Info::StringHandler {
 public:
  TagLib::String parse(const TagLib::ByteVector& data) const override {
    QByteArrayView bytes(data.data(), data.size());
    while (!bytes.isEmpty() && bytes.back() == '\0') bytes.chop(1);  // the chunk's padding
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    const QString decoded = utf8.hasError() ? QString::fromLatin1(bytes) : text;
    return TagLib::String(decoded.toStdWString());
  }
  TagLib::ByteVector render(const TagLib::String& text) const override {
    return text.data(TagLib::String::UTF8);
  }
};

// A WAV file's tags are its ID3v2 chunk, else its RIFF INFO list (TagLib's
// common tag of a WAV file is the ID3v2 chunk alone).
void ReadWavInfo(TagLib::RIFF::WAV::File& wav, MediaInfo& info) {
  if (!wav.hasInfoTag() || (!info.title.isEmpty() && !info.author.isEmpty())) return;
  const TagLib::RIFF::Info::Tag* riff = wav.InfoTag();
  if (info.title.isEmpty()) info.title = FromTagLib(riff->title());
  if (info.author.isEmpty()) info.author = FromTagLib(riff->artist());
}

// The length TagLib reads from a file's header; 0 when it cannot.
double HeaderSeconds(const QString& path, const QByteArray& name) {
  qCDebug(lcFileOpens) << "probing" << path << "for its length";
  const TagLib::FileRef ref(name.constData(), true, TagLib::AudioProperties::Average);
  const TagLib::AudioProperties* properties = ref.isNull() ? nullptr : ref.audioProperties();
  return properties ? properties->lengthInMilliseconds() / 1000.0 : 0.0;
}

// TagLib's view of a file, FFmpeg's where TagLib cannot read it. The loudness
// tags cost a walk over every field of every tag: they are read only when asked.
MediaInfo Probe(const QString& path, bool readLoudness) {
  // TagLib decodes INFO text as the file is opened: the handler goes first.
  static InfoTextHandler infoText;
  [[maybe_unused]] static const bool infoTextSet =
      (TagLib::RIFF::Info::Tag::setStringHandler(&infoText), true);
  const QByteArray name = PathBytes(path);
  // A FIFO or a device named like an audio file would block TagLib or feed
  // it without end: the stream opens regular files only. When it cannot open
  // one or finds it empty, the check says why.
  qCDebug(lcFileOpens) << "probing" << path;
  ReadOnlyFileStream stream(name.constData());
  qint64 size = stream.length();
  if (!stream.isOpen() || size == 0) CheckFile(path, name, &size);
  const TagLib::FileRef ref = stream.isOpen() ? TagLib::FileRef(&stream, true, TagLib::AudioProperties::Average)
                                              : TagLib::FileRef();
  const TagLib::AudioProperties* properties = ref.isNull() ? nullptr : ref.audioProperties();
  if (!properties || properties->sampleRate() <= 0) {
    qCWarning(lcPlayback) << "TagLib cannot read" << path << "- asking FFmpeg";
    return ProbeMediaWithFfmpeg(path);
  }

  MediaInfo info;
  if (const TagLib::Tag* tag = ref.tag()) {
    info.title = FromTagLib(tag->title());
    info.author = FromTagLib(tag->artist());
  }
  if (readLoudness) info.replayGain = ReadReplayGainTags(*ref.file(), path);
  info.duration = properties->lengthInMilliseconds() / 1000.0;
  if (auto* wav = dynamic_cast<TagLib::RIFF::WAV::File*>(ref.file())) ReadWavInfo(*wav, info);
  // The MP4 header's length counts the encoder's priming and padding samples;
  // FFmpeg follows the edit list that cuts them, as the decoder does.
  if (dynamic_cast<TagLib::MP4::File*>(ref.file())) {
    try {
      info.duration = ProbeMediaWithFfmpeg(path).duration;
    } catch (const DecoderError& error) {
      qCWarning(lcPlayback) << "Length of" << path << "taken from its header:" << error.what();
    }
  }
  if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(ref.file())) {
    if (NeedsFrameWalk(*mpeg, size)) {
      if (const auto walk = WalkMpegFile(name.constData())) info.duration = walk->Seconds();
    }
  }
  // TagLib's ASF length already leaves out the preroll (File Properties'
  // play duration minus preroll).
  if (dynamic_cast<TagLib::ASF::File*>(ref.file())) {
    if (const auto cut = CutAsfSeconds(stream, info.duration)) info.duration = *cut;
  }
  if (!IsBelievable(info.duration, size)) {
    qCWarning(lcPlayback) << "Length" << info.duration << "s of" << path << "not believed - asking FFmpeg";
    try {
      info.duration = ProbeMediaWithFfmpeg(path).duration;
    } catch (const DecoderError& error) {
      qCWarning(lcPlayback) << "Length of" << path << "unknown:" << error.what();
      info.duration = 0;
    }
  }
  return info;
}

}  // namespace

MediaInfo ProbeMedia(const QString& path) { return Probe(path, true); }

MediaInfo ProbeTagsAndLength(const QString& path) { return Probe(path, false); }

MediaInfo ProbeMediaWithFfmpeg(const QString& path) {
  const QByteArray name = PathBytes(path);
  qint64 size = 0;
  CheckFile(path, name, &size);
  // The same demuxer the decoder will play it with, so the length is its length.
  const FormatContextPtr owner = OpenSupportedInput(path);
  return DescribeOpenedMedia(owner.get(), FindPlayableAudio(owner.get(), path), path);
}

MediaInfo DescribeOpenedMedia(const AVFormatContext* format, int stream, const QString& path) {
  MediaInfo info;
  auto tag = [&](const char* key) -> QString {
    for (AVDictionary* dict : {format->metadata, format->streams[stream]->metadata}) {
      if (const AVDictionaryEntry* entry = av_dict_get(dict, key, nullptr, 0))
        return FromFfmpeg(entry->value);
    }
    return {};
  };
  info.title = tag("title");
  info.author = tag("artist");
  if (info.author.isEmpty()) info.author = tag("author");
  info.replayGain = ParseReplayGainFields([&](const char* key) { return tag(key); }, path);

  info.duration = StreamDuration(format, stream);
  const QByteArray name = PathBytes(path);
  const std::string_view demuxer = format->iformat->name;
  const qint64 avioSize = format->pb ? avio_size(format->pb) : -1;
  const qint64 size = avioSize > 0 ? avioSize : RegularFileSize(path).value_or(0);
  if (demuxer == "mp3" && NeedsFrameWalk(format, stream, info.duration, size)) {
    qCDebug(lcFileOpens) << "walking the frames of" << path << "for its length";
    if (const auto walk = WalkMpegFile(name.constData())) info.duration = walk->Seconds();
  }
  if (demuxer == "asf") {
    ReadOnlyFileStream file(name.constData());
    if (const auto cut = CutAsfSeconds(file, info.duration)) info.duration = *cut;
  }
  // Some containers (Musepack SV8) leave FFmpeg without a length that TagLib
  // reads from the header.
  if (info.duration <= 0) info.duration = HeaderSeconds(path, name);
  if (!IsBelievable(info.duration, size)) {
    qCWarning(lcPlayback) << "Length" << info.duration << "s of" << path << "not believed - taken as unknown";
    info.duration = 0;
  }
  return info;
}

}  // namespace zelvo
