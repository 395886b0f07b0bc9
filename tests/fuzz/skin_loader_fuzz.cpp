// A skin folder whose colour file holds any bytes (the pictures are sound):
// the load either applies all five colours or tells the user once.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include "base/player_state.h"
#include "fuzz_support.h"
#include "scripted_desktop.h"
#include "skins/skin_colour.h"
#include "skins/skin_loader.h"
#include "skins/recording_skin_targets.h"
#include "storage/field_reader.h"

namespace {

// The six pictures every load reads before the colours.
QString SkinFolder() {
  static const QString folder = [] {
    const QString path = zelvo::fuzz::ScratchFolder().filePath(QStringLiteral("skin"));
    zelvo::fuzz::Require(QDir().mkpath(path), "the skin folder can be made");
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    for (const char* name : {"player.zsk", "htexture.zsk", "vtexture.zsk", "coltrack.zsk", "collength.zsk",
                             "subbuttons.zsk"})
      zelvo::fuzz::Require(picture.save(QDir(path).filePath(QString::fromLatin1(name)), "BMP"),
                           "a picture can be written");
    return path;
  }();
  return folder;
}

}  // namespace

// Pictures are read the way the player reads them, inside a GUI application.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication application(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using zelvo::fuzz::Require;
  const QString folder = SkinFolder();
  QFile colours(QDir(folder).filePath(QStringLiteral("skincolor.zsk")));
  Require(colours.open(QIODevice::WriteOnly | QIODevice::Truncate), "the colour file can be written");
  colours.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
  colours.close();

  // Each field on its own, as the loader reads them.
  zelvo::FieldReader fields(QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  for (int i = 0; i < 5; ++i) {
    const std::optional<QStringView> field = fields.Next();
    if (!field) break;
    if (const std::optional<QColor> colour = zelvo::ColourFromField(field->toString()))
      Require(colour->isValid(), "a colour read is a valid colour");
  }

  zelvo::test::ScriptedDesktop desktop;
  zelvo::test::RecordingSkinTargets targets;
  zelvo::PlayerState state;
  zelvo::SkinLoader(targets, state, desktop).LoadSkin(folder);
  Require(targets.pictures.size() == 7, "the sound pictures are applied (the side strip twice)");
  Require(targets.colours.size() == 5 ? desktop.messages.isEmpty() : desktop.messages.size() == 1,
          "a load applies every colour or tells the user once");
  Require(!state.DialogOpen, "no box is left open");
  Require(targets.playlistVisible, "the playlist window is shown again");
  return 0;
}
