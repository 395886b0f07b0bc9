#include "desktop/mpris_values.h"

#include <QDBusObjectPath>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "playback/apply_options.h"
#include "playback/decoder.h"
#include "playback/track_tags.h"
#include "playlist/track_list.h"

namespace zelvo {
namespace {

constexpr qint64 kMicroseconds = 1000000;
// Hundredths of a decibel per tenfold change of the MPRIS volume (20 dB).
constexpr double kHundredthsPerDecade = 2000;

// "mm:ss" as the row shows it, in microseconds.
qint64 LengthOfDurationText(const QString& text) {
  const QStringList parts = text.split(QLatin1Char(':'));
  if (parts.size() != 2) return 0;
  return (parts[0].toLongLong() * 60 + parts[1].toLongLong()) * kMicroseconds;
}

}  // namespace

QString MprisPlaybackStatus(int playState) {
  if (playState == play_state::Playing) return QStringLiteral("Playing");
  if (playState == play_state::Paused) return QStringLiteral("Paused");
  return QStringLiteral("Stopped");
}

double MprisVolume(int hundredthsOfDb) {
  if (hundredthsOfDb <= kMuteVolume) return 0.0;
  return std::min(std::pow(10.0, hundredthsOfDb / kHundredthsPerDecade), 1.0);
}

int VolumeFromMpris(double volume) {
  if (!(volume > 0)) return kMuteVolume;
  const double level = kHundredthsPerDecade * std::log10(std::min(volume, 1.0));
  return static_cast<int>(std::lround(std::max(level, double(kMuteVolume))));
}

namespace {

// The row MPRIS names: none while a track plays whose row was erased.
int NamedRow(const TrackList& tracks) {
  const int position = tracks.CurrentRowGone() ? 0 : tracks.CurrentIndex();
  return tracks.Has(position) ? position : 0;
}

}  // namespace

QString MprisTrackId(const TrackList& tracks) {
  const int position = NamedRow(tracks);
  if (position == 0) return QString::fromLatin1(kMprisNoTrack);
  return QStringLiteral("/org/zelvo/Track/%1").arg(position);
}

QVariantMap MprisMetadata(const TrackList& tracks, const Decoder& decoder, const TrackTags& tags,
                          const QString& artUrl) {
  QVariantMap metadata;
  metadata.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(MprisTrackId(tracks))));
  const int position = NamedRow(tracks);
  if (position == 0) return metadata;
  const TrackEntry& track = tracks.At(position);
  metadata.insert(QStringLiteral("xesam:title"), tags.title.isEmpty() ? track.name : tags.title);
  metadata.insert(QStringLiteral("xesam:url"), QUrl::fromLocalFile(track.path).toString());
  if (!tags.artist.isEmpty()) metadata.insert(QStringLiteral("xesam:artist"), QStringList{tags.artist});
  if (!tags.album.isEmpty()) metadata.insert(QStringLiteral("xesam:album"), tags.album);
  if (tags.trackNumber > 0) metadata.insert(QStringLiteral("xesam:trackNumber"), tags.trackNumber);
  if (!artUrl.isEmpty()) metadata.insert(QStringLiteral("mpris:artUrl"), artUrl);
  qint64 length = LengthOfDurationText(track.duration);
  if (decoder.PlayState() != play_state::Closed && decoder.FileName() == track.path) {
    if (const std::optional<double> duration = decoder.Duration())
      length = static_cast<qint64>(std::llround(*duration * kMicroseconds));
  }
  if (length > 0) metadata.insert(QStringLiteral("mpris:length"), length);
  return metadata;
}

}  // namespace zelvo
