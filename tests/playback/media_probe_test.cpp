// Tags and lengths as the player reads them the moment a file is opened.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <taglib/fileref.h>

#include <fstream>
#include <iterator>

#include "playback/audio_sink.h"
#include "playback/decoder.h"
#include "playback/ffmpeg_stream.h"
#include "playback/media_probe.h"
#include "playback/mpeg_frame_walk.h"
#include "test_support.h"

namespace zelvo::test {
namespace {

// The length of a file decoded to its end, in seconds.
double DecodedSeconds(const QString& path) {
  FfmpegStream stream(path);
  std::vector<float> out;
  std::size_t frames = 0;
  while (stream.Read(out)) {
    frames += out.size() / AudioSink::kChannels;
    out.clear();
  }
  return static_cast<double>(frames) / AudioSink::kSampleRate;
}

TEST(MediaProbe, ReadsTitleAndAuthorFromEachTagKind) {
  struct Case { const char* file; const char* author; const char* title; };
  for (const Case c : {
           Case{"id3v1_only.mp3", "Beyoncé", "Café Olé"},           // Latin-1
           Case{"id3v23.mp3", "Motörhead", "Ace of Spädes"},        // UTF-16
           Case{"id3v24.mp3", "Sigur Rós", "Жизнь 東京"},           // UTF-8, not Latin
           Case{"qq_title.mp3", "Someone", "??Unknown Title"},
           Case{"no_author.mp3", "", "Only A Title"},
           Case{"no_title.mp3", "Only An Author", ""},
           Case{"chirp_cbr.mp3", "Zelvo Tests", "Chirp CBR"},
           Case{"chirp.wma", "WMA Author", "WMA Title"},              // ASF
       }) {
    const MediaInfo info = ProbeMedia(DataFile(c.file));
    EXPECT_EQ(info.author, QString::fromUtf8(c.author)) << c.file;
    EXPECT_EQ(info.title, QString::fromUtf8(c.title)) << c.file;
  }
}

TEST(MediaProbe, EveryDurationIsWithinASecondOfTheDecodedLength) {
  for (const char* name : {"chirp_cbr.mp3", "chirp_vbr_xing.mp3", "vbr_noxing.mp3", "stereo_lr.mp3",
                           "id3v1_only.mp3", "id3v24.mp3", "truncated.mp3", "damaged.mp3",
                           "chirp.wma"}) {
    const double decoded = DecodedSeconds(DataFile(name));
    const MediaInfo probed = ProbeMedia(DataFile(name));
    EXPECT_NEAR(probed.duration, decoded, 1.0) << name;
    // Adding leaves out the loudness tags, nothing that is shown.
    const MediaInfo forAdding = ProbeTagsAndLength(DataFile(name));
    EXPECT_EQ(forAdding.duration, probed.duration) << name;
    EXPECT_EQ(forAdding.title + forAdding.author, probed.title + probed.author) << name;
    EXPECT_NEAR(ProbeMediaWithFfmpeg(DataFile(name)).duration, decoded, 1.0) << name;
  }
}

// Why the frame walk exists: without a Xing header TagLib (and FFmpeg) take
// the first frame's bitrate for the whole file.
TEST(MediaProbe, VbrWithoutXingHeaderIsMeasuredByItsFrames) {
  const QString file = DataFile("vbr_noxing.mp3");
  const double decoded = DecodedSeconds(file);
  EXPECT_NEAR(decoded, 9.06, 0.05);
  TagLib::FileRef bare(QFile::encodeName(file).constData());
  ASSERT_FALSE(bare.isNull());
  EXPECT_GT(std::abs(bare.audioProperties()->lengthInMilliseconds() / 1000.0 - decoded), 5.0);
  EXPECT_NEAR(ProbeMedia(file).duration, decoded, 0.1);
}

TEST(MediaProbe, TruncatedFileIsNotTakenAtItsHeadersWord) {
  const double decoded = DecodedSeconds(DataFile("truncated.mp3"));
  EXPECT_LT(decoded, 3.0);  // the Info header still says 5 s
  EXPECT_NEAR(ProbeMedia(DataFile("truncated.mp3")).duration, decoded, 0.1);
}

TEST(MediaProbe, WmaLengthLeavesOutThePreroll) {
  // FFmpeg's ASF muxer writes a preroll of 3.1 s into the header.
  EXPECT_NEAR(ProbeMedia(DataFile("chirp.wma")).duration, 5.0, 0.1);
  EXPECT_NEAR(ProbeMediaWithFfmpeg(DataFile("chirp.wma")).duration, 5.0, 0.1);
}

TEST(MediaProbe, CutWmaIsMeasuredByThePacketsLeft) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString cut = dir.filePath("cut.wma");
  WriteBytes(cut, ReadBytes(DataFile("chirp.wma")).left(11000));  // its header still says 5 s
  const double decoded = DecodedSeconds(cut);
  EXPECT_LT(decoded, 3.5);
  EXPECT_NEAR(ProbeMedia(cut).duration, decoded, 0.5);
}

TEST(MediaProbe, FfmpegFallbackReadsId3v1AsLatin1) {
  const MediaInfo info = ProbeMediaWithFfmpeg(DataFile("id3v1_only.mp3"));
  EXPECT_EQ(info.author, QString::fromUtf8("Beyoncé"));
  EXPECT_EQ(info.title, QString::fromUtf8("Café Olé"));
  const MediaInfo v24 = ProbeMediaWithFfmpeg(DataFile("id3v24.mp3"));
  EXPECT_EQ(v24.title, QString::fromUtf8("Жизнь 東京"));
}

TEST(MediaProbe, FilesTagLibCannotOpenGoToFfmpeg) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // An unknown extension (TagLib goes by it), and a WMA named .mp3.
  const QString bin = dir.filePath("tone.bin"), wma = dir.filePath("really_wma.mp3");
  ASSERT_TRUE(QFile::copy(DataFile("chirp_cbr.mp3"), bin));
  ASSERT_TRUE(QFile::copy(DataFile("chirp.wma"), wma));
  const MediaInfo fromBin = ProbeMedia(bin);
  EXPECT_EQ(fromBin.title, "Chirp CBR");
  EXPECT_NEAR(fromBin.duration, 5.0, 0.1);
  const MediaInfo fromWma = ProbeMedia(wma);
  EXPECT_EQ(fromWma.author, "WMA Author");
  EXPECT_NEAR(fromWma.duration, 5.0, 0.1);
}

// Headers can give any length: TagLib's INT_MIN ms, no number at all, a
// Xing frame count of 0x7FFFFFFF. A length the file's bytes cannot hold at
// 8 kbit/s is not believed: the frames, or FFmpeg's estimate, give it.
TEST(MediaProbe, LengthsTheBytesCannotHoldAreNotBelieved) {
  const QDir folder(DataFile("negative_length"));
  const QStringList names = folder.entryList(QDir::Files);
  ASSERT_FALSE(names.isEmpty());
  for (const QString& name : names) {
    const QString path = folder.filePath(name);
    try {
      const double seconds = ProbeMedia(path).duration;
      EXPECT_GE(seconds, 0) << name.toStdString();
      EXPECT_LE(seconds, QFileInfo(path).size() / 1000.0) << name.toStdString();
    } catch (const DecoderError&) {
    }
  }
  QTemporaryDir dir;
  QByteArray bytes = ReadBytes(DataFile("chirp_vbr_xing.mp3"));
  const qsizetype xing = bytes.lastIndexOf("Xing");  // (the title says "Xing" too)
  ASSERT_GT(xing, 0);
  ASSERT_TRUE(bytes[xing + 7] & 1);  // the frame count is there
  bytes.replace(xing + 8, 4, QByteArray("\x7F\xFF\xFF\xFF", 4));
  WriteBytes(dir.filePath("lying.mp3"), bytes);
  EXPECT_NEAR(ProbeMedia(dir.filePath("lying.mp3")).duration, ProbeMedia(DataFile("chirp_vbr_xing.mp3")).duration, 0.1);
}

TEST(MediaProbe, MissingEmptyAndNonAudioFilesAreErrors) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString text = dir.filePath("notes.txt");
  WriteBytes(text, "just words\n");
  for (const QString& path : {DataFile("no_such_file.mp3"), DataFile("empty.mp3"),
                              DataFile("not_audio.mp3"), text, dir.path(), QString()}) {
    EXPECT_THROW(ProbeMedia(path), DecoderError) << path.toStdString();
    EXPECT_THROW(ProbeMediaWithFfmpeg(path), DecoderError) << path.toStdString();
  }
}

TEST(MediaProbe, OnlyThePlayedContainersAreOpened) {
  // A damaged MP3 that FFmpeg's full probe takes for a 1 Hz ADPCM container:
  // refused, or at most a few seconds long, never endless.
  try {
    const MediaInfo info = ProbeMediaWithFfmpeg(DataFile("endless-noise.mp3"));
    EXPECT_LT(info.duration, 10.0);
  } catch (const DecoderError&) {
  }
  // A WMA named .mp3 is still found from its content among those played.
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString wma = dir.filePath("really_wma.mp3");
  ASSERT_TRUE(QFile::copy(DataFile("chirp.wma"), wma));
  EXPECT_NEAR(ProbeMediaWithFfmpeg(wma).duration, 5.0, 0.1);
}

TEST(MpegFrameWalk, CountsFramesAndSpotsTheVbrHeader) {
  const auto cbr = WalkMpegFile(QFile::encodeName(DataFile("chirp_cbr.mp3")).constData());
  ASSERT_TRUE(cbr);
  EXPECT_TRUE(cbr->hasVbrHeader);  // LAME's Info frame
  EXPECT_EQ(cbr->sampleRate, 22050);
  EXPECT_NEAR(cbr->Seconds(), 5.07, 0.01);  // with the encoder's delay and padding

  const auto vbr = WalkMpegFile(QFile::encodeName(DataFile("vbr_noxing.mp3")).constData());
  ASSERT_TRUE(vbr);
  EXPECT_FALSE(vbr->hasVbrHeader);
  EXPECT_NEAR(vbr->Seconds(), 9.06, 0.03);

  // The ID3v1 tag at the end is not taken for frames.
  const auto v1 = WalkMpegFile(QFile::encodeName(DataFile("id3v1_only.mp3")).constData());
  ASSERT_TRUE(v1);
  EXPECT_NEAR(v1->Seconds(), 1.07, 0.01);
}

TEST(MpegFrameWalk, SkipsDamageAndRejectsWhatIsNotMpeg) {
  const auto damaged = WalkMpegFile(QFile::encodeName(DataFile("damaged.mp3")).constData());
  ASSERT_TRUE(damaged);
  EXPECT_NEAR(damaged->Seconds(), 4.95, 0.15);  // a few frames lost

  EXPECT_FALSE(WalkMpegFile(QFile::encodeName(DataFile("not_audio.mp3")).constData()));
  EXPECT_FALSE(WalkMpegFile(QFile::encodeName(DataFile("empty.mp3")).constData()));
  EXPECT_FALSE(WalkMpegFile("/no/such/file.mp3"));
  const std::vector<std::uint8_t> ones(4096, 0xFF);
  EXPECT_FALSE(WalkMpegFrames(ones.data(), ones.size()));
  const std::uint8_t id3[] = {'I', 'D', '3', 4, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F};  // claims 256 MB
  EXPECT_FALSE(WalkMpegFrames(id3, sizeof id3));
}

}  // namespace
}  // namespace zelvo::test
namespace zelvo::test {
TEST(TempCheck, BigId3) {
  QTemporaryDir dir;
  QByteArray mp3 = ReadBytes(DataFile("chirp_cbr.mp3"));
  // strip its own tag
  const int tagSize = ((mp3[6] & 0x7f) << 21) | ((mp3[7] & 0x7f) << 14) | ((mp3[8] & 0x7f) << 7) | (mp3[9] & 0x7f);
  QByteArray body = mp3.mid(10 + tagSize);
  const int size = 6 << 20;
  QByteArray tag("ID3\x03\x00\x00", 6);
  tag += char((size >> 21) & 0x7f); tag += char((size >> 14) & 0x7f); tag += char((size >> 7) & 0x7f); tag += char(size & 0x7f);
  tag += QByteArray(size, '\0');
  WriteBytes(dir.filePath("big.mp3"), tag + body);
  WriteBytes(dir.filePath("big.m4a"), tag + body);
  for (auto n : {"big.mp3", "big.m4a"}) {
    try { fprintf(stderr, "%s %f\n", n, ProbeMedia(dir.filePath(n)).duration); FfmpegStream s(dir.filePath(n)); fprintf(stderr, "opened\n"); }
    catch (const DecoderError& e) { fprintf(stderr, "%s refused %s\n", n, e.what()); }
  }
}
}
