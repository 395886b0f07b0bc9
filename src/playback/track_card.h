#pragma once

#include <QByteArray>
#include <QString>

namespace zelvo {

// What a desktop notification says of a track: its tags and the picture
// embedded in the file (encoded bytes, as stored), each empty when absent.
struct TrackCard {
  QString title;
  QString artist;
  QString album;
  QByteArray cover;
};

// Reads the tags with TagLib and the front cover (or the first picture) from
// ID3v2, FLAC, MP4 and ASF files. A file TagLib cannot read gives an empty card.
TrackCard ReadTrackCard(const QString& path);

}  // namespace zelvo
