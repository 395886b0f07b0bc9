#include <QFontMetrics>
#include <QTest>
#include <gtest/gtest.h>

#include "base/layout.h"
#include "platform_ui/key_release_guard.h"
#include "windows/playlist_window.h"
#include "playlist/sort_rows.h"
#include "playlist/track_list.h"

namespace zelvo {
namespace {

TEST(PlaylistWindow, TheDurationColumnRunsToTheListsEdgeAndHoldsABoldDurationWhole) {
  Twips twips;
  KeyReleaseGuard keys;
  TrackList tracks;
  tracks.Model().Replace({{"A queued track with a long name", "125:40", "/a.mp3", "0"},
                          {"Another", "01:00", "/b.mp3", "0"}});
  tracks.Model().SetSequenceMark(0, true);
  PlaylistWindow playlist(twips, keys, tracks);
  playlist.SetGeometryTwips(0, 0, layout::kPlaylistWidth, 6000);
  playlist.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&playlist, 5000));

  TrackListView* list = playlist.PlayViewList();
  const QRect name = list->visualRect(tracks.Model().index(0, NameColumn));
  const QRect duration = list->visualRect(tracks.Model().index(0, DurationColumn));
  // The name keeps four fifths of the list; the duration, and with it a
  // selected row's highlight, reaches the list's right edge.
  EXPECT_EQ(name.width(), twips.ToPixelsX(playlist.ListTwips().width() / 5 * 4));
  EXPECT_EQ(duration.right(), list->viewport()->width() - 1);
  QFont bold = list->font();
  bold.setBold(true);
  const int margins = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
  EXPECT_LE(QFontMetrics(bold).horizontalAdvance("125:40") + margins, duration.width());
}

TEST(PlaylistWindow, ASortKeepsTheCursorRowInSight) {
  Twips twips;
  KeyReleaseGuard keys;
  TrackList tracks;
  std::vector<TrackEntry> rows;
  for (int i = 0; i < 300; ++i) rows.push_back({QString("Track %1").arg(i, 3, 10, QChar('0')), "01:00", "/x", "0"});
  tracks.Model().Replace(std::move(rows));
  PlaylistWindow playlist(twips, keys, tracks);
  playlist.SetGeometryTwips(0, 0, layout::kPlaylistWidth, 6000);
  playlist.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&playlist, 5000));
  tracks.SelectOnly(2);  // "Track 001", near the top
  SortRows(tracks, NameColumn, false);
  TrackListView* list = playlist.PlayViewList();
  EXPECT_EQ(tracks.CursorPosition(), 299);
  EXPECT_TRUE(list->viewport()->rect().contains(list->visualRect(list->currentIndex())));
}

}  // namespace
}  // namespace zelvo
