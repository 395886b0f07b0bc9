#pragma once

#include <QByteArray>
#include <QString>

namespace zelvo {

// What the desktop's media widgets show of a track beyond its row: the tags
// as they are (empty when absent) and the cover picture the file carries.
struct TrackTags {
  QString title;
  QString artist;
  QString album;
  int trackNumber = 0;  // 0 when the file does not say
  QByteArray cover;     // the picture's file bytes (JPEG or PNG); empty without one
};

// Reads a file's tags and cover with the demuxer that plays it. A file that
// cannot be read gives empty tags (with a warning).
TrackTags ReadTrackTags(const QString& path);

}  // namespace zelvo
