#pragma once

#include "pixel_art.h"

// The symbols on Zelvo's buttons, shared by every shipped skin so that the
// skins differ in colour and mood, never in what a button means.
namespace zelvo::skingen::glyphs {

Glyph Previous();
Glyph PlayPause();
Glyph Stop();
Glyph Next();
Glyph PlaylistDrop();
Glyph MenuArrow();
Glyph Speaker();
Glyph Close();
Glyph Plus();
Glyph Minus();
Glyph SortArrows();
Glyph Folder();
Glyph Disk();

}  // namespace zelvo::skingen::glyphs
