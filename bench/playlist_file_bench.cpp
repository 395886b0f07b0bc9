#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "storage/playlist_file.h"

// Each measurement is followed by its anchor, the bare Qt work it is held
// against: writing must stay within 2x of QSaveFile writing the same bytes
// (5,000 rows within 10 ms), and reading a 100,000-row autosave with
// uniformation must leave start-up well inside its 1 s budget.

namespace zelvo {
namespace {

TrackRows TypicalRows(int count) {
  TrackRows rows;
  rows.reserve(count);
  for (int i = 0; i < count; ++i) {
    const QString artist = QStringLiteral("Artist %1").arg(i % 700);
    const QString title = QStringLiteral("Title Of Song %1").arg(i);
    rows.push_back({i % 3 ? artist + " - " + title : title, "03:41",
                    QStringLiteral("/home/user/Music/%1/Album/%2 - %3.mp3").arg(artist).arg(i % 20).arg(title),
                    QString::number(i % 5 - 2)});
  }
  return rows;
}

// An autosave file of typical rows in a folder of its own.
struct SavedPlaylist {
  explicit SavedPlaylist(int rowCount) : rows(TypicalRows(rowCount)) { WritePlaylistFile(path, rows); }
  QTemporaryDir dir;
  QString path = dir.filePath("AutoSave.zpl");
  TrackRows rows;
};

void WritePlaylist(benchmark::State& state) {
  SavedPlaylist saved(int(state.range(0)));
  for (auto _ : state)
    if (!WritePlaylistFile(saved.path, saved.rows)) state.SkipWithError("write failed");
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void WritePlaylist_Anchor_QSaveFile(benchmark::State& state) {
  SavedPlaylist saved(int(state.range(0)));
  QFile written(saved.path);
  written.open(QIODevice::ReadOnly);
  const QByteArray bytes = written.readAll();
  for (auto _ : state) {
    QSaveFile file(saved.path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
      state.SkipWithError("write failed");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void ReadPlaylist(benchmark::State& state) {
  SavedPlaylist saved(int(state.range(0)));
  for (auto _ : state) {
    PlaylistReadResult read = ReadPlaylistFile(saved.path, UniformCase{.firstLetter = true});
    if (read.rows.size() != size_t(state.range(0))) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(read);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Reading the bytes, decoding them and splitting the lines: what any reader
// of the file pays before looking at a field.
void ReadPlaylist_Anchor_DecodeAndSplitLines(benchmark::State& state) {
  SavedPlaylist saved(int(state.range(0)));
  for (auto _ : state) {
    QFile file(saved.path);
    file.open(QIODevice::ReadOnly);
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    benchmark::DoNotOptimize(lines);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(WritePlaylist)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(WritePlaylist_Anchor_QSaveFile)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(WritePlaylist)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(WritePlaylist_Anchor_QSaveFile)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadPlaylist)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadPlaylist_Anchor_DecodeAndSplitLines)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelvo
