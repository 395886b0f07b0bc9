#pragma once

#include <QString>

namespace zelvo {

// The few values the player's subsystems share. One instance lives for the
// whole run and is handed to each subsystem that reads or writes it.
struct PlayerState {
  // The playing row and the cue row are held by the track list (TrackList::CurrentIndex).
  // What the display returns to after a seek drag: the track name or the idle title.
  QString DisplayText;
  // True while a box, a dialog or an add is on screen; the auto-hide waits.
  bool DialogOpen = false;
  // Folder the add-tracks dialog opens in (persisted, settings line 31).
  QString LastAddFolder;
  // Skin chooser entry 1..10, 0 when none was chosen yet (persisted, line 24).
  int SkinNumber = 0;
  // Row selected when the settings were saved (persisted, line 30).
  int SavedTrackIndex = 0;
  int ScreenLeft = 0;    // twips: where the primary screen starts on the desktop
  int ScreenWidth = 0;   // twips
  int ScreenHeight = 0;  // twips
  // Top of the screen's free area, in twips: 0, or lower where a panel holds
  // the top edge. The bar, the list and the strip are placed from here.
  int ScreenTop = 0;
  bool TransparencySupported = false;
};

// The idle caption of the display.
inline const QString kIdleTitle = QStringLiteral("Quandrell Zelvo - Audio Player");

}  // namespace zelvo
