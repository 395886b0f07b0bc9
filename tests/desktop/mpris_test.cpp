#include <QDBusObjectPath>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include "desktop/mpris.h"
#include "desktop/mpris_values.h"
#include "playback/decoder.h"
#include "scripted_player.h"
#include "test_support.h"

namespace zelvo::test {
namespace {

// The media player interface's methods and properties on playback with two
// known tracks; the bus itself is driven end to end elsewhere.
class MprisTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig.AddTrack("First Song", 180.4);
    rig.AddTrack("Second Song", 65);
    WriteBytes(rig.PathOf(1), ReadBytes(DataFile("chirp_cbr.mp3")));  // tagged; the second row is not
    rig.decoder.AddFile(rig.PathOf(1), {"The Band", "First", 180.4});
    rig.tracks.SetCurrentIndex(1);
  }
  QVariant Property(const char* name) const { return mpris.PlayerProperties().value(name); }
  QVariantMap Metadata() const { return Property("Metadata").toMap(); }

  ScriptedPlayer rig;
  Mpris mpris{rig.playback, rig.tracks, rig.decoder, [] {}, [] {}, [](const QStringList&) {}};
};

TEST_F(MprisTest, PlayPauseStopAndTheSkipButtonsDoWhatTheBarDoes) {
  QSignalSpy announced(&mpris, &Mpris::PropertiesChanged);
  mpris.Pause();  // nothing plays: nothing to pause, nothing starts
  EXPECT_EQ(Property("PlaybackStatus"), "Stopped");
  mpris.PlayPause();
  EXPECT_EQ(Property("PlaybackStatus"), "Playing");
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(1));
  mpris.Play();  // already playing: stays so
  EXPECT_EQ(Property("PlaybackStatus"), "Playing");
  mpris.Pause();
  EXPECT_EQ(Property("PlaybackStatus"), "Paused");
  mpris.Play();
  EXPECT_EQ(Property("PlaybackStatus"), "Playing");
  // A skip while playing costs the skipped track a point, as the next button does.
  mpris.Next();
  EXPECT_EQ(rig.tracks.CurrentIndex(), 2);
  EXPECT_EQ(rig.tracks.At(1).priority, "-1");
  mpris.Previous();
  EXPECT_EQ(rig.tracks.CurrentIndex(), 1);
  mpris.Stop();
  EXPECT_EQ(Property("PlaybackStatus"), "Stopped");
  EXPECT_EQ(mpris.Position(), 0);
  rig.playback.PlayButton();  // the bar's button is announced as well, with no timer
  ASSERT_FALSE(announced.isEmpty());
  EXPECT_EQ(announced.last()[0].toMap().value("PlaybackStatus"), "Playing");
}

TEST_F(MprisTest, MetadataNamesTheTrackFromItsTagsAndTheExactLengthOnceItIsOpen) {
  QVariantMap metadata = Metadata();
  EXPECT_EQ(metadata.value("mpris:trackid").value<QDBusObjectPath>().path(), "/org/zelvo/Track/1");
  EXPECT_EQ(metadata.value("xesam:title"), "Chirp CBR");
  EXPECT_EQ(metadata.value("xesam:artist").toStringList(), QStringList{"Zelvo Tests"});
  EXPECT_EQ(metadata.value("mpris:length").toLongLong(), 180000000);  // the row's "03:00"
  mpris.PlayPause();
  metadata = Metadata();
  EXPECT_EQ(metadata.value("xesam:url"), "file://" + rig.PathOf(1));
  EXPECT_EQ(metadata.value("mpris:length").toLongLong(), 180400000);
  rig.tracks.SetCurrentIndex(2);  // no tags: the row's name
  EXPECT_EQ(Metadata().value("xesam:title"), "Second Song");
  EXPECT_FALSE(Metadata().contains("xesam:artist"));
  rig.tracks.SetCurrentIndex(0);
  EXPECT_EQ(Metadata().keys(), QStringList{"mpris:trackid"});
  EXPECT_EQ(Metadata().value("mpris:trackid").value<QDBusObjectPath>().path(), kMprisNoTrack);
}

TEST_F(MprisTest, MetadataCarriesTheAlbumTheTrackNumberAndTheCoverWrittenOnce) {
  const QByteArray picture = QByteArray("\x89PNG\r\n\x1a\n") + QByteArray(64, 'p');
  WriteBytes(rig.PathOf(2), ReadBytes(DataFile("id3v1_only.mp3")));
  TagMp3(rig.PathOf(2), {"", "", "Album Name", 7, picture});
  QTemporaryDir cache;
  qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
  rig.tracks.SetCurrentIndex(2);
  const QVariantMap metadata = Metadata();
  EXPECT_EQ(metadata.value("xesam:album"), "Album Name");
  EXPECT_EQ(metadata.value("xesam:trackNumber"), 7);
  const QString art = QUrl(metadata.value("mpris:artUrl").toString()).toLocalFile();
  EXPECT_TRUE(art.startsWith(cache.filePath("zelvo/covers/")) && art.endsWith(".png")) << art.toStdString();
  EXPECT_EQ(ReadBytes(art), picture);
  qunsetenv("XDG_CACHE_HOME");
}

TEST_F(MprisTest, SeekingMovesWithinTheTrackAndPastItsEndGoesToTheNext) {
  mpris.Seek(10000000);  // nothing open: nothing to seek
  EXPECT_FALSE(Property("CanSeek").toBool());
  mpris.PlayPause();
  ASSERT_TRUE(Property("CanSeek").toBool());
  QSignalSpy seeked(&mpris, &Mpris::Seeked);
  mpris.Seek(30000000);
  EXPECT_EQ(mpris.Position(), 30000000);
  rig.playback.ReleaseSeek(Qt::LeftButton, 0);  // a seek at the bar is told too
  ASSERT_EQ(seeked.count(), 2);
  EXPECT_EQ(seeked[0][0].toLongLong(), 30000000);
  EXPECT_EQ(seeked[1][0].toLongLong(), 0);
  mpris.Seek(-60000000);
  EXPECT_EQ(mpris.Position(), 0);
  mpris.SetPosition(QDBusObjectPath("/org/zelvo/Track/2"), 5000000);  // not the current track
  EXPECT_EQ(mpris.Position(), 0);
  mpris.SetPosition(QDBusObjectPath("/org/zelvo/Track/1"), 200000000);  // beyond its end
  EXPECT_EQ(mpris.Position(), 0);
  mpris.SetPosition(QDBusObjectPath("/org/zelvo/Track/1"), 90000000);
  EXPECT_EQ(mpris.Position(), 90000000);
  mpris.Seek(100000000);
  EXPECT_EQ(rig.tracks.CurrentIndex(), 2);
}

TEST_F(MprisTest, VolumeFollowsLoudnessFromMuteToFull) {
  EXPECT_DOUBLE_EQ(MprisVolume(0), 1.0);
  EXPECT_DOUBLE_EQ(MprisVolume(-1500), 0.0);
  EXPECT_NEAR(MprisVolume(-602), 0.5, 0.001);
  EXPECT_DOUBLE_EQ(MprisVolume(-3000), 0.0);
  mpris.SetVolume(0.5);
  EXPECT_EQ(rig.decoder.Volume(), -602);
  mpris.SetVolume(0.25);
  EXPECT_EQ(rig.decoder.Volume(), -1204);
  mpris.SetVolume(0.1);  // below the bar's scale
  EXPECT_EQ(rig.decoder.Volume(), -1500);
  mpris.SetVolume(2.0);
  EXPECT_EQ(rig.decoder.Volume(), 0);
  mpris.SetVolume(-1.0);
  EXPECT_EQ(rig.decoder.Volume(), -1500);
  EXPECT_DOUBLE_EQ(Property("Volume").toDouble(), 0.0);
}

TEST_F(MprisTest, ControlsAreOfferedOnlyWithTracksInTheList) {
  EXPECT_TRUE(Property("CanGoNext").toBool());
  EXPECT_TRUE(Property("CanPlay").toBool());
  rig.tracks.Clear();
  EXPECT_FALSE(Property("CanGoNext").toBool());
  EXPECT_FALSE(Property("CanGoPrevious").toBool());
  EXPECT_FALSE(Property("CanPlay").toBool());
  EXPECT_FALSE(Property("CanPause").toBool());
  EXPECT_TRUE(Property("CanControl").toBool());
}

}  // namespace
}  // namespace zelvo::test
