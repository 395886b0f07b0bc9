#pragma once

#include <QString>
#include <QStringList>

namespace zelvo {

// The kinds of audio file Zelvo offers, walks folders for and accepts on its
// command line: those FFmpeg decodes and TagLib reads tags and lengths from.
// Extensions are lower case, without the dot.
const QStringList& SupportedAudioExtensions();

// Whether a file name ends in one of the extensions above, in any case.
bool IsSupportedAudioFile(const QString& fileName);

// The add dialog's entry offering every supported extension, in the
// dialog's "caption|pattern;pattern" form.
QString AllSupportedAudioFilter();

}  // namespace zelvo
