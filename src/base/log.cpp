#include "base/log.h"

// Warnings and above are shown by default; debug and info need QT_LOGGING_RULES.
Q_LOGGING_CATEGORY(lcStorage, "zelvo.storage", QtWarningMsg)
Q_LOGGING_CATEGORY(lcPlaylist, "zelvo.playlist", QtWarningMsg)
Q_LOGGING_CATEGORY(lcPlayback, "zelvo.playback", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSkins, "zelvo.skins", QtWarningMsg)
Q_LOGGING_CATEGORY(lcEffects, "zelvo.effects", QtWarningMsg)
Q_LOGGING_CATEGORY(lcApp, "zelvo.app", QtWarningMsg)
Q_LOGGING_CATEGORY(lcFileOpens, "zelvo.opens", QtWarningMsg)
