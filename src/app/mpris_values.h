#pragma once

#include <QString>
#include <QVariantMap>

namespace zelvo {

class Decoder;
class TrackList;

// The player's state in the terms of the MPRIS media player interface that
// desktops use for media keys and media widgets.

// "Playing", "Paused" or "Stopped" for a decoder play state.
QString MprisPlaybackStatus(int playState);

// The bar's volume scale (-1500 mute ... 0 full, hundredths of a decibel,
// drawn as a straight bar) as 0.0 ... 1.0, and back.
double MprisVolume(int hundredthsOfDb);
int VolumeFromMpris(double volume);

// The object path that names the row at CurrentIndex; NoTrack without one
// (also while a track plays whose row was erased).
QString MprisTrackId(const TrackList& tracks);

// Metadata of the row at CurrentIndex: its id, name, file as a URL, and the
// author tag and exact length when the decoder has that file open (else the
// row's duration text). Only the id, NoTrack, when there is no such row.
QVariantMap MprisMetadata(const TrackList& tracks, const Decoder& decoder);

inline constexpr char kMprisNoTrack[] = "/org/mpris/MediaPlayer2/TrackList/NoTrack";

}  // namespace zelvo
