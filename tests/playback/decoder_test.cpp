// The real decoder (FFmpeg on a worker thread) playing into a memory sink:
// what is heard is checked sample by sample, faster than real time.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>

#include "decoder_test_util.h"
#include "playback/media_probe.h"

namespace zelvo::test {
namespace {

constexpr double kChirpSeconds = 5.0;

TEST(FfmpegDecoder, IsClosedUntilAFileIsOpened) {
  MemoryDecoder memory;
  Decoder& decoder = *memory.decoder;
  EXPECT_EQ(decoder.PlayState(), play_state::Closed);
  // Questions without a file have no answer; commands do nothing.
  EXPECT_FALSE(decoder.CurrentPosition());
  EXPECT_FALSE(decoder.Duration());
  EXPECT_FALSE(decoder.GetMediaInfoString(media_info::Title));
  decoder.Play();
  decoder.SetCurrentPosition(1);
  EXPECT_EQ(decoder.PlayState(), play_state::Closed);
  decoder.Pause();
  decoder.Stop();
  EXPECT_EQ(decoder.PlayState(), play_state::Closed);
  EXPECT_TRUE(decoder.FileName().isEmpty());
}

TEST(FfmpegDecoder, OpeningDescribesTheFile) {
  MemoryDecoder memory;
  Decoder& decoder = *memory.decoder;
  EXPECT_TRUE(OpenFile(decoder, DataFile("chirp_cbr.mp3")));
  EXPECT_EQ(decoder.PlayState(), play_state::Stopped);
  EXPECT_EQ(decoder.FileName(), DataFile("chirp_cbr.mp3"));
  EXPECT_EQ(decoder.GetMediaInfoString(media_info::Title).value_or("none"), "Chirp CBR");
  EXPECT_EQ(decoder.GetMediaInfoString(media_info::Author).value_or("none"), "Zelvo Tests");
  EXPECT_NEAR(decoder.Duration().value_or(-1), kChirpSeconds, 0.1);
  EXPECT_EQ(decoder.CurrentPosition().value_or(-1), 0.0);

  EXPECT_TRUE(OpenFile(decoder, DataFile("chirp.wma")));
  EXPECT_EQ(decoder.GetMediaInfoString(media_info::Title).value_or("none"), "WMA Title");
  EXPECT_EQ(decoder.GetMediaInfoString(media_info::Author).value_or("none"), "WMA Author");
  EXPECT_NEAR(decoder.Duration().value_or(-1), kChirpSeconds, 0.1);  // without the 3.1 s preroll
}

TEST(FfmpegDecoder, RejectsFilesThatAreMissingEmptyOrNotAudio) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  MemoryDecoder memory;
  Decoder& decoder = *memory.decoder;
  for (const QString& path : {DataFile("no_such_file.mp3"), DataFile("empty.mp3"),
                              DataFile("not_audio.mp3"), dir.path()}) {
    EXPECT_TRUE(OpenFile(decoder, DataFile("chirp_cbr.mp3")));
    EXPECT_FALSE(OpenFile(decoder, path)) << path.toStdString();
    EXPECT_EQ(decoder.PlayState(), play_state::Closed);
    EXPECT_FALSE(decoder.Duration());
    decoder.Play();
    EXPECT_EQ(decoder.PlayState(), play_state::Closed);
    EXPECT_TRUE(decoder.FileName().isEmpty());
  }
  const QString locked = dir.filePath("locked.mp3");
  ASSERT_TRUE(QFile::copy(DataFile("chirp_cbr.mp3"), locked));
  QFile::setPermissions(locked, QFileDevice::Permissions());
  if (!QFileInfo(locked).isReadable()) {  // root reads anything
    EXPECT_FALSE(OpenFile(decoder, locked));
  }
}

TEST(FfmpegDecoder, ReportsStoppedOnceAFileHasPlayedToItsEnd) {
  // Paced: an unpaced sink on a busy machine could play the file out before
  // its state is first looked at.
  MemoryDecoder memory(4.0);
  EXPECT_TRUE(OpenFile(*memory.decoder, DataFile("chirp_cbr.mp3")));
  memory.decoder->Play();
  EXPECT_EQ(memory.decoder->PlayState(), play_state::Playing);  // never Waiting
  ASSERT_TRUE(WaitFor([&] { return memory.decoder->PlayState() == play_state::Stopped; }));
  EXPECT_NEAR(memory.sink->HeardFrames() / kRate, kChirpSeconds, 0.05);
  EXPECT_EQ(memory.decoder->CurrentPosition().value_or(-1), 0.0);

  // Played again, it starts from the beginning.
  memory.sink->ClearHeard();
  ASSERT_TRUE(memory.PlayToEnd());
  EXPECT_NEAR(memory.sink->HeardFrames() / kRate, kChirpSeconds, 0.05);
}

TEST(FfmpegDecoder, TellsOnceWhenAFileHasPlayedToItsEnd) {
  // Paced: an unpaced sink could play the second file out before the stop arrives.
  MemoryDecoder memory(4.0);
  std::atomic<int> ends = 0;
  std::atomic<int> stateAtEnd = -1;
  memory.decoder->SetEventHandler([&](Decoder::Event event) {
    if (event != Decoder::Event::TrackEnded) return;
    stateAtEnd = memory.decoder->PlayState();
    ++ends;
  });
  EXPECT_TRUE(OpenFile(*memory.decoder, DataFile("chirp_cbr.mp3")));
  memory.decoder->Play();
  ASSERT_TRUE(WaitFor([&] { return ends > 0; }));
  EXPECT_EQ(stateAtEnd, play_state::Stopped);
  // Stopping or opening another file is no end of a track.
  EXPECT_TRUE(OpenFile(*memory.decoder, DataFile("chirp.wma")));
  memory.decoder->Play();
  memory.decoder->Stop();
  QThread::msleep(200);
  EXPECT_EQ(ends, 1);
  memory.decoder->SetEventHandler({});
}

// The longest run of digital silence in [from, to) seconds of one channel.
double LongestSilence(const std::vector<float>& heard, double from, double to) {
  const std::vector<float> left = Channel(heard, 0, static_cast<std::size_t>(from * kRate),
                                          static_cast<std::size_t>(to * kRate));
  std::size_t run = 0, longest = 0;
  for (float sample : left) {
    run = std::fabs(sample) < 1e-3f ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  return longest / kRate;
}

TEST(FfmpegDecoder, ANextFileFollowsWithoutAGap) {
  MemoryDecoder memory(8.0, 44100);
  std::atomic<int> nearEnds = 0, started = 0, ended = 0;
  const QString second = DataFile("chirp_vbr_xing.mp3");
  memory.decoder->SetEventHandler([&](Decoder::Event event) {
    if (event == Decoder::Event::NearEnd && ++nearEnds == 1) {
      EXPECT_TRUE(memory.decoder->SetNextFileName(second));
    }
    if (event == Decoder::Event::NextStarted) ++started;
    if (event == Decoder::Event::TrackEnded) ++ended;
  });
  EXPECT_TRUE(OpenFile(*memory.decoder, DataFile("chirp_cbr.mp3")));
  memory.decoder->Play();
  ASSERT_TRUE(WaitFor([&] { return ended > 0; }, 10000));
  memory.decoder->SetEventHandler({});
  EXPECT_EQ(started, 1);
  EXPECT_EQ(nearEnds, 2);
  EXPECT_EQ(memory.decoder->FileName(), second);
  EXPECT_EQ(memory.decoder->GetMediaInfoString(media_info::Title).value_or(""), "Chirp VBR Xing");
  // Both whole, the second right after the first: encoder delay and padding
  // trimmed, nothing between.
  const std::vector<float> heard = memory.sink->Heard();
  EXPECT_NEAR(heard.size() / 2 / kRate, 2 * kChirpSeconds, 0.03);
  EXPECT_LT(LongestSilence(heard, kChirpSeconds - 0.2, kChirpSeconds + 0.2), 0.002);
  EXPECT_NEAR(ChirpTime(Channel(heard, 0, static_cast<std::size_t>(kChirpSeconds * kRate)), 0.2), 0.0, 0.03);
}

TEST(FfmpegDecoder, ADroppedNextFileLetsTheTrackEnd) {
  MemoryDecoder memory(8.0, 44100);
  std::atomic<int> started = 0, ended = 0;
  memory.decoder->SetEventHandler([&](Decoder::Event event) {
    if (event == Decoder::Event::NearEnd) {
      memory.decoder->SetNextFileName(DataFile("chirp.wma"));
      memory.decoder->ClearNextFileName();
    }
    if (event == Decoder::Event::NextStarted) ++started;
    if (event == Decoder::Event::TrackEnded) ++ended;
  });
  EXPECT_TRUE(OpenFile(*memory.decoder, DataFile("id3v23.mp3")));
  ASSERT_TRUE(memory.PlayToEnd());
  ASSERT_TRUE(WaitFor([&] { return ended > 0; }, 2000));
  memory.decoder->SetEventHandler({});
  EXPECT_EQ(started, 0);
  EXPECT_EQ(memory.decoder->FileName(), DataFile("id3v23.mp3"));
  EXPECT_FALSE(memory.decoder->SetNextFileName(DataFile("chirp.wma")));  // nothing plays
}

TEST(FfmpegDecoder, TheEndIsReportedWhileSettingsKeepChanging) {
  MemoryDecoder memory(16.0, 2048);
  EXPECT_TRUE(OpenFile(*memory.decoder, DataFile("id3v23.mp3")));
  memory.decoder->Play();
  int changes = 0;
  EXPECT_TRUE(WaitFor([&] {
    memory.decoder->SetRate(++changes % 2 ? 1.02 : 0.98);
    memory.decoder->SetVolume(-changes % 1500);
    return memory.decoder->PlayState() == play_state::Stopped;
  }));
}

TEST(FfmpegDecoder, EveryDurationIsWithinASecondOfTheDecodedLength) {
  for (const char* name : {"chirp_cbr.mp3", "chirp_vbr_xing.mp3", "vbr_noxing.mp3", "stereo_lr.mp3",
                           "id3v1_only.mp3", "id3v23.mp3", "id3v24.mp3", "qq_title.mp3",
                           "no_author.mp3", "no_title.mp3", "truncated.mp3", "damaged.mp3",
                           "chirp.wma"}) {
    MemoryDecoder memory;
    EXPECT_TRUE(OpenFile(*memory.decoder, DataFile(name)));
    ASSERT_TRUE(memory.PlayToEnd()) << name;
    const double decoded = memory.sink->HeardFrames() / kRate;
    EXPECT_GT(decoded, 0.5) << name;
    EXPECT_NEAR(memory.decoder->Duration().value_or(-1), decoded, 1.0) << name;
  }
}

TEST(FfmpegDecoder, ADamagedFileSniffedAsAnotherContainerIsNotEndlessNoise) {
  MemoryDecoder memory;
  if (!OpenFile(*memory.decoder, DataFile("endless-noise.mp3"))) return;  // refused outright: as good
  ASSERT_TRUE(memory.PlayToEnd(20000));
  EXPECT_LT(memory.sink->HeardFrames() / kRate, 10.0);
}

// A mono 16-bit PCM WAV file of `frames` samples at `rate` Hz, all loud.
QByteArray PcmWav(std::uint32_t rate, std::uint32_t frames) {
  QByteArray wav;
  auto put = [&](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) wav.append(static_cast<char>(value >> (8 * i)));
  };
  wav.append("RIFF");
  put(36 + frames * 2, 4);
  wav.append("WAVEfmt ");
  put(16, 4);
  put(1, 2);  // PCM
  put(1, 2);  // mono
  put(rate, 4);
  put(rate * 2, 4);
  put(2, 2);
  put(16, 2);
  wav.append("data");
  put(frames * 2, 4);
  for (std::uint32_t i = 0; i < frames; ++i) put(i % 2 ? 0x6000 : 0xA000, 2);
  return wav;
}

TEST(FfmpegDecoder, SampleRatesOutsideEightKilohertzTo768AreRefused) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  for (std::uint32_t rate : {1u, 4000u, 1000000u}) {
    const QString path = dir.filePath(QString("rate%1.wav").arg(rate));
    WriteBytes(path, PcmWav(rate, 8000));
    EXPECT_THROW(ProbeMediaWithFfmpeg(path), DecoderError) << rate;
    MemoryDecoder memory;
    if (!OpenFile(*memory.decoder, path)) continue;
    EXPECT_TRUE(memory.PlayToEnd()) << rate;
    EXPECT_EQ(memory.sink->HeardFrames(), 0u) << rate;
  }
  // The edges themselves play.
  const QString low = dir.filePath("low.wav");
  WriteBytes(low, PcmWav(8000, 8000));
  MemoryDecoder memory;
  EXPECT_TRUE(OpenFile(*memory.decoder, low));
  ASSERT_TRUE(memory.PlayToEnd());
  EXPECT_NEAR(memory.sink->HeardFrames() / kRate, 1.0, 0.05);
}

TEST(FfmpegDecoder, ATrackRunningFarPastItsLengthIsEnded) {
  // Six copies of a 5 s file in one: its header still says 5 s. Its count
  // of bytes goes, or FFmpeg would see the file is longer than it says.
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QFile source(DataFile("chirp_cbr.mp3"));
  ASSERT_TRUE(source.open(QIODevice::ReadOnly));
  const QByteArray once = source.readAll();
  QByteArray first = once;
  const qsizetype info = first.indexOf("Info");
  ASSERT_GT(info, 0);
  ASSERT_EQ(first[info + 7], '\x0f');  // frames, bytes, table, quality
  first[info + 7] = '\x0d';
  first.remove(info + 12, 4).insert(info + 116, QByteArray(4, '\0'));
  QFile joined(dir.filePath("six.mp3"));
  ASSERT_TRUE(joined.open(QIODevice::WriteOnly));
  joined.write(first);
  for (int i = 1; i < 6; ++i) joined.write(once);
  joined.close();

  MemoryDecoder memory;
  EXPECT_TRUE(OpenFile(*memory.decoder, joined.fileName()));
  ASSERT_NEAR(memory.decoder->Duration().value_or(-1), kChirpSeconds, 0.2);
  ASSERT_TRUE(memory.PlayToEnd());
  const double heard = memory.sink->HeardFrames() / kRate;
  EXPECT_GT(heard, 2 * kChirpSeconds);  // a header's length may be an estimate
  EXPECT_LT(heard, 25.0);
}

TEST(FfmpegDecoder, DamagedAndTruncatedFilesPlayWhatTheyHold) {
  const std::vector<float> whole = DecodeAll(DataFile("chirp_cbr.mp3"));
  const std::vector<float> damaged = DecodeAll(DataFile("damaged.mp3"));
  // 300 bytes of garbage cost a few frames, not the rest of the file.
  EXPECT_GT(damaged.size(), whole.size() * 9 / 10);
  // The sound after the damage is the chirp again, a few lost frames later.
  const std::size_t probe = static_cast<std::size_t>(4.0 * kRate);
  const double late = ChirpTime(Channel(damaged, 0, probe)) - ChirpTime(Channel(whole, 0, probe));
  EXPECT_GE(late, -0.001);
  EXPECT_LT(late, 0.2);

  const std::vector<float> truncated = DecodeAll(DataFile("truncated.mp3"));
  EXPECT_GT(truncated.size() / 2 / kRate, 2.0);
}

// Gains of the options menu's volume levels.
TEST(FfmpegDecoder, VolumeIsInHundredthsOfADecibel) {
  const double full = Rms(Channel(DecodeAll(DataFile("chirp_cbr.mp3")), 0));
  ASSERT_GT(full, 0.3);
  for (int volume : {-1500, -1000, -600, -250, 0}) {
    MemoryDecoder memory;
    memory.decoder->SetVolume(volume);
    EXPECT_TRUE(OpenFile(*memory.decoder, DataFile("chirp_cbr.mp3")));
    ASSERT_TRUE(memory.PlayToEnd());
    const std::vector<float> heard = memory.sink->Heard();
    const double expected = std::pow(10.0, volume / 2000.0);
    EXPECT_NEAR(Rms(Channel(heard, 0)) / full, expected, 0.005) << volume;
    EXPECT_NEAR(Rms(Channel(heard, 1)) / full, expected, 0.005) << volume;
  }
}

TEST(FfmpegDecoder, BalanceTurnsOneSideDown) {
  // stereo_lr.mp3: a chirp on the left, a 1 kHz tone on the right.
  const std::vector<float> centred = DecodeAll(DataFile("stereo_lr.mp3"));
  const double left = Rms(Channel(centred, 0)), right = Rms(Channel(centred, 1));
  ASSERT_GT(left, 0.2);
  ASSERT_GT(right, 0.2);
  // Channels not swapped: the right one carries the 1 kHz tone.
  EXPECT_NEAR(Frequency(Channel(centred, 1, 11025, 55125)), 1000, 2);
  EXPECT_LT(Frequency(Channel(centred, 0, 11025, 55125)), 500);

  struct Case { int balance; double left, right; };
  for (const Case c : {Case{-1000, 1, 0}, Case{-500, 1, 0.5}, Case{0, 1, 1}, Case{500, 0.5, 1},
                       Case{1000, 0, 1}}) {
    MemoryDecoder memory;
    memory.decoder->SetBalance(c.balance);
    EXPECT_TRUE(OpenFile(*memory.decoder, DataFile("stereo_lr.mp3")));
    ASSERT_TRUE(memory.PlayToEnd());
    const std::vector<float> heard = memory.sink->Heard();
    EXPECT_NEAR(Rms(Channel(heard, 0)) / left, c.left, 0.005) << c.balance;
    EXPECT_NEAR(Rms(Channel(heard, 1)) / right, c.right, 0.005) << c.balance;
  }
}

TEST(FfmpegDecoder, VolumeAndBalanceCombine) {
  const std::vector<float> centred = DecodeAll(DataFile("stereo_lr.mp3"));
  MemoryDecoder memory;
  memory.decoder->SetVolume(-600);
  memory.decoder->SetBalance(-500);
  EXPECT_TRUE(OpenFile(*memory.decoder, DataFile("stereo_lr.mp3")));
  ASSERT_TRUE(memory.PlayToEnd());
  const std::vector<float> heard = memory.sink->Heard();
  const double gain = std::pow(10.0, -600 / 2000.0);
  EXPECT_NEAR(Rms(Channel(heard, 0)) / Rms(Channel(centred, 0)), gain, 0.005);
  EXPECT_NEAR(Rms(Channel(heard, 1)) / Rms(Channel(centred, 1)), gain * 0.5, 0.005);
}

// Rate by resampling: the track takes 1/rate as long and every frequency is
// rate times higher.
TEST(FfmpegDecoder, RateChangesSpeedAndPitch) {
  const std::vector<float> normal = DecodeAll(DataFile("stereo_lr.mp3"));
  const double normalSeconds = normal.size() / 2 / kRate;
  for (double rate : {0.98, 1.0, 1.02}) {
    MemoryDecoder memory;
    memory.decoder->SetRate(rate);
    EXPECT_TRUE(OpenFile(*memory.decoder, DataFile("stereo_lr.mp3")));
    ASSERT_TRUE(memory.PlayToEnd());
    const std::vector<float> heard = memory.sink->Heard();
    EXPECT_NEAR(heard.size() / 2 / kRate, normalSeconds / rate, 0.01) << rate;
    const std::size_t middle = heard.size() / 4;  // frames: the middle half
    EXPECT_NEAR(Frequency(Channel(heard, 1, middle, 3 * middle)), 1000 * rate, 2) << rate;
  }
}

// Plays with a paced sink (a sound card `speed` times faster than real time)
// until `seconds` of sound have been heard.
bool PlayUntilHeard(MemoryDecoder& memory, double seconds, int timeoutMs = 5000) {
  memory.decoder->Play();
  return WaitFor([&] { return memory.sink->HeardFrames() >= seconds * kRate; }, timeoutMs);
}

TEST(FfmpegDecoder, PositionFollowsWhatIsHeard) {
  MemoryDecoder memory(4.0, 4096);  // a 93 ms device buffer
  EXPECT_TRUE(OpenFile(*memory.decoder, DataFile("chirp_cbr.mp3")));
  memory.decoder->Play();
  int checks = 0;
  while (memory.decoder->PlayState() == play_state::Playing && checks < 1000) {
    const double position = memory.decoder->CurrentPosition().value_or(-1);
    const double heard = memory.sink->HeardFrames() / kRate;
    if (memory.decoder->PlayState() != play_state::Playing) break;
    EXPECT_NEAR(position, heard, 0.05);
    ++checks;
    QThread::msleep(7);
  }
  EXPECT_GT(checks, 20);
}

TEST(FfmpegDecoder, PositionIsInTheTracksOwnSecondsAtAnyRate) {
  MemoryDecoder memory(4.0, 4096);
  memory.decoder->SetRate(1.02);
  EXPECT_TRUE(OpenFile(*memory.decoder, DataFile("chirp_cbr.mp3")));
  ASSERT_TRUE(PlayUntilHeard(memory, 2.0));
  memory.decoder->Pause();
  QThread::msleep(20);
  EXPECT_NEAR(memory.decoder->CurrentPosition().value_or(-1), memory.sink->HeardFrames() / kRate * 1.02, 0.05);
}

TEST(FfmpegDecoder, PauseHoldsThePositionAndPlayResumesThere) {
  const std::vector<float> reference = DecodeAll(DataFile("chirp_cbr.mp3"));
  ASSERT_NEAR(ChirpTime(Channel(reference, 0, 22050)), 0.5, 0.005);
  MemoryDecoder memory(8.0, 4096);
  EXPECT_TRUE(OpenFile(*memory.decoder, DataFile("chirp_cbr.mp3")));
  ASSERT_TRUE(PlayUntilHeard(memory, 1.5));
  memory.decoder->Pause();
  EXPECT_EQ(memory.decoder->PlayState(), play_state::Paused);
  const double position = memory.decoder->CurrentPosition().value_or(-1);
  const std::size_t heard = memory.sink->HeardFrames();
  QThread::msleep(300);  // 2.4 s of sound at this speed
  EXPECT_EQ(memory.decoder->PlayState(), play_state::Paused);
  EXPECT_EQ(memory.decoder->CurrentPosition().value_or(-1), position);
  EXPECT_EQ(memory.sink->HeardFrames(), heard);
  EXPECT_NEAR(position, heard / kRate, 0.05);

  ASSERT_TRUE(memory.PlayToEnd());
  // Nothing lost or repeated: the whole chirp, once.
  EXPECT_NEAR(static_cast<double>(memory.sink->HeardFrames()), reference.size() / 2.0, 0.01 * kRate);
  EXPECT_NEAR(ChirpTime(Channel(memory.sink->Heard(), 0, heard)), heard / kRate, 0.005);
}

TEST(FfmpegDecoder, StopRewindsToTheStart) {
  MemoryDecoder memory(8.0, 4096);
  EXPECT_TRUE(OpenFile(*memory.decoder, DataFile("chirp_cbr.mp3")));
  ASSERT_TRUE(PlayUntilHeard(memory, 1.0));
  memory.decoder->Stop();
  EXPECT_EQ(memory.decoder->PlayState(), play_state::Stopped);
  EXPECT_EQ(memory.decoder->CurrentPosition().value_or(-1), 0.0);
  QThread::msleep(50);
  memory.sink->ClearHeard();
  ASSERT_TRUE(memory.PlayToEnd());
  EXPECT_NEAR(memory.sink->HeardFrames() / kRate, kChirpSeconds, 0.05);
}

// Where a seek lands: the chirp's frequency after it tells the track time,
// compared with the same file played from its start.
void ExpectSeekLands(const char* name, double target, bool whilePlaying) {
  SCOPED_TRACE(std::string(name) + " to " + std::to_string(target) +
               (whilePlaying ? " while playing" : " before playing"));
  const std::vector<float> reference = Channel(DecodeAll(DataFile(name)), 0);
  // The chirp's time at the reference's position 0.5 s, less 0.5 (WMA's
  // decoder starts a little into the sound).
  const double offset = ChirpTime(std::vector<float>(reference.begin() + 22050, reference.end())) - 0.5;
  MemoryDecoder memory(whilePlaying ? 8.0 : 0.0, 4096);
  EXPECT_TRUE(OpenFile(*memory.decoder, DataFile(name)));
  if (whilePlaying) {
    ASSERT_TRUE(PlayUntilHeard(memory, 0.5));
  }
  const std::size_t flushes = memory.sink->FlushMarks().size();
  memory.decoder->SetCurrentPosition(target);
  EXPECT_NEAR(memory.decoder->CurrentPosition().value_or(-1), target, 0.05);  // at once (the worker may already play on)
  if (!whilePlaying) {
    memory.decoder->Play();
  }
  ASSERT_TRUE(WaitFor([&] { return memory.decoder->PlayState() == play_state::Stopped; }));
  // The sound after the seek starts at the flush that dropped what was
  // buffered before it.
  std::size_t start = 0;
  if (whilePlaying) {
    const std::vector<std::size_t> marks = memory.sink->FlushMarks();
    ASSERT_GT(marks.size(), flushes);
    start = marks[flushes];
  }
  const std::vector<float> heard = Channel(memory.sink->Heard(), 0);
  ASSERT_GT(heard.size(), start + 22050);
  const double landed = ChirpTime(std::vector<float>(heard.begin() + start, heard.end())) - offset;
  EXPECT_NEAR(landed, target, 0.1);
  // And the rest plays to the end.
  EXPECT_NEAR((heard.size() - start) / kRate, reference.size() / kRate - target, 0.1);
}

TEST(FfmpegDecoder, SeekLandsWithinATenthOfASecond) {
  for (const char* name : {"chirp_cbr.mp3", "chirp_vbr_xing.mp3", "chirp.wma"}) {
    for (double target : {1.0, 2.5, 4.0}) {
      ExpectSeekLands(name, target, false);
      ExpectSeekLands(name, target, true);
    }
  }
}

TEST(FfmpegDecoder, SeekWhilePausedMovesThePosition) {
  MemoryDecoder memory(8.0, 4096);
  EXPECT_TRUE(OpenFile(*memory.decoder, DataFile("chirp.wma")));
  ASSERT_TRUE(PlayUntilHeard(memory, 1.0));
  memory.decoder->Pause();
  memory.decoder->SetCurrentPosition(3.5);
  QThread::msleep(50);
  EXPECT_EQ(memory.decoder->PlayState(), play_state::Paused);
  EXPECT_NEAR(memory.decoder->CurrentPosition().value_or(-1), 3.5, 0.05);
  memory.decoder->Play();
  ASSERT_TRUE(WaitFor([&] { return memory.decoder->CurrentPosition().value_or(-1) > 3.7; }));
}

TEST(FfmpegDecoder, SeekPastTheEndEndsTheTrack) {
  MemoryDecoder memory;
  EXPECT_TRUE(OpenFile(*memory.decoder, DataFile("chirp_cbr.mp3")));
  memory.decoder->SetCurrentPosition(60);
  ASSERT_TRUE(memory.PlayToEnd());
  EXPECT_THROW(memory.decoder->SetCurrentPosition(-1), DecoderError);
}

TEST(FfmpegDecoder, VolumeChangeMidTrackIsHeardAtOnce) {
  MemoryDecoder memory(4.0, 44100);  // a whole second buffered ahead
  EXPECT_TRUE(OpenFile(*memory.decoder, DataFile("chirp_cbr.mp3")));
  ASSERT_TRUE(PlayUntilHeard(memory, 1.0));
  const std::size_t before = memory.sink->HeardFrames();
  memory.decoder->SetVolume(-1500);
  memory.decoder->SetBalance(-1000);
  const std::size_t after = memory.sink->HeardFrames();
  ASSERT_TRUE(WaitFor([&] { return memory.decoder->PlayState() == play_state::Stopped; }));
  const std::vector<float> heard = memory.sink->Heard();
  EXPECT_NEAR(Rms(Channel(heard, 0, before - 4410, before)), 0.33, 0.03);
  // From 50 ms after the change on, the new gains, however much is buffered.
  const std::size_t from = after + static_cast<std::size_t>(0.05 * kRate);
  EXPECT_NEAR(Rms(Channel(heard, 0, from, from + 4410)), 0.33 * std::pow(10.0, -0.75), 0.01);
  EXPECT_LT(Rms(Channel(heard, 1, from, from + 4410)), 1e-4);
}

TEST(FfmpegDecoder, RateChangeMidTrackIsHeardAtOnceAndKeepsThePlace) {
  MemoryDecoder memory(4.0, 4096);
  EXPECT_TRUE(OpenFile(*memory.decoder, DataFile("stereo_lr.mp3")));
  ASSERT_TRUE(PlayUntilHeard(memory, 1.0));
  const std::size_t flushes = memory.sink->FlushMarks().size();
  const double place = memory.decoder->CurrentPosition().value_or(-1);
  memory.decoder->SetRate(1.02);
  ASSERT_TRUE(WaitFor([&] { return memory.decoder->PlayState() == play_state::Stopped; }));
  const std::vector<std::size_t> marks = memory.sink->FlushMarks();
  ASSERT_GT(marks.size(), flushes);
  const std::size_t seam = marks[flushes];
  // The new speed starts where the old one was heard up to: no jump.
  EXPECT_NEAR(seam / kRate, place, 0.1);
  const std::vector<float> heard = memory.sink->Heard();
  EXPECT_NEAR(Frequency(Channel(heard, 1, seam + 100, seam + 22050)), 1020, 5);
  // The rest of the 3.02 s track at 1.02 times the speed.
  EXPECT_NEAR((heard.size() / 2 - seam) / kRate, (3.0 - seam / kRate) / 1.02, 0.05);
}

TEST(FfmpegDecoder, OpeningAnotherFileStopsTheCurrentOne) {
  MemoryDecoder memory(8.0, 4096);
  EXPECT_TRUE(OpenFile(*memory.decoder, DataFile("chirp_cbr.mp3")));
  ASSERT_TRUE(PlayUntilHeard(memory, 0.5));
  EXPECT_TRUE(OpenFile(*memory.decoder, DataFile("chirp.wma")));
  EXPECT_EQ(memory.decoder->PlayState(), play_state::Stopped);
  EXPECT_EQ(memory.decoder->CurrentPosition().value_or(-1), 0.0);
  EXPECT_EQ(memory.decoder->GetMediaInfoString(media_info::Author).value_or("none"), "WMA Author");
  QThread::msleep(50);
  memory.sink->ClearHeard();
  ASSERT_TRUE(memory.PlayToEnd());
  EXPECT_NEAR(memory.sink->HeardFrames() / kRate, 4.97, 0.05);
}

TEST(FfmpegDecoder, WithoutASoundOutputATrackWaitsForOne) {
  MemoryDecoder memory;
  memory.sink->SetAvailable(false);
  EXPECT_FALSE(memory.decoder->IsSoundCardEnabled());
  EXPECT_TRUE(OpenFile(*memory.decoder, DataFile("chirp_cbr.mp3")));
  memory.decoder->Play();
  // The track holds its place instead of ending (the player would step on).
  QThread::msleep(1500);
  EXPECT_EQ(memory.decoder->PlayState(), play_state::Playing);
  EXPECT_EQ(memory.decoder->CurrentPosition().value_or(-1), 0.0);

  memory.sink->SetAvailable(true);
  EXPECT_TRUE(memory.decoder->IsSoundCardEnabled());
  ASSERT_TRUE(WaitFor([&] { return memory.decoder->PlayState() == play_state::Stopped; }, 5000));
  EXPECT_NEAR(memory.sink->HeardFrames() / kRate, kChirpSeconds, 0.05);
}

TEST(FfmpegDecoder, LosingTheSoundOutputMidTrackHoldsThePlaceUntilItIsBack) {
  MemoryDecoder memory(1.0, 4096);
  EXPECT_TRUE(OpenFile(*memory.decoder, DataFile("chirp_cbr.mp3")));
  ASSERT_TRUE(PlayUntilHeard(memory, 1.0));
  memory.sink->SimulateLoss();
  QThread::msleep(300);
  const double held = memory.decoder->CurrentPosition().value_or(-1);
  const std::size_t heardBefore = memory.sink->HeardFrames();
  QThread::msleep(1500);
  EXPECT_EQ(memory.decoder->PlayState(), play_state::Playing);
  EXPECT_EQ(memory.decoder->CurrentPosition().value_or(-1), held);
  EXPECT_NEAR(held, heardBefore / kRate, 0.15);

  memory.sink->SetAvailable(true);
  ASSERT_TRUE(WaitFor([&] { return memory.decoder->CurrentPosition().value_or(-1) > held + 0.2; }, 3000));
  // It goes on where it was: the sound after the gap is the chirp from there.
  const std::vector<float> heard = memory.sink->Heard();
  ASSERT_GT(heard.size() / 2, heardBefore + 4410);
  EXPECT_NEAR(ChirpTime(Channel(heard, 0, heardBefore), 0.1), held, 0.15);
  EXPECT_TRUE(WaitFor([&] { return memory.decoder->PlayState() == play_state::Stopped; }, 8000));
}

TEST(FfmpegDecoder, ManyQuickCommandsNeitherCrashNorHang) {
  MemoryDecoder memory(16.0, 2048);
  Decoder& decoder = *memory.decoder;
  for (int round = 0; round < 30; ++round) {
    decoder.SetFileName(DataFile(round % 2 ? "chirp.wma" : "chirp_vbr_xing.mp3"));
    decoder.Play();
    decoder.SetCurrentPosition(round % 5);
    decoder.SetRate(round % 3 ? 1.02 : 0.98);
    decoder.Pause();
    decoder.Play();
    if (round % 4 == 0) decoder.Stop();
    decoder.SetVolume(-round * 50);
    decoder.CurrentPosition().value_or(-1);
  }
  EXPECT_TRUE(memory.PlayToEnd(10000));
}

}  // namespace
}  // namespace zelvo::test
