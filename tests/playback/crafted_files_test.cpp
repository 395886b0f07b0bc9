// Files made to mislead the probe and the decoder: header sizes that point
// outside the file or back into it, paths that are no regular files, huge
// files that say nothing of what they are, tracks that end at once and names
// that are not UTF-8. Each must be turned away or played to an end, never
// crash, hang or loop.

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <functional>
#include <future>
#include <memory>
#include <thread>

#include "adding/audio_paths.h"
#include "decoder_test_util.h"
#include "playback/ffmpeg_stream.h"
#include "playback/playback_display.h"
#include "playback/media_probe.h"
#include "playback/mpeg_frame_walk.h"
#include "platform/path_bytes.h"
#include "scripted_player.h"
#include "storage/foreign_playlist.h"
#include "storage/playlist_file.h"
#include "test_support.h"

namespace zelvo::test {
namespace {

const QStringList kCraftedWma = {"crash_object_size.wma", "hang_object_cycle.wma"};

// Runs work on a thread of its own. False when it has not finished in time:
// the thread is then left behind, so a hang fails the test instead of
// stopping the whole program.
bool FinishesWithin(std::chrono::seconds limit, std::function<void()> work) {
  auto done = std::make_shared<std::promise<void>>();
  std::future<void> finished = done->get_future();
  std::thread([done, work = std::move(work)] {
    work();
    done->set_value();
  }).detach();
  return finished.wait_for(limit) == std::future_status::ready;
}

TEST(CraftedFiles, WmaHeadersWithLyingObjectSizesAreProbedSafely) {
  for (const QString& name : kCraftedWma) {
    auto info = std::make_shared<MediaInfo>();
    ASSERT_TRUE(FinishesWithin(std::chrono::seconds(20), [info, path = DataFile(name)] {
      try {
        *info = ProbeMedia(path);
      } catch (const DecoderError&) {
        info->duration = -1;
      }
    })) << name.toStdString() << " hangs the probe";
    EXPECT_TRUE(std::isfinite(info->duration)) << name.toStdString();
    EXPECT_LE(info->duration, 10.0) << name.toStdString();
  }
}

TEST(CraftedFiles, WmaHeadersWithLyingObjectSizesPlayToAnEndOrAreRefused) {
  for (const QString& name : kCraftedWma) {
    MemoryDecoder memory;
    if (!OpenFile(*memory.decoder, DataFile(name))) continue;  // refused: fine
    EXPECT_TRUE(memory.PlayToEnd(20000)) << name.toStdString();
  }
}

// A FIFO gives no end and blocks whoever opens it for reading; a device
// gives bytes for ever. Named like audio files, both are refused at once.
TEST(CraftedFiles, OnlyRegularFilesAreOpened) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString fifo = dir.filePath("pipe.mp3");
  const QString zero = dir.filePath("zero.mp3");
  ASSERT_TRUE(MakeEndlessFiles(fifo, zero));
  for (const QString& path : {fifo, zero}) {
    auto refused = std::make_shared<std::atomic<bool>>(false);
    const bool finished = FinishesWithin(std::chrono::seconds(10), [refused, path] {
      try {
        ProbeMedia(path);
      } catch (const DecoderError&) {
        *refused = true;
      }
    });
    if (!finished && path == fifo) {
      // Let the blocked reader go: a writer that opens and closes ends it.
      const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
      if (writer >= 0) ::close(writer);
    }
    EXPECT_TRUE(finished) << path.toStdString() << " blocks the probe";
    EXPECT_TRUE(*refused) << path.toStdString();
  }

  MemoryDecoder memory;
  for (const QString& path : {fifo, zero}) {
    EXPECT_FALSE(OpenFile(*memory.decoder, path)) << path.toStdString();
    EXPECT_EQ(memory.decoder->PlayState(), play_state::Closed);
  }
}

// A playlist may name anything: a FIFO or a device is skipped like a
// missing file, and the next row starts at the tick.
TEST(CraftedFiles, RowsNamingAFifoOrADeviceAreSkippedLikeMissingFiles) {
  ScriptedPlayer rig;
  rig.AddTrack("First");
  rig.AddMissingTrack("Pipe");
  rig.AddMissingTrack("Zero");
  rig.AddTrack("Fourth");
  ASSERT_TRUE(MakeEndlessFiles(rig.PathOf(2), rig.PathOf(3)));
  rig.Start(1);
  for (int row : {2, 3}) {
    rig.playback.NextButton();
    EXPECT_EQ(rig.view.Caption(), "Skipping Track - File Not Found") << row;
    EXPECT_EQ(rig.tracks.CurrentIndex(), row);
    EXPECT_EQ(rig.decoder.PlayState(), play_state::Stopped);
  }
  rig.playback.UpdateDisplay();
  EXPECT_TRUE(rig.PlaysRow(4));
}

// Another program may cut a file while the player measures it. The walk then
// sees fewer bytes, or zeros, but the player lives on.
TEST(CraftedFiles, AFileCutWhileItsFramesAreWalkedIsNoCrash) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("long.mp3");
  const QByteArray one = ReadBytes(DataFile("chirp_cbr.mp3"));
  ASSERT_FALSE(one.isEmpty());
  WriteBytes(path, one.repeated(4 * 1024 * 1024 / one.size()));
  const QByteArray name = QFile::encodeName(path);
  const off_t full = static_cast<off_t>(QFileInfo(path).size());
  ASSERT_TRUE(WalkMpegFile(name.constData()).has_value());

  std::atomic<bool> walking = true;
  std::thread cutter([&] {
    const int fd = ::open(name.constData(), O_WRONLY);
    while (fd >= 0 && walking) {
      if (::ftruncate(fd, 4096) != 0 || ::ftruncate(fd, full) != 0) break;
    }
    if (fd >= 0) ::close(fd);
  });
  for (int i = 0; i < 100; ++i) {
    const auto walk = WalkMpegFile(name.constData());
    if (walk) {
      EXPECT_GE(walk->frames, 1);
    }
  }
  walking = false;
  cutter.join();
}

// Zeros named as an M4A, and half an M4A padded with zeros to 4 GB (both
// sparse): the content names no demuxer, and none may read the file through
// looking for frames. Each is refused (or measured) in moments, not minutes.
TEST(CraftedFiles, HugeFilesThatSayNothingOfWhatTheyAreAreNotReadThrough) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString zeros = dir.filePath("zeros.m4a");
  const QString padded = dir.filePath("padded.m4a");
  WriteBytes(zeros, {});
  const QByteArray m4a = ReadBytes(DataFile("tone_aac.m4a"));
  WriteBytes(padded, m4a.first(m4a.size() / 2));
  ASSERT_EQ(::truncate(QFile::encodeName(zeros).constData(), 200LL << 20), 0);
  ASSERT_EQ(::truncate(QFile::encodeName(padded).constData(), 4LL << 30), 0);
  for (const QString& path : {zeros, padded}) {
    auto outcome = std::make_shared<std::atomic<int>>(0);  // 1 refused, 2 opened
    EXPECT_TRUE(FinishesWithin(std::chrono::seconds(30), [outcome, path] {
      try {
        const double seconds = ProbeMedia(path).duration;
        *outcome = seconds <= 10 ? 2 : 3;
        FfmpegStream stream(path);
        std::vector<float> out;
        while (stream.Read(out)) out.clear();
      } catch (const DecoderError&) {
        if (*outcome == 0) *outcome = 1;
      }
    })) << path.toStdString() << " is read through";
    EXPECT_NE(*outcome, 3) << path.toStdString() << " is given a length its audio does not have";
    if (path == zeros) {
      EXPECT_EQ(*outcome, 1) << "zeros are taken for audio";
    }
  }
}

// A WAV cut to its first 2,000 bytes, the only row: it ends as soon as it
// starts, and the list would start it again dozens of times a second for
// good. The player stops instead and says why.
TEST(CraftedFiles, ATrackThatEndsAtOnceStopsTheListInsteadOfRestartingForEver) {
  RealDecoderPlayback rig;
  auto& memory = rig.memory;
  auto& tracks = rig.tracks;
  auto& view = rig.view;
  auto& playback = rig.playback;
  tracks.Model().Append(TrackEntry{"Cut", "00:00", DataFile("truncated_wav_loop.wav"), "0"});
  tracks.SetCurrentIndex(1);
  playback.PlayTrack();
  ASSERT_TRUE(WaitFor([&] { return view.Caption() == kStoppedEndsAtOnce; }, 10000)) << view.Caption().toStdString();
  EXPECT_EQ(playback.DisplayTimerInterval(), 0);
  QTest::qWait(300);
  EXPECT_EQ(view.Caption(), kStoppedEndsAtOnce);
  EXPECT_NE(memory.decoder->PlayState(), play_state::Playing);
}

// A Latin-1 name in a UTF-8 system is bytes that are no text. Walked from
// its folder, it plays, and it reads back from the player's own list and an
// M3U8 as the same bytes.
TEST(CraftedFiles, ANameThatIsNoUtf8KeepsItsBytesFromTheFolderToThePlaylistsAndBack) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QByteArray name = QFile::encodeName(dir.path()) + "/caf\xE9 \xFF.wav";
  const QByteArray wav = ReadBytes(DataFile("tone.wav"));
  const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, wav.constData(), wav.size()), wav.size());
  ::close(fd);

  const QStringList found = ExpandToAudioFiles({dir.path()}, NamedFiles::AudioOnly);
  ASSERT_EQ(found.size(), 1);
  const QString path = found.first();
  EXPECT_EQ(PathBytes(path), name);
  EXPECT_NEAR(ProbeMedia(path).duration, 0.5, 0.01);
  MemoryDecoder memory;
  EXPECT_TRUE(OpenFile(*memory.decoder, path));
  EXPECT_TRUE(memory.PlayToEnd());
  EXPECT_EQ(memory.sink->HeardFrames(), kRate / 2);

  const std::vector<TrackEntry> rows = {{"Café", "00:01", path, "0"}};
  const QString list = dir.filePath("AutoSave.zpl");
  ASSERT_TRUE(WritePlaylistFile(list, rows));
  EXPECT_TRUE(ReadBytes(list).contains("|zelvo-escaped:" + QFile::encodeName(dir.path()) + "/caf%E9 %FF.wav|"));
  const PlaylistReadResult read = ReadPlaylistFile(list, {});
  ASSERT_EQ(read.rows.size(), 1u);
  EXPECT_EQ(PathBytes(read.rows[0].path), name);
  const QString m3u = dir.filePath("list.m3u8");
  ASSERT_TRUE(WriteM3u8File(m3u, rows));
  const auto listed = ReadForeignPlaylist(m3u, ForeignPlaylistKind::M3u);
  ASSERT_TRUE(listed && listed->size() == 1);
  EXPECT_EQ(PathBytes(listed->front().path), name);
  ::unlink(name.constData());  // QTemporaryDir cannot name it
}

}  // namespace
}  // namespace zelvo::test
