// Every kind of file Zelvo offers, through the real probe and decoder: names
// from each format's own tags, lengths that match what is heard.

#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "decoder_test_util.h"
#include "playback/audio_formats.h"
#include "playback/ffmpeg_support.h"
#include "playback/media_probe.h"

namespace zelvo::test {
namespace {

struct Fixture {
  const char* file;
  const char* title;
  double seconds;
};

// One file per format, made by tests/data/make_fixtures.sh.
constexpr Fixture kFixtures[] = {
    {"tone.flac", "FLAC Tüne", 0.5},         // Vorbis comment in FLAC
    {"tone.ogg", "Vorbis Tüne", 1.0},        // Ogg Vorbis
    {"tone.opus", "Opus Tüne", 1.0},         // Ogg Opus, length without the pre-skip
    {"tone_aac.m4a", "AAC Tüne", 1.0},       // MP4 atoms
    {"tone_alac.m4a", "ALAC Tüne", 0.5},     // MP4 atoms, lossless
    {"tone.wav", "WAV Tüne", 0.5},           // RIFF INFO
    {"tone.aiff", "AIFF Tüne", 0.5},         // ID3v2 chunk
    {"tone.wv", "WavPack Tüne", 0.5},        // APEv2
    {"tone.mpc", "Musepack Tüne", 1.0},      // APEv2, SV8
};

TEST(AudioFormats, EachFormatIsNamedFromItsTagsAndTimedExactly) {
  for (const Fixture& f : kFixtures) {
    const MediaInfo info = ProbeMedia(DataFile(f.file));
    EXPECT_EQ(info.author, QStringLiteral("Zelvo Tests")) << f.file;
    EXPECT_EQ(info.title, QString::fromUtf8(f.title)) << f.file;
    EXPECT_NEAR(info.duration, f.seconds, 0.03) << f.file;
  }
}

// Older taggers wrote RIFF INFO text in Latin-1, FFmpeg writes UTF-8.
TEST(AudioFormats, WavInfoTextIsUtf8OrElseLatin1) {
  QTemporaryDir dir;
  QByteArray bytes = ReadBytes(DataFile("tone.wav"));
  ASSERT_TRUE(bytes.contains("WAV T\xC3\xBCne"));
  bytes.replace("WAV T\xC3\xBCne", QByteArray("WAV T\xFCne\0", 9));  // the same length
  WriteBytes(dir.filePath("latin1.wav"), bytes);
  EXPECT_EQ(ProbeMedia(dir.filePath("latin1.wav")).title, QString::fromUtf8("WAV Tüne"));
  EXPECT_EQ(ProbeMedia(DataFile("tone.wav")).title, QString::fromUtf8("WAV Tüne"));
}

TEST(AudioFormats, EachFormatPlaysToItsEndInTheDecoder) {
  for (const Fixture& f : kFixtures) {
    MemoryDecoder memory;
    EXPECT_TRUE(OpenFile(*memory.decoder, DataFile(f.file)));
    EXPECT_NEAR(memory.decoder->Duration().value_or(-1), f.seconds, 0.03) << f.file;
    ASSERT_TRUE(memory.PlayToEnd()) << f.file;
    const std::vector<float> left = Channel(memory.sink->Heard(), 0);
    EXPECT_NEAR(left.size() / kRate, f.seconds, 0.06) << f.file;
    // The chirp at amplitude 0.5 (-9 dBFS RMS), whatever the codec did to it.
    EXPECT_NEAR(Rms(left), 0.5 / std::sqrt(2.0), 0.06) << f.file;
    // 200 Hz rising 100 Hz a second: 0.1 s to 0.5 s average 230 Hz. (The
    // first tenth is left out: Musepack begins with a burst of noise.)
    const std::vector<float> stretch(left.begin() + 0.1 * kRate, left.begin() + 0.5 * kRate);
    EXPECT_NEAR(Frequency(stretch), 230, 15) << f.file;
  }
}

TEST(AudioFormats, ExtensionsAreKnownInAnyCaseAndOnlyAtTheEnd) {
  for (const char* name : {"a.mp3", "b.WMA", "c.Flac", "d.ogg", "e.opus", "f.m4a", "g.wav",
                           "h.aiff", "i.aif", "j.wv", "k.ape", "l.mpc", "dots.in.name.flac"}) {
    EXPECT_TRUE(IsSupportedAudioFile(QString::fromLatin1(name))) << name;
  }
  for (const char* name : {"cover.jpg", "notes.txt", "mp3", "flac.txt", "playlist.m3u", "a.zpl",
                           "noextension"}) {
    EXPECT_FALSE(IsSupportedAudioFile(QString::fromLatin1(name))) << name;
  }
  const QString filter = AllSupportedAudioFilter();
  EXPECT_TRUE(filter.startsWith(QStringLiteral("All Supported Audio|*.mp3;*.wma;*.flac;")));
  EXPECT_TRUE(filter.endsWith(QStringLiteral(";*.wv;*.ape;*.mpc")));
  // The demuxers come from the same list: each one FFmpeg has, each once, MP3's last.
  const QByteArrayList& demuxers = SupportedDemuxers();
  for (const QByteArray& name : demuxers) EXPECT_NE(av_find_input_format(name.constData()), nullptr) << name.constData();
  EXPECT_EQ(demuxers.size(), QSet<QByteArray>(demuxers.begin(), demuxers.end()).size());
  EXPECT_EQ(demuxers.last(), "mp3");
  EXPECT_TRUE(SupportedMimeTypes().contains(QStringLiteral("audio/x-ms-wma")));
}

}  // namespace
}  // namespace zelvo::test
