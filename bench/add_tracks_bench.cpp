#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <benchmark/benchmark.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>

#include "menus/options.h"
#include "base/player_state.h"
#include "platform/desktop.h"
#include "playback/ffmpeg_decoder.h"
#include "playback/playback.h"
#include "playback/random_source.h"
#include "adding/add_tracks.h"
#include "playlist/track_list.h"
#include "base/uniform_name.h"
#include "storage/playlist_file.h"
#include "recording_view.h"

// Adding 5,000 files, from the dialog's answer to the rows in the list and the
// autosave written, followed by its anchor: a bare TagLib loop reading artist,
// title and length of the same files. Then the same for a folder tree of
// mixed formats chosen whole, the walk included. Each add must stay within
// 1.5x of its anchor, and the windows must get to repaint at least every 50 ms meanwhile
// (the counter max_gap_ms).

namespace zelvo {
namespace {

constexpr int kFiles = 5000;

// Copies of the committed fixtures in a temporary folder, each given its own
// artist and title.
class TaggedFiles {
 public:
  const QStringList& Paths() const { return paths_; }
  QString Folder() const { return dir_.path(); }

 protected:
  void AddCopy(const QString& source, const QString& path, const QString& artist, const QString& title) {
    QFile::copy(QStringLiteral(ZELVO_TEST_DATA "/") + source, path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    TagLib::FileRef file(QFile::encodeName(path).constData());
    file.tag()->setArtist(TagLib::String(artist.toStdString(), TagLib::String::UTF8));
    file.tag()->setTitle(TagLib::String(title.toStdString(), TagLib::String::UTF8));
    file.save();
    paths_ << path;
  }
  QTemporaryDir dir_;

 private:
  QStringList paths_;
};

// All in one folder, as picked in the file dialog.
class TaggedCopies : public TaggedFiles {
 public:
  TaggedCopies() {
    const QStringList sources = {"chirp_cbr.mp3", "id3v23.mp3", "id3v24.mp3", "chirp_vbr_xing.mp3",
                                 "chirp.wma"};
    for (int i = 0; i < kFiles; ++i) {
      const QString source = sources[i % sources.size()];
      const QString path = dir_.filePath(QStringLiteral("%1 %2").arg(i, 4, 10, QChar('0')).arg(source));
      AddCopy(source, path, QStringLiteral("Artist %1").arg(i % 300), QStringLiteral("Song_%1 [live]").arg(i));
    }
  }
};

const TaggedCopies& Copies() {
  static const TaggedCopies copies;
  return copies;
}

// A music folder as people keep one: 250 album folders of 20 tracks in
// MP3, WMA, FLAC and Ogg Vorbis, numbered "1 - " to "20 - ", with a cover
// picture in each that the walk must pass over.
class AlbumTree : public TaggedFiles {
 public:
  AlbumTree() {
    const QStringList sources = {"chirp_cbr.mp3", "chirp.wma", "tone.flac", "tone.ogg"};
    for (int album = 0; album < kFiles / 20; ++album) {
      const QString folder = dir_.filePath(QStringLiteral("Artist %1/Album %2").arg(album / 10).arg(album));
      QDir().mkpath(folder);
      QFile::copy(QStringLiteral(ZELVO_TEST_DATA "/chirp.wma"), folder + QStringLiteral("/cover.jpg"));
      for (int track = 1; track <= 20; ++track) {
        const QString source = sources[(album + track) % sources.size()];
        const QString path = QStringLiteral("%1/%2 - Song.%3").arg(folder).arg(track).arg(QFileInfo(source).suffix());
        AddCopy(source, path, QStringLiteral("Artist %1").arg(album / 10), QStringLiteral("Song %1").arg(track));
      }
    }
  }
};

const AlbumTree& Tree() {
  static const AlbumTree tree;
  return tree;
}

// The dialog answers with every copy at once.
class AnsweringDesktop : public Desktop {
 public:
  explicit AnsweringDesktop(QStringList paths) : paths_(std::move(paths)) {}
  MessageAnswer ShowMessage(const QString&, const QString&, MessageIcon, MessageButtons) override {
    return MessageAnswer::Ok;
  }
  std::optional<QStringList> AskOpenFiles(const FileDialogRequest&) override { return paths_; }
  std::optional<QString> AskSaveFile(const FileDialogRequest&) override { return std::nullopt; }
  void Beep() override {}
  bool OpenWithDefaultApp(const QString&) override { return false; }
  QPoint CursorPos() override { return {}; }
  QSizeF ScreenSizeTwips() override { return {19200, 14400}; }
  double TwipsPerPixelX() override { return 15; }
  double ScreenLeftTwips() override { return 0; }
  double ScreenTopTwips() override { return 0; }
  double TwipsPerPixelY() override { return 15; }
  bool TranslucentWindowsPossible() override { return true; }

 private:
  QStringList paths_;
};

// Adds the dialog's answer to a fresh list each round, the events running as
// the windows would run them, and notes the longest time the windows went
// without them. `complete` checks each round's list.
void TimeAdd(benchmark::State& state, const QStringList& answer, const QString& autosave,
             const std::function<bool(const TrackList&)>& complete) {
  std::unique_ptr<Decoder> decoder = CreateSystemDecoder();
  Options options;
  AnsweringDesktop desktop(answer);
  qint64 maxGapMs = 0;
  for (auto _ : state) {
    state.PauseTiming();
    TrackList tracks;
    PlayerState player;
    test::RecordingView view;
    QElapsedTimer sinceEvents;
    view.onEvents = [&] {
      if (sinceEvents.isValid()) maxGapMs = std::max(maxGapMs, sinceEvents.elapsed());
      QCoreApplication::processEvents();
      sinceEvents.start();
    };
    RandomSource random;
    Playback playback(*decoder, tracks, player, options, view, random);
    TrackAdder adder(
        desktop, ProbeTagsAndLength, tracks, player, options, view, playback,
        [](const QString& name) { return UniformName(name, {.firstLetter = true}); },
        [&] { WritePlaylistFile(autosave, tracks.Model().Entries()); });
    state.ResumeTiming();

    adder.AddTracks();

    state.PauseTiming();
    if (!complete(tracks)) state.SkipWithError("add incomplete");
    state.ResumeTiming();
  }
  state.counters["max_gap_ms"] = double(maxGapMs);
  state.SetItemsProcessed(state.iterations() * kFiles);
}

void AddTracks5000(benchmark::State& state) {
  const TaggedCopies& copies = Copies();
  const QString autosave = QDir(copies.Folder()).filePath("AutoSave.zpl");
  TimeAdd(state, copies.Paths(), autosave,
          [&](const TrackList& tracks) { return tracks.Count() == kFiles && QFile::exists(autosave); });
}

// The same add with the tree's top folder chosen in the dialog: the walk is
// part of the time.
void AddFolderTree5000(benchmark::State& state) {
  QTemporaryDir program;
  TimeAdd(state, {Tree().Folder()}, QDir(program.path()).filePath("AutoSave.zpl"), [](const TrackList& tracks) {
    return tracks.Count() == kFiles && tracks.At(1).name == QStringLiteral("Artist 0 - Song 1");
  });
}

void ReadWithTagLib(benchmark::State& state, const QStringList& paths) {
  for (auto _ : state) {
    for (const QString& path : paths) {
      TagLib::FileRef file(QFile::encodeName(path).constData());
      if (file.isNull() || !file.tag() || !file.audioProperties()) {
        state.SkipWithError("TagLib could not read a copy");
        break;
      }
      benchmark::DoNotOptimize(file.tag()->artist());
      benchmark::DoNotOptimize(file.tag()->title());
      benchmark::DoNotOptimize(file.audioProperties()->lengthInMilliseconds());
    }
  }
  state.SetItemsProcessed(state.iterations() * kFiles);
}

void AddTracks5000_Anchor_TagLib(benchmark::State& state) { ReadWithTagLib(state, Copies().Paths()); }
void AddFolderTree5000_Anchor_TagLib(benchmark::State& state) { ReadWithTagLib(state, Tree().Paths()); }

}  // namespace
}  // namespace zelvo

// Real time: the add lets events run and the decoder works beside it.
BENCHMARK(zelvo::AddTracks5000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinWarmUpTime(0.5);
BENCHMARK(zelvo::AddTracks5000_Anchor_TagLib)->Unit(benchmark::kMillisecond)->UseRealTime()->MinWarmUpTime(0.5);
BENCHMARK(zelvo::AddFolderTree5000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinWarmUpTime(0.5);
BENCHMARK(zelvo::AddFolderTree5000_Anchor_TagLib)->Unit(benchmark::kMillisecond)->UseRealTime()->MinWarmUpTime(0.5);
