#pragma once

#include <QByteArrayList>
#include <QString>
#include <QStringList>

namespace zelvo {

// The kinds of audio file Zelvo offers, walks folders for, accepts on its
// command line and opens: those FFmpeg decodes and TagLib reads tags and
// lengths from, listed once in audio_formats.def. Extensions are lower case,
// without the dot.
const QStringList& SupportedAudioExtensions();

// Whether a file name ends in one of the extensions above, in any case.
bool IsSupportedAudioFile(const QString& fileName);

// The add dialog's entry offering every supported extension, in the
// dialog's "caption|pattern;pattern" form.
QString AllSupportedAudioFilter();

// The MIME types of the supported files, as desktops name them.
const QStringList& SupportedMimeTypes();

// The FFmpeg demuxers that may read a file, each once. Those that check a
// header come first; MP3's, which takes any bytes with a frame sync in them,
// comes last, so a damaged file sniffed as something else plays as nothing
// rather than as noise.
const QByteArrayList& SupportedDemuxers();

}  // namespace zelvo
