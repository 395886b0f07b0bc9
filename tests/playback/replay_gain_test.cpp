// Loudness normalisation: gains read from each kind of tag, heard on the real
// decoder at the level they ask for.

#include <QTemporaryDir>

#include <taglib/asffile.h>
#include <taglib/fileref.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/apetag.h>
#include <taglib/tpropertymap.h>

#include "decoder_test_util.h"
#include "playback/media_probe.h"

namespace zelvo::test {
namespace {

// A copy of a fixture in `dir`, its tags changed by `tag`.
QString Tagged(const QTemporaryDir& dir, const QString& fixture, const QString& name,
               const std::function<void(TagLib::File&)>& tag) {
  const QString path = dir.filePath(name);
  EXPECT_TRUE(QFile::copy(DataFile(fixture), path));
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
  TagLib::FileRef ref(QFile::encodeName(path).constData());
  tag(*ref.file());
  EXPECT_TRUE(ref.save()) << name.toStdString();
  return path;
}

// Fields as a tagger writes them through TagLib's common interface: TXXX
// frames in ID3v2, Vorbis comments, APEv2 items.
std::function<void(TagLib::File&)> Fields(std::initializer_list<std::pair<const char*, const char*>> fields) {
  TagLib::PropertyMap map;
  for (const auto& [key, value] : fields) map.insert(key, TagLib::StringList(value));
  return [map](TagLib::File& file) { file.setProperties(map); };
}

double LevelDb(const QString& path, ReplayGainMode mode, double preamp = 0, bool preventClipping = true) {
  MemoryDecoder memory;
  memory.decoder->SetReplayGain({mode, preventClipping, preamp, preamp});
  EXPECT_TRUE(OpenFile(*memory.decoder, path));
  EXPECT_TRUE(memory.PlayToEnd());
  return 20 * std::log10(Rms(Channel(memory.sink->Heard(), 0)));
}

TEST(ReplayGain, ReadsGainsAndPeaksFromEachTagKind) {
  QTemporaryDir dir;
  auto mp4 = [](TagLib::File& file) {
    auto& tag = *dynamic_cast<TagLib::MP4::File&>(file).tag();
    tag.setItem("----:com.apple.iTunes:replaygain_track_gain", TagLib::StringList("-4.5 dB"));
    tag.setItem("----:com.apple.iTunes:replaygain_album_peak", TagLib::StringList("1.25"));
  };
  auto asf = [](TagLib::File& file) {
    auto& tag = *dynamic_cast<TagLib::ASF::File&>(file).tag();
    tag.setAttribute("replaygain_track_gain", TagLib::ASF::Attribute(TagLib::String("-4.5 dB")));
    tag.setAttribute("ReplayGain_Album_Peak", TagLib::ASF::Attribute(TagLib::String("1.25")));
  };
  auto ape = [](TagLib::File& file) {  // an MP3's APEv2 tag, beside its ID3v2 tag
    auto* tag = dynamic_cast<TagLib::MPEG::File&>(file).APETag(true);
    tag->addValue("REPLAYGAIN_TRACK_GAIN", TagLib::String("-4.50 dB"));
    tag->addValue("REPLAYGAIN_ALBUM_PEAK", TagLib::String("1.250000"));
  };
  const auto common = Fields({{"REPLAYGAIN_TRACK_GAIN", "-4.50 dB"}, {"REPLAYGAIN_ALBUM_PEAK", "1.25"}});
  // Opus: -9.5 dB in Q7.8 relative to -23 LUFS is -4.5 dB at the ReplayGain level.
  const auto r128 = Fields({{"R128_TRACK_GAIN", "-2432"}, {"REPLAYGAIN_ALBUM_PEAK", "1.25"}});
  const std::pair<const char*, std::function<void(TagLib::File&)>> cases[] = {
      {"chirp_cbr.mp3", common}, {"id3v1_only.mp3", ape}, {"tone.flac", common}, {"tone.ogg", common},
      {"tone.opus", r128},       {"tone.wv", common},     {"tone_aac.m4a", mp4}, {"chirp.wma", asf},
      {"tone.aiff", common}};
  for (const auto& [fixture, tag] : cases) {
    const ReplayGainTags tags = ProbeMedia(Tagged(dir, fixture, QString("t_") + fixture, tag)).replayGain;
    EXPECT_NEAR(tags.trackGain.value_or(99), -4.5, 1e-6) << fixture;
    EXPECT_NEAR(tags.albumPeak.value_or(99), 1.25, 1e-6) << fixture;
    EXPECT_FALSE(tags.albumGain || tags.trackPeak) << fixture;
  }
  // A damaged value is passed over.
  const QString bad = Tagged(dir, "tone.flac", "bad.flac", Fields({{"REPLAYGAIN_TRACK_GAIN", "loud"}}));
  EXPECT_FALSE(ProbeMedia(bad).replayGain.trackGain);
}

TEST(ReplayGain, PlaysAtTheTaggedLevelAsTheModeChooses) {
  QTemporaryDir dir;
  const QString plain = DataFile("tone.flac");
  const QString both = Tagged(dir, "tone.flac", "both.flac",
                              Fields({{"REPLAYGAIN_TRACK_GAIN", "-12.00 dB"}, {"REPLAYGAIN_ALBUM_GAIN", "-6 dB"}}));
  const QString trackOnly = Tagged(dir, "tone.flac", "track.flac", Fields({{"REPLAYGAIN_TRACK_GAIN", "-12 dB"}}));
  const QString loud = Tagged(dir, "tone.flac", "loud.flac",
                              Fields({{"REPLAYGAIN_TRACK_GAIN", "+6 dB"}, {"REPLAYGAIN_TRACK_PEAK", "1.5"}}));
  using enum ReplayGainMode;
  const double reference = LevelDb(plain, Off);
  auto heard = [&](const QString& path, ReplayGainMode mode, double preamp = 0, bool clip = true) {
    return LevelDb(path, mode, preamp, clip) - reference;
  };
  EXPECT_NEAR(heard(both, Track), -12, 0.05);
  EXPECT_NEAR(heard(both, Album), -6, 0.05);
  EXPECT_NEAR(heard(both, ForPlayMode({}, false).mode), -6, 0.05);  // Automatic in normal play
  EXPECT_NEAR(heard(both, ForPlayMode({}, true).mode), -12, 0.05);  // ... in shuffle and fuzzy play
  EXPECT_NEAR(heard(both, Off), 0, 0.05);
  EXPECT_NEAR(heard(trackOnly, Album), -12, 0.05);  // no album gain: the track's
  EXPECT_NEAR(heard(both, Track, 3), -9, 0.05);     // pre-amp for tagged files
  EXPECT_NEAR(heard(plain, Track, -6), -6, 0.05);   // ... and for untagged ones
  // +6 dB would lift the peak of 1.5 to 3: it is held at full scale instead.
  EXPECT_NEAR(heard(loud, Track), -20 * std::log10(1.5), 0.05);
  EXPECT_NEAR(heard(loud, Track, 0, false), 6, 0.05);

  // A new mode is heard at once, mid-track.
  const QString chirp = Tagged(dir, "chirp_cbr.mp3", "chirp.mp3", Fields({{"REPLAYGAIN_TRACK_GAIN", "-12 dB"}}));
  MemoryDecoder paced(10.0);
  paced.decoder->SetReplayGain({Track});
  EXPECT_TRUE(OpenFile(*paced.decoder, chirp));
  paced.decoder->Play();
  ASSERT_TRUE(WaitFor([&] { return paced.sink->HeardFrames() > kRate; }));
  paced.decoder->SetReplayGain({Off});
  ASSERT_TRUE(WaitFor([&] { return paced.decoder->PlayState() == play_state::Stopped; }));
  const std::vector<float> heardStereo = paced.sink->Heard();
  const auto second = static_cast<std::size_t>(kRate), end = heardStereo.size() / 2;
  const double before = Rms(Channel(heardStereo, 0, second / 4, second * 3 / 4));
  const double after = Rms(Channel(heardStereo, 0, end - second, end - second / 2));
  EXPECT_NEAR(20 * std::log10(after / before), 12, 0.5);
}

}  // namespace
}  // namespace zelvo::test
