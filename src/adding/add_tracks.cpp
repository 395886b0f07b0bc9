#include "adding/add_tracks.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>
#include <vector>

#include "adding/audio_paths.h"
#include "adding/ordered_pool.h"
#include "base/boxes.h"
#include "base/layout.h"
#include "base/log.h"
#include "menus/options.h"
#include "base/player_state.h"
#include "platform/desktop.h"
#include "playback/audio_formats.h"
#include "playback/decoder.h"
#include "playback/duration_text.h"
#include "playback/media_probe.h"
#include "playback/playback.h"
#include "playback/playback_view.h"
#include "playlist/track_list.h"

namespace zelvo {
namespace {

// Events run at most this often during an add: often enough for the windows
// to repaint smoothly, rarely enough not to slow a large add down.
constexpr qint64 kEventsEveryMs = 30;

// What the probe tells about a file; whatever it cannot tell stays empty.
struct TrackFacts {
  QString author;
  QString title;
  double duration = 0;
};

// Runs on the tag-reading threads of an add.
TrackFacts ReadFacts(const TrackAdder::Prober& probe, const QString& path) {
  try {
    const MediaInfo info = probe(path);
    return {info.author, info.title, info.duration};
  } catch (const DecoderError& error) {
    qCWarning(lcApp).noquote() << "Adding a file that cannot be read as audio, named from its file name:"
                               << error.what();
    return {};
  }
}

// Whether the tags can name the track. A file picked alone has its tags
// trimmed before the test; in a group of files a tag of spaces counts.
bool TagsUsable(const TrackFacts& facts, bool trimTags) {
  const QString author = trimTags ? facts.author.trimmed() : facts.author;
  const QString title = trimTags ? facts.title.trimmed() : facts.title;
  // Titles an encoder could not read come out as question marks.
  return !author.isEmpty() && !title.isEmpty() && title.left(2) != QLatin1String("??");
}

bool IsBlank(const QString& text) { return text.trimmed().isEmpty(); }

QString FileNameOf(const QString& path) { return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1); }

// The folder of a path with its trailing separator; empty for a bare name.
QString FolderOf(const QString& path) { return path.left(path.lastIndexOf(QLatin1Char('/')) + 1); }

// The file name without its extension, however long that is. A name without
// one, or one that would leave only blanks, is kept whole, as a row needs a name.
QString NameFromFile(const QString& fileName) {
  const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
  const QString bare = fileName.left(dot);
  return dot > 0 && !IsBlank(bare) ? bare : fileName;
}

QString NameFromTags(const TrackFacts& facts) {
  return (facts.author + QStringLiteral(" - ") + facts.title).trimmed();
}

// The three filters of old first, then every kind Zelvo plays, then anything.
QString AddDialogFilter() {
  return QString::fromLatin1(kAddDialogFilter) + QLatin1Char('|') + AllSupportedAudioFilter() +
         QStringLiteral("|All Files (*.*)|*.*");
}

}  // namespace

TrackAdder::TrackAdder(Desktop& desktop, Prober probe, TrackList& tracks, PlayerState& state,
                       const Options& options, PlaybackView& view, Playback& playback,
                       NameCleaner cleanName, AutosaveWriter writeAutosave)
    : desktop_(desktop),
      probe_(std::move(probe)),
      tracks_(tracks),
      state_(state),
      options_(options),
      view_(view),
      playback_(playback),
      cleanName_(std::move(cleanName)),
      writeAutosave_(std::move(writeAutosave)) {}

void TrackAdder::AddTracks() {
  DialogOpenScope open(state_);
  FileDialogRequest request;
  request.title = QString::fromLatin1(kAddDialogTitle);
  request.initialFolder = state_.LastAddFolder;
  request.filter = AddDialogFilter();
  request.filterIndex = 1;
  request.multiSelect = true;
  request.mustExist = true;
  request.foldersToo = true;
  const std::optional<QStringList> chosen = desktop_.AskOpenFiles(request);
  const QStringList files =
      chosen ? ExpandToAudioFiles(*chosen, NamedFiles::KeepAll) : QStringList();

  if (files.isEmpty()) {
    // Nothing is added and playback goes on; the display shows the idle
    // title until the next track, while the playing name stays at hand for
    // the end of a seek.
    view_.SetDisplayCaption(kIdleTitle);
  } else {
    TakeIn(files, FolderOf(chosen->first()));
  }
  Finish();
}

int TrackAdder::AddPaths(const QStringList& paths) {
  const QStringList files = ExpandToAudioFiles(paths, NamedFiles::AudioOnly);
  if (files.isEmpty()) return 0;
  DialogOpenScope open(state_);
  const int first = tracks_.Count() + 1;
  TakeIn(files, FolderOf(QFileInfo(paths.first()).absoluteFilePath()));
  Finish();
  return first;
}

TrackEntry TrackAdder::NewRow(const QString& rawName, double seconds, const QString& path) const {
  const QString cleaned = cleanName_(rawName);
  TrackEntry entry;
  entry.name = IsBlank(cleaned) ? rawName : cleaned;
  entry.duration = DurationText(seconds);
  entry.path = path;
  entry.priority = QStringLiteral("0");
  return entry;
}

TrackEntry TrackAdder::DescribeListed(const ListedTrack& listed) const {
  if (!IsBlank(listed.title) && listed.seconds) return NewRow(listed.title, *listed.seconds, listed.path);
  // The file is opened only for what the playlist leaves out.
  TrackFacts facts;
  try {
    const MediaInfo info = probe_(listed.path);
    facts = {info.author, info.title, info.duration};
  } catch (const DecoderError& error) {
    qCWarning(lcApp) << "Cannot read" << listed.path << "named in a playlist:" << error.what();
  }
  QString raw = listed.title;
  if (IsBlank(raw))
    raw = options_.IsChecked(Entry::ID3Possible) && TagsUsable(facts, true) ? NameFromTags(facts)
                                                                        : NameFromFile(FileNameOf(listed.path));
  return NewRow(raw, listed.seconds.value_or(facts.duration), listed.path);
}

void TrackAdder::Finish() {
  view_.SetTrackProgressWidth(layout::kProgressEmpty);
  view_.ShowPlaylist();
  view_.SetDisplayAlignment(DisplayAlignment::Centre);
  view_.SetPlayerEnabled(true);
}

void TrackAdder::TakeIn(const QStringList& paths, const QString& fromFolder) {
  // Stop first: stopping resets the display, which then reports the add.
  playback_.StopTrack();
  view_.SetDisplayCaption(QString::fromLatin1(kAddPleaseWait));
  view_.HidePlaylist();
  view_.SetPlayerEnabled(false);
  view_.LetEventsRun();
  view_.SetPlaylistBusyCursor(true);

  const bool several = paths.size() > 1;
  if (several) view_.SetDisplayAlignment(DisplayAlignment::Left);
  const bool useTags = options_.IsChecked(Entry::ID3Possible);
  const int fullWidth = view_.DisplayWidth();

  // Rows are handed to the list in batches, always before events run, so
  // that whatever the events show already holds every file done so far.
  std::vector<TrackEntry> pending;
  auto flush = [&] {
    tracks_.Model().Append(std::move(pending));
    pending.clear();
  };
  QElapsedTimer sinceEvents;
  sinceEvents.start();
  auto letEventsRun = [&] {
    flush();
    view_.LetEventsRun();
    sinceEvents.restart();
  };
  // Tags are read on every core, in the order chosen; this thread names the
  // rows and keeps the windows painted while it waits for the next file.
  OrderedPool<TrackFacts> reading(static_cast<int>(paths.size()),
                                  [&](int i) { return ReadFacts(probe_, paths[i]); });

  for (int done = 0; done < paths.size(); ++done) {
    const QString& path = paths[done];
    const QString fileName = FileNameOf(path);
    while (!reading.WaitFor(done, std::chrono::milliseconds(std::max<qint64>(0, kEventsEveryMs - sinceEvents.elapsed()))))
      letEventsRun();
    const TrackFacts facts = reading.Take(done);
    if (several) {
      view_.SetDisplayCaption(QString::fromLatin1(kAddingPrefix) + fileName);
      view_.SetTrackProgressWidth(std::max(layout::kProgressEmpty,
                                           static_cast<int>(qint64(fullWidth) * done / paths.size())));
      if (sinceEvents.elapsed() >= kEventsEveryMs) letEventsRun();
    }

    const QString raw = useTags && TagsUsable(facts, !several) ? NameFromTags(facts) : NameFromFile(fileName);
    pending.push_back(NewRow(raw, facts.duration, path));
  }
  flush();

  view_.SetPlaylistBusyCursor(false);
  if (options_.IsChecked(Entry::RealPlayList)) writeAutosave_();
  view_.SetDisplayCaption(QString::fromLatin1(kAddComplete));
  if (!fromFolder.isEmpty()) state_.LastAddFolder = fromFolder;
}

}  // namespace zelvo
