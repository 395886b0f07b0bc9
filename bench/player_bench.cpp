#include <QCoreApplication>
#include <algorithm>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "app/player.h"
#include "scripted_decoder.h"
#include "scripted_desktop.h"
#include "playlist/sort_rows.h"
#include "process_memory.h"
#include "storage/playlist_file.h"

// Start-up with a large autosave file (window shown with the list filled,
// within 1 s for 100,000 rows), erasing half of such a list (within 100 ms),
// and sorting it with half its rows selected, the selection kept. Each is
// followed by its anchor: the bare work of reading the same file, of
// compacting the same rows in a plain vector, and of sorting them there.

namespace zelvo {
namespace {

std::vector<TrackEntry> ManyRows(int count) {
  std::vector<TrackEntry> rows;
  rows.reserve(count);
  for (int i = 0; i < count; ++i)
    rows.push_back({QStringLiteral("Artist %1 - Title Of Song %2").arg(i % 700).arg(i), "03:41",
                    QStringLiteral("/home/user/Music/Artist %1/Song %2.mp3").arg(i % 700).arg(i), "0"});
  return rows;
}

void StartUpWithLargeAutosave(benchmark::State& state) {
  QTemporaryDir folder;
  WritePlaylistFile(folder.filePath("AutoSave.zpl"), ManyRows(int(state.range(0))));
  test::ScriptedDesktop desktop;
  for (auto _ : state) {
    auto player = std::make_unique<Player>(desktop, std::make_unique<test::ScriptedDecoder>(), AppFolders::Portable(folder.path()),
                                           [] {});
    player->Start();
    QCoreApplication::processEvents();  // the first paint of both windows
    if (player->tracks().Count() != state.range(0)) state.SkipWithError("list not filled");
    state.PauseTiming();  // tearing the windows down is no part of start-up
    player.reset();
    state.ResumeTiming();
  }
}

void StartUpWithLargeAutosave_Anchor_ReadFile(benchmark::State& state) {
  QTemporaryDir folder;
  WritePlaylistFile(folder.filePath("AutoSave.zpl"), ManyRows(int(state.range(0))));
  for (auto _ : state) {
    QFile file(folder.filePath("AutoSave.zpl"));
    file.open(QIODevice::ReadOnly);
    benchmark::DoNotOptimize(QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n")));
  }
}

// The autosave file of ManyRows(count), written straight from the texts so
// that no list of rows is left behind in this process's memory.
void WriteManyRowsAutosave(const QString& path, int count) {
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write("\"" + kPlaylistHeaderV2.toUtf8() + "\"\r\n");
  QByteArray chunk;
  for (int i = 0; i < count; ++i) {
    chunk += QStringLiteral("\"Artist %1 - Title Of Song %2|03:41|/home/user/Music/Artist %1/Song %2.mp3|0\"\r\n")
                 .arg(i % 700)
                 .arg(i)
                 .toUtf8();
    if (chunk.size() > (1 << 20)) file.write(std::exchange(chunk, {}));
  }
  file.write(chunk);
}

// Resident memory of start-up with a large autosave: the peak while the file
// is read and the list filled (VmHWM), and what stays once the windows are
// up and idle (VmRSS), beside the same before start-up and the size of the
// file itself. The peak is the process's own: run it alone
// (--benchmark_filter=MemoryOfStartUp).
void MemoryOfStartUpWithLargeAutosave(benchmark::State& state) {
  QTemporaryDir folder;
  const QString path = folder.filePath("AutoSave.zpl");
  WriteManyRowsAutosave(path, int(state.range(0)));
  test::ScriptedDesktop desktop;
  for (auto _ : state) {
    QFile peakReset(QStringLiteral("/proc/self/clear_refs"));
    if (peakReset.open(QIODevice::WriteOnly)) peakReset.write("5");
    peakReset.close();
    state.counters["before_MB"] = StatusMegabytes("VmRSS:");
    auto player = std::make_unique<Player>(desktop, std::make_unique<test::ScriptedDecoder>(),
                                           AppFolders::Portable(folder.path()), [] {});
    player->Start();
    QCoreApplication::processEvents();
    if (player->tracks().Count() != state.range(0)) state.SkipWithError("list not filled");
    state.counters["peak_MB"] = StatusMegabytes("VmHWM:");
    state.counters["idle_MB"] = StatusMegabytes("VmRSS:");
    state.counters["_Anchor_file_MB"] = double(QFileInfo(path).size()) / (1 << 20);
  }
}

void SelectEverySecondRow(TrackList& tracks) {
  QItemSelection every2nd;
  for (int row = 0; row < tracks.Count(); row += 2)
    every2nd.append(QItemSelectionRange(tracks.Model().index(row, 0), tracks.Model().index(row, 3)));
  tracks.Selection().select(every2nd, QItemSelectionModel::Select);
}

// Times `work` on a fresh list of range(0) rows with every second one
// selected; making the list is not timed.
template <typename Work>
void OnHalfSelectedList(benchmark::State& state, Work work) {
  const int count = int(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    TrackList tracks;
    tracks.Model().Replace(ManyRows(count));
    SelectEverySecondRow(tracks);
    state.ResumeTiming();
    work(tracks, count);
  }
}

// The same for the anchors: `work` gets the rows in a plain vector.
template <typename Work>
void OnPlainRows(benchmark::State& state, Work work) {
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<TrackEntry> rows = ManyRows(int(state.range(0)));
    state.ResumeTiming();
    work(rows);
    benchmark::DoNotOptimize(rows);
  }
}

void EraseHalfOfTheRows(benchmark::State& state) {
  OnHalfSelectedList(state, [&](TrackList& tracks, int count) {
    tracks.EraseSelected();
    if (tracks.Count() != count / 2) state.SkipWithError("wrong rows erased");
  });
}

void EraseHalfOfTheRows_Anchor_VectorCompaction(benchmark::State& state) {
  OnPlainRows(state, [](std::vector<TrackEntry>& rows) {
    size_t kept = 0;
    for (size_t row = 0; row < rows.size(); ++row)
      if (row % 2) rows[kept++] = std::move(rows[row]);
    rows.resize(kept);
  });
}

void SortByPathWithHalfSelected(benchmark::State& state) {
  OnHalfSelectedList(state, [&](TrackList& tracks, int count) {
    SortRows(tracks, PathColumn, false);
    if (tracks.CountSelected() != (count + 1) / 2) state.SkipWithError("selection lost");
  });
}

void SortByPathWithHalfSelected_Anchor_VectorSort(benchmark::State& state) {
  OnPlainRows(state, [](std::vector<TrackEntry>& rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const TrackEntry& a, const TrackEntry& b) {
      return a.path.compare(b.path, Qt::CaseInsensitive) > 0;
    });
  });
}

BENCHMARK(StartUpWithLargeAutosave)->Arg(5000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(StartUpWithLargeAutosave_Anchor_ReadFile)->Arg(5000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(MemoryOfStartUpWithLargeAutosave)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(EraseHalfOfTheRows)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(EraseHalfOfTheRows_Anchor_VectorCompaction)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(SortByPathWithHalfSelected)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(SortByPathWithHalfSelected_Anchor_VectorSort)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace zelvo
