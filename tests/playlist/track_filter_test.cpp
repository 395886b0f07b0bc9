#include <gtest/gtest.h>

#include "playlist/track_filter.h"
#include "playlist/track_list_model.h"

namespace zelvo {
namespace {

using Rows = std::vector<int>;

// Every typed word in the name or the path, in any order, case and accents
// aside; the list's changes are seen by the next key.
TEST(TrackFilter, EveryWordInNameOrPathInAnyOrderIgnoringCaseAndAccents) {
  TrackListModel model;
  model.Replace({{"Café del Mar", "03:00", "/music/Chill/cafe.mp3", "0"},
                 {"Björk - Jóga", "04:00", "/music/Homogenic/03.flac", "0"},
                 {"ÉTÉ INDIEN", "02:00", "/music/Dassin/ete.mp3", "0"},
                 {"Straße", "02:00", "/music/Kraftwerk/strasse.mp3", "0"}});
  TrackFilter filter(model);

  EXPECT_EQ(filter.Match(""), (Rows{0, 1, 2, 3}));
  EXPECT_EQ(filter.Match("   "), (Rows{0, 1, 2, 3}));
  EXPECT_EQ(filter.Match("cafe"), (Rows{0}));
  EXPECT_EQ(filter.Match("CAFÉ"), (Rows{0}));
  EXPECT_EQ(filter.Match("mar  café"), (Rows{0}));          // order and blanks do not matter
  EXPECT_EQ(filter.Match("joga homogenic"), (Rows{1}));    // one word in the name, one in the path
  EXPECT_EQ(filter.Match("bjork jóga"), (Rows{1}));
  EXPECT_EQ(filter.Match("été"), (Rows{2}));
  EXPECT_EQ(filter.Match("ete dassin"), (Rows{2}));
  EXPECT_EQ(filter.Match("ete"), (Rows{2}));                // "Jóga" etc. do not hold it
  EXPECT_EQ(filter.Match("strasse"), (Rows{3}));            // the path holds it
  EXPECT_EQ(filter.Match("cafe mp3 flac"), (Rows{}));       // every word must be there
  EXPECT_EQ(filter.Match("mar\nchill"), (Rows{0}));
  EXPECT_EQ(filter.Match("del/music"), (Rows{}));           // a word does not run from name into path

  EXPECT_EQ(filter.Match("chill/CAFE"), (Rows{0}));        // a word runs on from a folder into the file name
  EXPECT_EQ(filter.Match("music/homo"), (Rows{1}));
  EXPECT_EQ(filter.Match("kraftwerk/s"), (Rows{3}));

  model.SetName(1, "Hyperballad");
  EXPECT_EQ(filter.Match("joga"), (Rows{}));
  EXPECT_EQ(filter.Match("hyper"), (Rows{1}));
  model.Append(TrackEntry{"Cafe Tacvba", "03:00", "/music/Re/01.mp3", "0"});
  EXPECT_EQ(filter.Match("café"), (Rows{0, 4}));
  model.RemoveFlagged({true, false, false, false, false});
  EXPECT_EQ(filter.Match("cafe"), (Rows{3}));
  model.SetCurrentRow(3);  // fonts only: nothing to fold again
  EXPECT_EQ(filter.Match("tacvba"), (Rows{3}));
  // Texts beyond ASCII, in either of the forms the folded rows are kept in.
  model.Append(TrackEntry{"東京事変", "03:00", "/music/日本/Tokyo.mp3", "0"});
  model.Append(TrackEntry{"Ærø", "03:00", "C:\\Music\\Dansk\\ÆRØ.MP3", "0"});
  EXPECT_EQ(filter.Match("東京 tokyo"), (Rows{4}));
  EXPECT_EQ(filter.Match("日本/tok"), (Rows{4}));
  EXPECT_EQ(filter.Match("ærø"), (Rows{5}));
  EXPECT_EQ(filter.Match("dansk\\ærø.mp3"), (Rows{5}));
  model.SetName(5, "Ålborg");
  EXPECT_EQ(filter.Match("alborg"), (Rows{5}));
  EXPECT_EQ(filter.Match("ærø"), (Rows{5}));  // still in the path
}

}  // namespace
}  // namespace zelvo
