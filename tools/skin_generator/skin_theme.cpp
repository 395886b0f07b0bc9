#include "skin_theme.h"

namespace zelvo::skingen {

QList<SkinTheme> ShippedThemes() {
  SkinTheme aurora;  // dark, with a cool cyan display
  aurora.name = "Aurora";
  aurora.barTop = QColor("#262c3b");
  aurora.barBottom = QColor("#161a24");
  aurora.barEdgeLight = QColor("#3a4254");
  aurora.barEdgeDark = QColor("#0b0d12");
  aurora.faceTop = QColor("#343d52");
  aurora.faceBottom = QColor("#242b3b");
  aurora.faceBorder = QColor("#0e1118");
  aurora.faceHighlight = QColor("#4a5570");
  aurora.symbol = QColor("#dde6f5");
  aurora.closeSymbol = QColor("#ff8f85");
  aurora.wellBackground = QColor("#0a0d13");
  aurora.wellBorder = QColor("#05070a");
  aurora.wellShadow = QColor("#3a4254");
  aurora.accent = QColor("#4cc9f0");
  aurora.progress = QColor("#1d4e89");
  aurora.displayText = QColor("#8ae9ff");
  aurora.listText = QColor("#d6deec");
  aurora.listBackground = QColor("#151922");
  aurora.stripBackground = QColor("#161a24");

  SkinTheme linen;  // light, warm paper with an amber accent
  linen.name = "Linen";
  linen.barTop = QColor("#f6f3ec");
  linen.barBottom = QColor("#e1dbcf");
  linen.barEdgeLight = QColor("#ffffff");
  linen.barEdgeDark = QColor("#b3aa99");
  linen.faceTop = QColor("#ffffff");
  linen.faceBottom = QColor("#ebe6dc");
  linen.faceBorder = QColor("#a89f8e");
  linen.faceHighlight = QColor("#ffffff");
  linen.symbol = QColor("#3b3731");
  linen.closeSymbol = QColor("#b8432f");
  linen.wellBackground = QColor("#fffdf8");
  linen.wellBorder = QColor("#a89f8e");
  linen.wellShadow = QColor("#e6e0d4");
  linen.accent = QColor("#d27d1e");
  linen.progress = QColor("#f0b46a");
  linen.displayText = QColor("#2b2824");
  linen.listText = QColor("#2b2824");
  linen.listBackground = QColor("#fcfaf5");
  linen.stripBackground = QColor("#e1dbcf");

  SkinTheme signal;  // high contrast: yellow on black buttons, heavy outlines
  signal.name = "Signal";
  signal.barTop = QColor("#1f1f1f");
  signal.barBottom = QColor("#1f1f1f");
  signal.barEdgeLight = QColor("#ffffff");
  signal.barEdgeDark = QColor("#ffffff");
  signal.faceTop = QColor("#000000");
  signal.faceBottom = QColor("#000000");
  signal.faceBorder = QColor("#ffff00");
  signal.faceHighlight = QColor("#000000");
  signal.symbol = QColor("#ffff00");
  signal.closeSymbol = QColor("#ffffff");
  signal.wellBackground = QColor("#000000");
  signal.wellBorder = QColor("#ffffff");
  signal.wellShadow = QColor("#000000");
  signal.accent = QColor("#00ffff");
  signal.progress = QColor("#0050a0");
  signal.displayText = QColor("#ffffff");
  signal.listText = QColor("#ffffff");
  signal.listBackground = QColor("#000000");
  signal.stripBackground = QColor("#000000");
  signal.borderWidth = 2;

  return {aurora, linen, signal};
}

quint32 ColourValue(const QColor& colour) {
  return quint32(colour.red()) | quint32(colour.green()) << 8 | quint32(colour.blue()) << 16;
}

}  // namespace zelvo::skingen
