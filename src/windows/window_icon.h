#pragma once

#include <QIcon>
#include <QString>

namespace zelvo {

// The program's icon at every size found in an icon theme folder ("hicolor"
// with "<size>x<size>/apps/zelvo.png"); the desktop's theme icon named
// "zelvo" when the folder has none.
QIcon ZelvoIcon(const QString& themeFolder);
// The largest of those icon files, for the desktop's notifications; the theme
// name "zelvo" when the folder has none.
QString ZelvoIconFile(const QString& themeFolder);

}  // namespace zelvo
