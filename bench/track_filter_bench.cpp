#include <benchmark/benchmark.h>
#include <malloc.h>

#include "playlist/track_filter.h"
#include "playlist/track_list_model.h"
#include "process_memory.h"

// One key in the "Jump to Track" window: the filter over 100,000 rows must
// answer well under 50 ms, and over a million stay interactive. Opening the
// window folds every row once; what that folding keeps is counted too. Its anchor is the bare loop of
// QString::contains(Qt::CaseInsensitive) over the same names and paths,
// which knows nothing of accents or word order.

namespace zelvo {
namespace {

TrackRows TypicalRows(int count) {
  TrackRows rows;
  rows.reserve(size_t(count));
  for (int i = 0; i < count; ++i) {
    const QString artist = i % 9 ? QStringLiteral("Artist %1").arg(i % 700) : QStringLiteral("Émile Café %1").arg(i % 70);
    const QString title = QStringLiteral("Title Of Song %1").arg(i);
    rows.push_back({artist + " - " + title, "03:41",
                    QStringLiteral("/home/user/Music/%1/Album/%2 - %3.mp3").arg(artist).arg(i % 20).arg(title), "0"});
  }
  return rows;
}

// The typed text grows a key at a time, as the user types it.
const QString kTyped = QStringLiteral("cafe song 12");

void FilterOneKey(benchmark::State& state) {
  TrackListModel model;
  model.Replace(TypicalRows(int(state.range(0))));
  TrackFilter filter(model);
  filter.Match({});  // folding the rows belongs to opening the window
  int length = 0;
  for (auto _ : state) {
    length = length % kTyped.size() + 1;
    benchmark::DoNotOptimize(filter.Match(kTyped.left(length)));
  }
}

void FilterOneKey_Anchor_ContainsLoop(benchmark::State& state) {
  std::vector<TrackEntry> rows;
  for (const TrackEntry& row : TypicalRows(int(state.range(0)))) rows.push_back(row);
  int length = 0;
  for (auto _ : state) {
    length = length % kTyped.size() + 1;
    const QString typed = kTyped.left(length);
    std::vector<int> found;
    for (size_t row = 0; row < rows.size(); ++row)
      if (rows[row].name.contains(typed, Qt::CaseInsensitive) || rows[row].path.contains(typed, Qt::CaseInsensitive))
        found.push_back(static_cast<int>(row));
    benchmark::DoNotOptimize(found);
  }
}

void FilterOpening(benchmark::State& state) {
  TrackListModel model;
  model.Replace(TypicalRows(int(state.range(0))));
  for (auto _ : state) {
    malloc_trim(0);  // what an earlier round freed is not counted as kept
    const double before = StatusMegabytes("VmRSS:");
    TrackFilter filter(model);
    benchmark::DoNotOptimize(filter.Match({}));
    state.counters["kept_MB"] = StatusMegabytes("VmRSS:") - before;
  }
}

BENCHMARK(FilterOneKey)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(FilterOneKey_Anchor_ContainsLoop)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(FilterOpening)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelvo
