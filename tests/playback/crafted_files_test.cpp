// Files made to mislead the probe and the decoder: header sizes that point
// outside the file or back into it, and paths that are no regular files.
// Each must be turned away or played to an end, never crash or hang.

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

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

#include "decoder_test_util.h"
#include "playback/media_probe.h"
#include "playback/mpeg_frame_walk.h"
#include "scripted_player.h"
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
    try {
      memory.decoder->SetFileName(DataFile(name));
    } catch (const DecoderError&) {
      continue;  // refused: fine
    }
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
    EXPECT_THROW(memory.decoder->SetFileName(path), DecoderError) << path.toStdString();
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

}  // namespace
}  // namespace zelvo::test
