#pragma once

#include <QByteArray>
#include <QString>

namespace zelvo {

// What the desktop's media widgets and notifications show of a track beyond
// its row: the tags as they are (empty when absent) and the cover picture the
// file carries.
struct TrackTags {
  QString title;
  QString artist;
  QString album;
  int trackNumber = 0;  // 0 when the file does not say
  QByteArray cover;     // the picture's file bytes (JPEG or PNG); empty without one
};

// Reads the tags with TagLib and the front cover (or the first picture) from
// ID3v2, FLAC, MP4 and ASF files. A file that cannot be read gives empty tags
// (with a warning).
TrackTags ReadTrackTags(const QString& path);

}  // namespace zelvo
