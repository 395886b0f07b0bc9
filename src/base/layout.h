#pragma once

#include <QRect>

// Where every control of the windows sits, in twips (1/1440 inch). Skins draw
// their button art under these rectangles, so they are the contract between
// the windows and the skin pictures. Twips become pixels only at the edge,
// through the screen's twips per pixel.
namespace zelvo::layout {

// Main window (the bar).
inline constexpr int kPlayerWidth = 9600;
inline constexpr int kPlayerHeight = 390;
inline constexpr QRect kMakeBackTrack{0, 0, 465, 375};
inline constexpr QRect kMakePlay{480, 0, 600, 375};
inline constexpr QRect kMakeStop{1100, 0, 600, 375};
inline constexpr QRect kMakeNextTrack{1710, 0, 500, 375};
inline constexpr QRect kPlayerDisplay{2265, 40, 4330, 290};
inline constexpr QRect kTrackProgress{2260, 45, 15, 300};  // width grows with the position
inline constexpr QRect kMakePlayDrop{6640, 0, 340, 375};
inline constexpr QRect kMakeOptionsDrop{7005, 0, 930, 375};
inline constexpr QRect kMakeVolumeDrop{7950, 0, 910, 375};
inline constexpr QRect kVolumeShape{7995, 45, 855, 280};  // width set from the volume
inline constexpr QRect kMakeClose{8880, 0, 705, 375};
inline constexpr int kProgressEmpty = 15;  // width of an empty progress bar
inline constexpr int kVolumeBarFull = 830;

// Playlist window; its height follows the screen (screen height - 1000).
inline constexpr int kPlaylistWidth = 4785;
inline constexpr int kPlaylistLeftOffset = 2260 - 15;  // from the main window's left
inline constexpr int kPlaylistHeightMargin = 1000;
// The button bar along the bottom edge; buttons relative to the bar.
inline constexpr int kButtonBarHeight = 375;
inline constexpr QRect kMakeAdd{0, 0, 940, 375};
inline constexpr QRect kMakeDelete{960, 0, 945, 375};
inline constexpr QRect kMakeSort{1920, 0, 945, 375};
inline constexpr QRect kMakeLoad{2880, 0, 915, 375};
inline constexpr QRect kMakeSave{3815, 0, 945, 375};
// Frame strips and the column-title picture buttons above the list.
inline constexpr int kHTextureHeight = 30;
inline constexpr int kVTextureWidth = 30;
inline constexpr int kVTextureHeight = 24000;
inline constexpr int kColumnTitleTop = 30;
inline constexpr int kColumnTitleHeight = 255;
inline constexpr int kColumnTitleWidth = 3810;
inline constexpr int kListTop = 285;

// The strip left on the top edge while the bar is tucked away.
inline constexpr int kStripWidth = 6000;
inline constexpr int kStripHeight = 30;

}  // namespace zelvo::layout
