#pragma once

#include <QString>

#include "playback/replay_gain.h"

struct AVFormatContext;

namespace zelvo {

// What the player learns about a file the moment it is opened: its tags and
// its length. Probing reads tags and headers only; it decodes nothing.
struct MediaInfo {
  QString title;   // empty when the tag is absent
  QString author;
  double duration = 0;  // seconds of the track's own time
  ReplayGainTags replayGain;
};

// Probes a file: TagLib for the tags (loudness tags too) and the length (ID3v1, ID3v2.2-2.4,
// ASF); for an MP3 without a Xing/Info/VBRI header, or whose header promises
// more bytes than the file holds, the length comes from a walk over the frame
// headers; a WMA's length leaves out the ASF preroll. Files TagLib cannot read
// are probed with FFmpeg instead. Throws DecoderError when the file is
// missing, empty, unreadable or holds no audio.
MediaInfo ProbeMedia(const QString& path);

// ProbeMedia without the loudness tags: all that adding a file needs.
MediaInfo ProbeTagsAndLength(const QString& path);

// The FFmpeg half alone (the fallback): same contract.
MediaInfo ProbeMediaWithFfmpeg(const QString& path);

// What a file FFmpeg has opened for playing says of itself: its tags and the
// length of its audio stream `stream`, so that playing needs no probe of its
// own. An MP3 without a frame count in its header is walked for its length.
MediaInfo DescribeOpenedMedia(const AVFormatContext* format, int stream, const QString& path);

}  // namespace zelvo
