#include "skins/skin_loader.h"

#include <QFile>
#include <QImageReader>
#include <functional>
#include <optional>

#include "base/log.h"
#include "base/boxes.h"
#include "base/player_state.h"
#include "platform/desktop.h"
#include "platform/regular_file.h"
#include "skins/path_ignoring_case.h"
#include "skins/skin_colour.h"
#include "skins/skin_targets.h"
#include "storage/field_reader.h"
#include "storage/text_codec.h"

namespace zelvo {
namespace {

// Skin pictures carry a neutral extension, so the format comes from the bytes.
std::optional<QImage> ReadPicture(const QString& path) {
  QFile file(path);
  if (std::optional<QString> refused = OpenRegularFile(file)) {
    qCWarning(lcSkins) << "skin picture refused" << path << *refused;
    return std::nullopt;
  }
  QImageReader reader(&file);
  reader.setDecideFormatFromContent(true);
  QImage picture = reader.read();
  if (picture.isNull()) {
    qCWarning(lcSkins) << "skin picture refused" << path << reader.errorString();
    return std::nullopt;
  }
  return picture;
}

}  // namespace

void SkinLoader::LoadSkin(const QString& folder) {
  if (!ApplyPictures(folder) || !ApplyColours(folder)) ReportFailure();
}

bool SkinLoader::ApplyPictures(const QString& folder) {
  // The vertical strip is read twice, once per edge, as each edge is its own control.
  const std::pair<const char*, std::function<void(const QImage&)>> steps[] = {
      {"htexture.zsk", [this](const QImage& p) { targets_.SetHTexture(p); }},
      {"vtexture.zsk", [this](const QImage& p) { targets_.SetVTexture(0, p); }},
      {"vtexture.zsk", [this](const QImage& p) { targets_.SetVTexture(1, p); }},
      {"coltrack.zsk", [this](const QImage& p) { targets_.SetColTrack(p); }},
      {"collength.zsk", [this](const QImage& p) { targets_.SetColDuration(p); }},
      {"subbuttons.zsk", [this](const QImage& p) { targets_.SetPlaylistButtons(p); }},
      {"player.zsk", [this](const QImage& p) { targets_.SetSkinPicture(p); }},
  };
  for (const auto& [file, apply] : steps) {
    const std::optional<QImage> picture = ReadPicture(PathIgnoringCase(folder, file));
    if (!picture) return false;
    apply(*picture);
  }
  return true;
}

bool SkinLoader::ApplyColours(const QString& folder) {
  // Read in one go and closed at once, so that the settings file and the
  // next skin load never meet a file still held.
  const QString path = PathIgnoringCase(folder, QStringLiteral("skincolor.zsk"));
  const std::variant<QByteArray, ReadRefusal> read = ReadRegularFile(path, kSmallFileLimit);
  if (const auto* refused = std::get_if<ReadRefusal>(&read)) {
    qCWarning(lcSkins) << "skin colours unreadable" << path << refused->reason;
    return false;
  }
  const QByteArray& text = std::get<QByteArray>(read);
  const std::function<void(const QColor&)> targets[] = {
      [this](const QColor& c) { targets_.SetDisplayForeColor(c); },
      [this](const QColor& c) { targets_.SetTrackListForeColor(c); },
      [this](const QColor& c) { targets_.SetTrackListBackColor(c); },
      [this](const QColor& c) { targets_.SetStripProgressColor(c); },
      [this](const QColor& c) { targets_.SetStripBackColor(c); },
  };
  FieldReader fields(QString::fromLatin1(text));
  for (const auto& apply : targets) {
    const std::optional<QStringView> field = fields.Next();
    const std::optional<QColor> colour = field ? ColourFromField(field->toString()) : std::nullopt;
    if (!colour) {
      qCWarning(lcSkins) << "skin colours refused" << folder << "at" << (field ? field->toString() : "the end");
      return false;
    }
    apply(*colour);
  }
  return true;
}

void SkinLoader::ReportFailure() {
  DialogOpenScope open(state_);
  targets_.SetPlaylistVisible(false);
  desktop_.ShowMessage(QStringLiteral("Skin Initailization Failed ..."), QStringLiteral("SkinInt Error"),
                       MessageIcon::Critical, MessageButtons::Ok);
  // Shown even if it was hidden before: the box is the user's cue to look at the player again.
  targets_.SetPlaylistVisible(true);
}

}  // namespace zelvo
