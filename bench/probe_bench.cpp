#include <QFile>
#include <benchmark/benchmark.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>

#include "playback/media_probe.h"

// Probing tags and length, as setting a file name does (adding 5,000 tracks
// opens each once). Each measurement is followed by its anchor, bare TagLib
// FileRef reading artist, title and length of the same files; the goal is at
// most 1.15x the anchor's time. The set holds one VBR MP3 without a Xing
// header, whose length we take from a walk over its frames.

namespace zelvo {
namespace {

const char* const kFiles[] = {"chirp_cbr.mp3", "chirp_vbr_xing.mp3", "vbr_noxing.mp3", "stereo_lr.mp3",
                              "id3v1_only.mp3", "id3v23.mp3",         "id3v24.mp3",     "qq_title.mp3",
                              "no_author.mp3",  "no_title.mp3",       "chirp.wma"};

std::vector<QString> Paths() {
  std::vector<QString> paths;
  for (const char* name : kFiles) paths.push_back(QStringLiteral(ZELVO_TEST_DATA "/") + name);
  return paths;
}

void Probe(benchmark::State& state) {
  const std::vector<QString> paths = Paths();
  for (auto _ : state) {
    for (const QString& path : paths) {
      const MediaInfo info = ProbeMedia(path);
      benchmark::DoNotOptimize(info.duration);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(paths.size()));
}

void Probe_Anchor_TagLibFileRef(benchmark::State& state) {
  std::vector<QByteArray> names;
  for (const QString& path : Paths()) names.push_back(QFile::encodeName(path));
  for (auto _ : state) {
    for (const QByteArray& name : names) {
      TagLib::FileRef ref(name.constData());
      QString artist = QString::fromStdWString(ref.tag()->artist().toWString());
      QString title = QString::fromStdWString(ref.tag()->title().toWString());
      const int length = ref.audioProperties()->lengthInMilliseconds();
      benchmark::DoNotOptimize(artist);
      benchmark::DoNotOptimize(title);
      benchmark::DoNotOptimize(length);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(names.size()));
}

BENCHMARK(Probe)->Unit(benchmark::kMicrosecond);
BENCHMARK(Probe_Anchor_TagLibFileRef)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zelvo
