#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace zelvo {

// Every entry of the player's menus, by the name it has always had. The names
// of the check-mark entries are what the settings file is written from, so an
// entry is never renamed. One list makes both the enum and the names, so the
// two cannot drift apart and a misspelt entry does not compile.
#define ZELVO_OPTION_ENTRIES(X)                                                                 \
  X(BalLeft) X(BalLHalf) X(BalMiddle) X(BalRHalf) X(BalRight)                                   \
  X(ClassicSE) X(NormalSE) X(DanceSE) X(AniEffects)                                             \
  X(Trans254) X(Trans200) X(Trans150) X(Trans100)                                               \
  X(NormalPlay) X(ShufflePlay) X(FuzzyPlay)                                                     \
  X(UniAllCaps) X(UniFirst) X(UniLower) X(RealPlayList)                                         \
  X(ID3Possible) X(ID3Disable)                                                                  \
  X(Skin1) X(Skin2) X(Skin3) X(Skin4) X(Skin5) X(Skin6) X(Skin7) X(Skin8) X(Skin9) X(Skin10)    \
  X(OtherSkinsMenu) X(SkinMenu) X(WebLinkMenu) X(AboutMenu) X(HelpMenu) X(SaveSetMenu)          \
  X(DefSetMenu)                                                                                 \
  X(MuteVol) X(LowVol) X(MedVol) X(HighVol) X(FullVol)                                          \
  X(NameSort) X(TimeSort) X(PathSort) X(PriorSort) X(AscOrder)                                  \
  X(SelectedDel) X(EntireDel) X(DeleteFile)                                                     \
  X(FuzVHigh) X(FuzHigh) X(FuzNorm) X(FuzLow) X(FuzVLow)                                        \
  X(SequenceMenu) X(TotalTrackMenu) X(FileNameMenu) X(FileSizeMenu) X(RenameFile)

enum class Entry {
#define ZELVO_ENUMERATOR(name) name,
  ZELVO_OPTION_ENTRIES(ZELVO_ENUMERATOR)
#undef ZELVO_ENUMERATOR
};

// The entry's persisted name ("BalLeft").
QString EntryName(Entry entry);
// The entry of a persisted name; empty for a name no entry has.
std::optional<Entry> EntryNamed(QStringView name);
// Skin chooser entry 1..10.
Entry SkinEntry(int number);

// The groups of entries of which at most one is ticked. Choosing an entry
// clears its group first.
enum class Category { Balance, Effects, PlayMode, Uniform, Volume, Tags, Transparency, Skin, Rating };

// The entries of a category in the order they are cleared.
const std::vector<Entry>& CategoryEntries(Category category);
// The category an entry belongs to; empty for stand-alone entries.
std::optional<Category> CategoryOf(Entry entry);

}  // namespace zelvo
