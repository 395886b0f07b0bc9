#pragma once

#include <QString>
#include <QStringList>

namespace zelvo {

// How a file named outright (not found in a folder) is taken: as the user
// chose it in the add dialog, or only when it is a kind of audio Zelvo knows
// (dropped from a file manager, given on the command line).
enum class NamedFiles { KeepAll, AudioOnly };

// Turns files and folders into the list of files to add, in the given order.
// A folder becomes the audio files beneath it, walked depth first with each
// folder's entries in natural order ("2 - x" before "10 - x"); hidden files
// and folders are passed over, a folder reached twice through symbolic links
// is walked once, and a folder that cannot be read is skipped with a warning.
QStringList ExpandToAudioFiles(const QStringList& paths, NamedFiles named);

// Orders names as people count: runs of digits by their value, the rest
// without regard to case. Negative, zero or positive like a comparison.
int CompareNaturally(const QString& a, const QString& b);

}  // namespace zelvo
