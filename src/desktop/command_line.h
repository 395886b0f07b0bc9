#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace zelvo {

// The arguments after the program's name, each kept as its bytes (see
// platform/path_bytes.h): Qt's own list turns a file name's bytes that are
// no UTF-8 into U+FFFD, and the file could never be found again.
QStringList ArgumentsFromBytes(int argc, const char* const* argv);

// What `zelvo --help` prints.
QString UsageText();

// The text for --help or --version when one of them is among the arguments
// (they answer at once, without a window); nothing otherwise.
std::optional<QString> InformationAsked(const QStringList& arguments);

// The media player method a running Zelvo is asked to perform ("PlayPause"
// for --play-pause, and --play, --pause, --stop, --next, --previous likewise),
// as the desktop file's actions ask; nothing otherwise.
std::optional<QString> RemoteCommand(const QStringList& arguments);

// Asks the running Zelvo on the session bus to perform the method. False,
// with a line on standard error, when no Zelvo answers.
bool SendRemoteCommand(const QString& method);

// The arguments Zelvo can take (absolute paths of files, folders and
// playlists), in their order. Each one it cannot take is left out with a
// line in problems naming it and saying why: a URL, a missing path, a file
// that cannot be read or holds no audio Zelvo plays.
QStringList UsableArguments(const QStringList& arguments, QStringList* problems);

}  // namespace zelvo
