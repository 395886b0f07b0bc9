// The real decoder playing through SDL2 into PulseAudio. scripts/test.sh runs
// a private PulseAudio with a null sink (PULSE_SERVER, ZELVO_TEST_SINK); where
// there is none, these tests are skipped.

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>

#include "playback/ffmpeg_decoder.h"
#include "playback/sdl_audio_sink.h"
#include "test_support.h"

namespace zelvo::test {
namespace {

bool HavePulse() {
  return !qEnvironmentVariableIsEmpty("PULSE_SERVER") && !qEnvironmentVariableIsEmpty("ZELVO_TEST_SINK") &&
         !QStandardPaths::findExecutable("parec").isEmpty();
}

bool Pactl(const QStringList& arguments) {
  QProcess pactl;
  pactl.start("pactl", arguments);
  return pactl.waitForFinished(5000) && pactl.exitStatus() == QProcess::NormalExit &&
         pactl.exitCode() == 0;
}

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const QByteArray& value)
      : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
    qputenv(name, value);
  }
  ~ScopedEnv() {
    if (had_) qputenv(name_, old_);
    else qunsetenv(name_);
  }

 private:
  const char* name_;
  bool had_;
  QByteArray old_;
};

TEST(SdlOutput, PlaysATrackIntoTheSoundServer) {
  if (!HavePulse()) GTEST_SKIP() << "no private PulseAudio (run through scripts/test.sh)";
  const QString sink = qEnvironmentVariable("ZELVO_TEST_SINK");

  // Record what reaches the null sink.
  QProcess recorder;
  recorder.start("parec", {"-d", sink + ".monitor", "--raw", "--format=s16le", "--channels=2",
                           "--rate=44100", "--latency-msec=20"});
  ASSERT_TRUE(recorder.waitForStarted(5000));
  QThread::msleep(300);
  // A fresh null sink records late; suspending it once with the recorder
  // attached brings that down to about 0.1 s.
  Pactl({"suspend-sink", sink, "1"});
  Pactl({"suspend-sink", sink, "0"});

  std::unique_ptr<Decoder> decoder = CreateSystemDecoder();
  ASSERT_TRUE(decoder->IsSoundCardEnabled());
  decoder->SetFileName(DataFile("chirp_cbr.mp3"));
  QElapsedTimer clock;
  clock.start();
  decoder->Play();
  EXPECT_EQ(decoder->PlayState(), play_state::Playing);
  // Real time: once sound flows, the position follows the wall clock.
  ASSERT_TRUE(WaitFor([&] { return decoder->CurrentPosition().value_or(-1) >= 1.0; }, 5000));
  const double early = decoder->CurrentPosition().value_or(-1);
  const qint64 earlyAt = clock.elapsed();
  ASSERT_TRUE(WaitFor([&] { return clock.elapsed() >= earlyAt + 2000; }, 5000));
  EXPECT_NEAR(decoder->CurrentPosition().value_or(-1) - early, (clock.elapsed() - earlyAt) / 1000.0, 0.1);
  ASSERT_TRUE(WaitFor([&] { return decoder->PlayState() == play_state::Stopped; }, 10000));
  EXPECT_GT(clock.elapsed() / 1000.0, 4.8);  // played in real time, not faster
  QThread::msleep(300);
  recorder.terminate();
  recorder.waitForFinished(3000);
  const QByteArray raw = recorder.readAllStandardOutput();

  // Count the frames that carry sound, and their level.
  const std::size_t frames = raw.size() / 4;
  const auto* samples = reinterpret_cast<const std::int16_t*>(raw.constData());
  std::size_t loud = 0;
  double sum = 0;
  constexpr std::size_t kBlock = 441;  // 10 ms
  for (std::size_t block = 0; block + kBlock <= frames; block += kBlock) {
    double energy = 0;
    for (std::size_t i = block; i < block + kBlock; ++i) {
      const double left = samples[2 * i] / 32768.0;
      energy += left * left;
    }
    if (std::sqrt(energy / kBlock) > 0.05) {
      loud += kBlock;
      sum += energy;
    }
  }
  ASSERT_GT(loud, 0u) << "no sound arrived (" << frames << " frames recorded)";
  EXPECT_NEAR(loud / 44100.0, 5.0, 0.3);
  EXPECT_NEAR(std::sqrt(sum / loud), 0.33, 0.05);  // the chirp's level, -9.6 dBFS
}

TEST(SdlOutput, WithoutASoundServerThereIsNoSoundCard) {
  ScopedEnv server("PULSE_SERVER", "unix:/nonexistent/pulse.socket");
  ScopedEnv driver("SDL_AUDIODRIVER", "pulseaudio");
  std::unique_ptr<Decoder> decoder = CreateSystemDecoder();
  EXPECT_FALSE(decoder->IsSoundCardEnabled());
  // Playing anyway: the track waits for an output, holding its place.
  decoder->SetFileName(DataFile("chirp_cbr.mp3"));
  decoder->Play();
  QThread::msleep(1500);
  EXPECT_EQ(decoder->PlayState(), play_state::Playing);
  EXPECT_EQ(decoder->CurrentPosition().value_or(-1), 0.0);
}

TEST(SdlOutput, KeepsHalfASecondAheadAndCountsUnderrunsOnlyWhenTheWriterFallsBehind) {
  ScopedEnv driver("SDL_AUDIODRIVER", "dummy");  // a device pulling in real time
  SdlAudioSink sink;
  ASSERT_TRUE(sink.Open());
  const std::vector<float> tone(2 * 44100, 0.25f);
  std::size_t taken = 0;
  while (std::size_t now = sink.Write(tone.data() + 2 * taken, 44100 - taken)) taken += now;
  EXPECT_GE(taken, 44100u / 2);  // at least half a second ahead of the device
  EXPECT_GE(sink.Delay(), 44100u / 2);

  sink.Pause(false);
  ASSERT_TRUE(WaitFor([&] { return sink.Delay() == 0; }, 5000));
  QThread::msleep(100);
  EXPECT_EQ(sink.TakeUnderruns(), 0u);  // played out: the end of a track is no underrun
  EXPECT_EQ(sink.Write(tone.data(), 4410), 4410u);  // the writer was late after all
  EXPECT_EQ(sink.TakeUnderruns(), 1u);
  EXPECT_EQ(sink.TakeUnderruns(), 0u);
  sink.Flush();
  EXPECT_EQ(sink.Delay(), 0u);
  sink.Close();
}

// A PulseAudio server of a test's own, on a socket in `dir`, to be killed and
// started again. Its D-Bus is cut off, so a session's server cannot clash.
class PrivatePulse {
 public:
  explicit PrivatePulse(const QTemporaryDir& dir) : socket_(dir.filePath("pulse.socket")) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PULSE_RUNTIME_PATH", dir.filePath("runtime"));
    environment.insert("XDG_RUNTIME_DIR", dir.path());
    environment.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
    environment.remove("DBUS_SYSTEM_BUS_ADDRESS");
    QDir(dir.path()).mkpath("runtime");
    server_.setProcessEnvironment(environment);
  }
  ~PrivatePulse() { Kill(); }
  QByteArray Address() const { return ("unix:" + socket_).toUtf8(); }
  bool Start() {
    server_.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--disallow-exit",
                                 "--use-pid-file=no", "-L",
                                 "module-native-protocol-unix auth-anonymous=1 socket=" + socket_,
                                 "-L", "module-null-sink sink_name=doomed"});
    return server_.waitForStarted(5000) && WaitFor([&] { return Pactl({"info"}); }, 10000);
  }
  void Kill() {
    if (server_.state() == QProcess::NotRunning) return;
    server_.kill();
    server_.waitForFinished(3000);
  }

 private:
  QString socket_;
  QProcess server_;
};

// Tests on a sound server of their own, which they may change, kill and start again.
class SdlOutputOwnServer : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HavePulse() || QStandardPaths::findExecutable("pulseaudio").isEmpty())
      GTEST_SKIP() << "no PulseAudio to start";
    ASSERT_TRUE(dir.isValid());
    address.emplace("PULSE_SERVER", server.Address());
    driver.emplace("SDL_AUDIODRIVER", "pulseaudio");
    ASSERT_TRUE(server.Start());
  }

  QTemporaryDir dir;
  PrivatePulse server{dir};
  std::optional<ScopedEnv> address, driver;
};

TEST_F(SdlOutputOwnServer, SoundServerGoneMidTrackHoldsTheTrackAndResumesWhenItIsBack) {

  std::unique_ptr<Decoder> decoder = CreateSystemDecoder();
  ASSERT_TRUE(decoder->IsSoundCardEnabled());
  decoder->SetFileName(DataFile("chirp_cbr.mp3"));
  decoder->Play();
  ASSERT_TRUE(WaitFor([&] { return decoder->CurrentPosition().value_or(-1) > 1.0; }, 5000))
      << "state " << decoder->PlayState() << " position " << decoder->CurrentPosition().value_or(-1);

  server.Kill();
  QThread::msleep(1000);
  const double held = decoder->CurrentPosition().value_or(-1);
  QThread::msleep(2000);
  // Neither ended nor moving: the player does not step through its list.
  EXPECT_EQ(decoder->PlayState(), play_state::Playing);
  EXPECT_EQ(decoder->CurrentPosition().value_or(-1), held);
  EXPECT_GT(held, 0.9);
  EXPECT_FALSE(decoder->IsSoundCardEnabled());

  ASSERT_TRUE(server.Start());
  EXPECT_TRUE(WaitFor([&] { return decoder->CurrentPosition().value_or(-1) > held + 0.5; }, 8000))
      << "state " << decoder->PlayState() << " position " << decoder->CurrentPosition().value_or(-1);
  EXPECT_TRUE(WaitFor([&] { return decoder->PlayState() == play_state::Stopped; }, 10000));
}

// A field of the first line of `pactl list short LIST` whose second or third
// field holds `key` (any line for none).
QString PactlColumn(const QString& list, int column, const QString& key = {}) {
  QProcess pactl;
  pactl.start("pactl", {"list", "short", list});
  pactl.waitForFinished(5000);
  for (const QString& line : QString::fromUtf8(pactl.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
    const QStringList fields = line.split('\t');
    if (fields.size() > column && (key.isEmpty() || fields.value(1) == key || fields.value(2).contains(key)))
      return fields[column];
  }
  return {};
}

// A quiet mono 16-bit WAV file of `seconds` at 8 kHz.
void WriteToneWav(const QString& path, int seconds) {
  const std::uint32_t frames = 8000u * seconds;
  QByteArray wav;
  auto put = [&](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) wav.append(static_cast<char>(value >> (8 * i)));
  };
  wav.append("RIFF");
  put(36 + 2 * frames, 4);
  wav.append("WAVEfmt ");
  put(16, 4);  // the format chunk: PCM, mono, 8 kHz, 16 bits
  put(1, 2);
  put(1, 2);
  put(8000, 4);
  put(16000, 4);
  put(2, 2);
  put(16, 2);
  wav.append("data");
  put(2 * frames, 4);
  for (std::uint32_t i = 0; i < frames; ++i) put(static_cast<std::uint16_t>(std::lround(3000 * std::sin(i * 0.3))), 2);
  WriteBytes(path, wav);
}

TEST_F(SdlOutputOwnServer, ChosenOutputByNameFallsBackToTheDefaultWhileGoneAndReturnsWithIt) {
  const QStringList extraSink = {"load-module", "module-null-sink", "sink_name=extra",
                                 "sink_properties=device.description=Extra"};
  ASSERT_TRUE(Pactl(extraSink));
  ASSERT_TRUE(WaitFor([] { return SdlAudioSink::DeviceNames().contains("Extra"); }, 5000))
      << SdlAudioSink::DeviceNames().join(", ").toStdString();
  const QString doomed = PactlColumn("sinks", 0, "doomed");
  auto playingInto = [] { return PactlColumn("sink-inputs", 1); };

  std::unique_ptr<Decoder> decoder = CreateSystemDecoder();
  decoder->SetOutputDevice("Extra");
  WriteToneWav(dir.filePath("tone.wav"), 30);
  decoder->SetFileName(dir.filePath("tone.wav"));
  decoder->Play();
  const QString extra = PactlColumn("sinks", 0, "extra");
  EXPECT_TRUE(WaitFor([&] { return playingInto() == extra; }, 5000)) << playingInto().toStdString();

  // The output goes: the default takes over and the track plays on.
  ASSERT_TRUE(Pactl({"unload-module", PactlColumn("modules", 0, "sink_name=extra")}));
  EXPECT_TRUE(WaitFor([&] { return playingInto() == doomed; }, 8000)) << playingInto().toStdString();
  const double moved = decoder->CurrentPosition().value_or(-1);
  EXPECT_TRUE(WaitFor([&] { return decoder->CurrentPosition().value_or(-1) > moved + 0.5; }, 5000));

  // It comes back: so does the sound, where the track is.
  ASSERT_TRUE(Pactl(extraSink));
  const QString back = PactlColumn("sinks", 0, "extra");
  EXPECT_TRUE(WaitFor([&] { return playingInto() == back; }, 8000)) << playingInto().toStdString();
  EXPECT_EQ(decoder->PlayState(), play_state::Playing);

  // The default chosen again: at once.
  decoder->SetOutputDevice({});
  EXPECT_TRUE(WaitFor([&] { return playingInto() == doomed; }, 5000)) << playingInto().toStdString();
}

}  // namespace
}  // namespace zelvo::test
