#pragma once

#include <QHash>
#include <QStringList>

#include "skins/skin_targets.h"

namespace zelvo::test {

// Keeps what a skin load applied, under the controls' names, and the order
// in which it was applied.
class RecordingSkinTargets : public SkinTargets {
 public:
  QStringList applied;             // control names, in order
  QHash<QString, QImage> pictures; // "hTexture", "vTexture0", "vTexture1", "ColTrack", ...
  QHash<QString, QColor> colours;  // "DisplayFore", "ListFore", "ListBack", "StripProgress", "StripBack"
  QList<bool> playlistShown;       // every visibility change
  bool playlistVisible = true;

  void SetHTexture(const QImage& p) override { Picture("hTexture", p); }
  void SetVTexture(int index, const QImage& p) override { Picture(QStringLiteral("vTexture%1").arg(index), p); }
  void SetColTrack(const QImage& p) override { Picture("ColTrack", p); }
  void SetColDuration(const QImage& p) override { Picture("ColDuration", p); }
  void SetPlaylistButtons(const QImage& p) override { Picture("PlaylistButtons", p); }
  void SetSkinPicture(const QImage& p) override { Picture("SkinPicture1", p); }
  void SetDisplayForeColor(const QColor& c) override { Colour("DisplayFore", c); }
  void SetTrackListForeColor(const QColor& c) override { Colour("ListFore", c); }
  void SetTrackListBackColor(const QColor& c) override { Colour("ListBack", c); }
  void SetStripProgressColor(const QColor& c) override { Colour("StripProgress", c); }
  void SetStripBackColor(const QColor& c) override { Colour("StripBack", c); }
  void SetPlaylistVisible(bool visible) override {
    playlistVisible = visible;
    playlistShown.append(visible);
  }

 private:
  void Picture(const QString& name, const QImage& picture) {
    applied.append(name);
    pictures[name] = picture;
  }
  void Colour(const QString& name, const QColor& colour) {
    applied.append(name);
    colours[name] = colour;
  }
};

}  // namespace zelvo::test
