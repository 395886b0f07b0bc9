#include "base/option_entry.h"

#include <QHash>
#include <algorithm>
#include <array>

namespace zelvo {
namespace {

#define ZELVO_NAME(name) QStringLiteral(#name),
const QString kNames[] = {ZELVO_OPTION_ENTRIES(ZELVO_NAME)};
#undef ZELVO_NAME

struct CategoryTable {
  Category category;
  std::vector<Entry> entries;
};

const std::array<CategoryTable, 9>& Categories() {
  using enum Entry;
  static const std::array<CategoryTable, 9> categories = {{
      {Category::Balance, {BalLeft, BalLHalf, BalMiddle, BalRHalf, BalRight}},
      {Category::Effects, {ClassicSE, NormalSE, DanceSE}},
      {Category::PlayMode, {NormalPlay, ShufflePlay, FuzzyPlay}},
      {Category::Uniform, {UniAllCaps, UniFirst, UniLower}},
      {Category::Volume, {MuteVol, LowVol, MedVol, HighVol, FullVol}},
      {Category::Tags, {ID3Possible, ID3Disable}},
      {Category::Transparency, {Trans100, Trans200, Trans150, Trans254}},
      {Category::Skin, {Skin1, Skin2, Skin3, Skin4, Skin5, Skin6, Skin7, Skin8, Skin9, Skin10}},
      {Category::Rating, {FuzVHigh, FuzHigh, FuzNorm, FuzLow, FuzVLow}},
  }};
  return categories;
}

}  // namespace

QString EntryName(Entry entry) { return kNames[static_cast<int>(entry)]; }

std::optional<Entry> EntryNamed(QStringView name) {
  static const QHash<QString, Entry> byName = [] {
    QHash<QString, Entry> table;
    for (int i = 0; i < int(std::size(kNames)); ++i) table.insert(kNames[i], static_cast<Entry>(i));
    return table;
  }();
  const auto it = byName.constFind(name.toString());
  if (it == byName.cend()) return std::nullopt;
  return *it;
}

Entry SkinEntry(int number) {
  Q_ASSERT(number >= 1 && number <= 10);
  return static_cast<Entry>(static_cast<int>(Entry::Skin1) + number - 1);
}

const std::vector<Entry>& CategoryEntries(Category category) {
  for (const CategoryTable& table : Categories())
    if (table.category == category) return table.entries;
  Q_UNREACHABLE();
}

std::optional<Category> CategoryOf(Entry entry) {
  for (const CategoryTable& table : Categories())
    if (std::find(table.entries.begin(), table.entries.end(), entry) != table.entries.end()) return table.category;
  return std::nullopt;
}

}  // namespace zelvo
