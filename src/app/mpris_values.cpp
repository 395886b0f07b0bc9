#include "app/mpris_values.h"

#include <QDBusObjectPath>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "app/apply_options.h"
#include "playback/decoder.h"
#include "playlist/track_list.h"

namespace zelvo {
namespace {

constexpr qint64 kMicroseconds = 1000000;

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
  return std::clamp((hundredthsOfDb - kMuteVolume) / double(-kMuteVolume), 0.0, 1.0);
}

int VolumeFromMpris(double volume) {
  return static_cast<int>(std::lround(kMuteVolume + std::clamp(volume, 0.0, 1.0) * -kMuteVolume));
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

QVariantMap MprisMetadata(const TrackList& tracks, const Decoder& decoder) {
  QVariantMap metadata;
  metadata.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(MprisTrackId(tracks))));
  const int position = NamedRow(tracks);
  if (position == 0) return metadata;
  const TrackEntry& track = tracks.At(position);
  metadata.insert(QStringLiteral("xesam:title"), track.name);
  metadata.insert(QStringLiteral("xesam:url"), QUrl::fromLocalFile(track.path).toString());
  qint64 length = LengthOfDurationText(track.duration);
  if (decoder.PlayState() != play_state::Closed && decoder.FileName() == track.path) {
    if (const std::optional<double> duration = decoder.Duration())
      length = static_cast<qint64>(std::llround(*duration * kMicroseconds));
    const QString author = decoder.GetMediaInfoString(media_info::Author).value_or(QString());
    if (!author.isEmpty()) metadata.insert(QStringLiteral("xesam:artist"), QStringList{author});
  }
  if (length > 0) metadata.insert(QStringLiteral("mpris:length"), length);
  return metadata;
}

}  // namespace zelvo
