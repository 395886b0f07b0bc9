// Draws the pictures and colour files of the skins Zelvo ships, the credits
// picture and the program's icons (an icon theme under "icons"), into the
// program's folder. Run by the build; run it by
// hand with a folder to re-make them after changing a theme or the art.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

#include "bar_art.h"
#include "credits_art.h"
#include "icon_art.h"
#include "playlist_art.h"
#include "skin_theme.h"

namespace {

using namespace zelvo::skingen;

// Picture files keep the skin's neutral extension; the player reads the format from the content.
bool SavePicture(const QImage& picture, const QString& path) {
  if (picture.save(path, "PNG")) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

bool WriteColourFile(const SkinTheme& theme, const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  QTextStream out(&file);
  for (const QColor& colour : {theme.displayText, theme.listText, theme.listBackground, theme.progress,
                               theme.stripBackground})
    out << ColourValue(colour) << "\r\n";
  return true;
}

bool WriteSkin(const SkinTheme& theme, const QString& skinsFolder) {
  const QString folder = skinsFolder + '/' + theme.name;
  if (!QDir().mkpath(folder)) return false;
  return SavePicture(PaintHTexture(theme), folder + "/htexture.zsk") &&
         SavePicture(PaintVTexture(theme), folder + "/vtexture.zsk") &&
         SavePicture(PaintColumnTitle(theme, "Track Name", true), folder + "/coltrack.zsk") &&
         SavePicture(PaintColumnTitle(theme, "Duration", false), folder + "/collength.zsk") &&
         SavePicture(PaintPlaylistButtons(theme), folder + "/subbuttons.zsk") &&
         SavePicture(PaintMainBar(theme), folder + "/player.zsk") &&
         WriteColourFile(theme, folder + "/skincolor.zsk");
}

bool WriteIcons(const QString& themeFolder) {
  for (int size : kIconSizes) {
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(themeFolder).arg(size);
    if (!QDir().mkpath(folder) || !SavePicture(PaintIcon(size), folder + "/zelvo.png")) return false;
  }
  QDir().mkpath(themeFolder + "/scalable/apps");
  QFile svg(themeFolder + "/scalable/apps/zelvo.svg");
  if (svg.open(QIODevice::WriteOnly | QIODevice::Truncate) && svg.write(IconSvg()) >= 0) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(svg.fileName()));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // Fonts need a GUI application, but never a screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <program folder>\n", argv[0]);
    return 2;
  }
  const QString appFolder = QString::fromLocal8Bit(argv[1]);
  for (const SkinTheme& theme : ShippedThemes())
    if (!WriteSkin(theme, appFolder + "/skins")) return 1;
  if (!WriteIcons(appFolder + "/icons/hicolor")) return 1;
  return SavePicture(PaintCreditsPicture(), appFolder + "/credits.dat") ? 0 : 1;
}
