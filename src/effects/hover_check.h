#pragma once

#include <QPoint>
#include <QRectF>

#include "platform/twips.h"

namespace zelvo {

// What the hover test looks at on each tick. Window geometry is in twips, the
// cursor in screen pixels.
struct HoverScene {
  bool playerVisible = true;
  bool popUpMenuOpen = false;
  QPoint cursor;
  QRectF player;
  bool playlistVisible = false;
  QRectF playlist;
};

// Room to the right of the playlist window that still counts as over it, so
// a pointer heading for the list's scroll bar does not send the bar away.
inline constexpr double kPlaylistRightMargin = 600;

// Whether the bar should tuck itself away: it is shown, no pop-up menu is up,
// and the cursor is neither over the bar nor over the playlist window (or the
// margin right of it). The bar sits on the top edge, so only its bottom is
// tested vertically; the playlist window likewise. Comparisons are strict: a
// cursor on a left or right edge, or on a bottom line, is outside.
bool ShouldTuckAway(const HoverScene& scene, const Twips& twips);

}  // namespace zelvo
