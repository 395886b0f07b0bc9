#pragma once

#include <QString>
#include <QVariantMap>

namespace zelvo {

class Decoder;
class TrackList;
struct TrackTags;

// The player's state in the terms of the MPRIS media player interface that
// desktops use for media keys and media widgets.

// "Playing", "Paused" or "Stopped" for a decoder play state.
QString MprisPlaybackStatus(int playState);

// The bar's volume scale (-1500 mute ... 0 full, hundredths of a decibel) as
// 0.0 ... 1.0, and back, by loudness: 0.5 is -6 dB, 0.25 -12 dB, as media
// widgets expect of a volume slider; 0.0 and anything below -15 dB is mute.
double MprisVolume(int hundredthsOfDb);
int VolumeFromMpris(double volume);

// The object path that names the row at CurrentIndex; NoTrack without one
// (also while a track plays whose row was erased).
QString MprisTrackId(const TrackList& tracks);

// Metadata of the row at CurrentIndex: its id, file as a URL, title, artist,
// album and track number from the file's tags (the row's name as the title
// when the file has no title tag), the cover picture's URL when artUrl is
// given, and the exact length when the decoder has that file open (else the
// row's duration text). Only the id, NoTrack, when there is no such row.
QVariantMap MprisMetadata(const TrackList& tracks, const Decoder& decoder, const TrackTags& tags,
                          const QString& artUrl);

inline constexpr char kMprisNoTrack[] = "/org/mpris/MediaPlayer2/TrackList/NoTrack";

}  // namespace zelvo
