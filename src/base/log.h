#pragma once

#include <QLoggingCategory>

// One logging category per subsystem. A failure that the player handles
// quietly (a file it passes over, a fallback, a write that did not happen)
// still leaves one warning line with the path and the library's reason, so a
// user's report can be diagnosed. Debug output is off unless QT_LOGGING_RULES
// turns it on, for example QT_LOGGING_RULES="zelvo.*.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcStorage)
Q_DECLARE_LOGGING_CATEGORY(lcPlaylist)
Q_DECLARE_LOGGING_CATEGORY(lcPlayback)
Q_DECLARE_LOGGING_CATEGORY(lcSkins)
Q_DECLARE_LOGGING_CATEGORY(lcEffects)
Q_DECLARE_LOGGING_CATEGORY(lcApp)
// Every time an audio file is opened to be read (probed, played, walked for
// its length), as a debug line: shows what a start or an add costs.
Q_DECLARE_LOGGING_CATEGORY(lcFileOpens)
