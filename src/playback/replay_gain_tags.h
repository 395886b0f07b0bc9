#pragma once

#include <QString>
#include <functional>

#include "playback/replay_gain.h"

namespace TagLib {
class File;
}

namespace zelvo {

// The loudness tags of a file TagLib has opened, from wherever the format
// keeps them: ID3v2 TXXX frames and APEv2 items (MP3), Vorbis comments (FLAC,
// Ogg Vorbis, Opus), APEv2 (WavPack, APE, Musepack), ID3v2 (WAV, AIFF), MP4
// freeform atoms and ASF attributes. `path` names the file in warnings.
ReplayGainTags ReadReplayGainTags(TagLib::File& file, const QString& path);

// The same from named fields (REPLAYGAIN_TRACK_GAIN, R128_TRACK_GAIN ...);
// `field` returns an empty text for a field that is absent. R128 gains (the
// Opus convention: Q7.8 dB, referenced to -23 LUFS) are taken before
// ReplayGain ones and raised by 5 dB to the ReplayGain level (-18 LUFS). The Opus header's output gain is not
// among them: FFmpeg's Opus decoder applies it to the samples itself.
ReplayGainTags ParseReplayGainFields(const std::function<QString(const char* key)>& field, const QString& path);

}  // namespace zelvo
