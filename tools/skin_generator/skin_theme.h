#pragma once

#include <QColor>
#include <QList>
#include <QString>

namespace zelvo::skingen {

// One shipped skin: its folder name and every colour its pictures and its
// colour file use. The colour file is written from the same palette, so the
// display text always suits the display well it is drawn on.
struct SkinTheme {
  QString name;
  QColor barTop, barBottom;        // the bar's face, top to bottom
  QColor barEdgeLight, barEdgeDark;
  QColor faceTop, faceBottom;      // button faces
  QColor faceBorder;
  QColor faceHighlight;            // one-pixel inner top line of a face
  QColor symbol;                   // glyphs and labels on the buttons
  QColor closeSymbol;
  QColor wellBackground, wellBorder, wellShadow;
  QColor accent;                   // sort marks and other highlights in the art
  // The progress fill behind the display's text and the strip's progress
  // line; the display text must read on it at 4.5:1 or better.
  QColor progress;
  QColor displayText;
  QColor listText, listBackground;
  QColor stripBackground;
  int borderWidth = 1;             // high contrast wants heavier outlines
};

// The skins Zelvo ships, in no particular order (the chooser sorts by name).
QList<SkinTheme> ShippedThemes();

// 0x00BBGGRR, the way a skin's colour file stores a colour.
quint32 ColourValue(const QColor& colour);

}  // namespace zelvo::skingen
