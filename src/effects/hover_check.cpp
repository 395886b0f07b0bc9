#include "effects/hover_check.h"

namespace zelvo {
namespace {

// Strictly inside, horizontally between left and right and above bottom, with
// the window's twips divided down to the cursor's pixels.
bool Within(const QPoint& cursor, double left, double right, double bottom, const Twips& twips) {
  const double x = cursor.x();
  const double y = cursor.y();
  return y < bottom / twips.PerPixelY() && left / twips.PerPixelX() < x && x < right / twips.PerPixelX();
}

}  // namespace

bool ShouldTuckAway(const HoverScene& scene, const Twips& twips) {
  if (!scene.playerVisible || scene.popUpMenuOpen) return false;
  const QRectF& bar = scene.player;
  if (Within(scene.cursor, bar.left(), bar.left() + bar.width(), bar.top() + bar.height(), twips)) return false;
  const QRectF& list = scene.playlist;
  if (scene.playlistVisible &&
      Within(scene.cursor, list.left(), list.left() + list.width() + kPlaylistRightMargin,
             list.top() + list.height(), twips))
    return false;
  return true;
}

}  // namespace zelvo
