#include "playlist/playlist_keeper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "base/boxes.h"
#include "base/log.h"
#include "base/option_values.h"
#include "base/player_state.h"
#include "playlist/track_list.h"
#include "storage/playlist_file.h"

namespace zelvo {

PlaylistKeeper::PlaylistKeeper(Boxes& boxes, TrackList& tracks, PlayerState& state, const OptionValues& options,
                               QString appFolder, HideableWindow& playlistWindow, std::function<void()> applyOptions)
    : boxes_(boxes),
      tracks_(tracks),
      state_(state),
      options_(options),
      appFolder_(std::move(appFolder)),
      playlistWindow_(playlistWindow),
      applyOptions_(std::move(applyOptions)) {}

QString PlaylistKeeper::AutosavePath() const { return QDir(appFolder_).filePath(kAutosaveName); }

UniformCase PlaylistKeeper::CaseMode() const {
  return {options_.IsChecked(Entry::UniAllCaps), options_.IsChecked(Entry::UniLower), options_.IsChecked(Entry::UniFirst)};
}

QString PlaylistKeeper::CleanName(const QString& name) const { return UniformName(name, CaseMode()); }

std::optional<std::vector<TrackEntry>> PlaylistKeeper::ForeignRows(const QString& path,
                                                                 ForeignPlaylistKind kind) const {
  const std::optional<std::vector<ListedTrack>> listed = ReadForeignPlaylist(path, kind);
  if (!listed) {
    qCWarning(lcPlaylist) << "Cannot read playlist" << path;
    return std::nullopt;
  }
  std::vector<TrackEntry> rows;
  rows.reserve(listed->size());
  for (const ListedTrack& track : *listed) {
    if (nameListed_) {
      rows.push_back(nameListed_(track));
    } else {  // nothing to read the files with: the playlist's word alone
      const QString name = track.title.isEmpty() ? QFileInfo(track.path).completeBaseName() : track.title;
      rows.push_back({CleanName(name), QStringLiteral("00:00"), track.path, QStringLiteral("0")});
    }
  }
  return rows;
}

void PlaylistKeeper::ReadPlaylistFile(const QString& path) {
  if (const ForeignPlaylistKind kind = ForeignPlaylistKindOf(path); kind != ForeignPlaylistKind::None) {
    std::optional<std::vector<TrackEntry>> rows = ForeignRows(path, kind);
    if (!rows) return;
    tracks_.Clear();
    tracks_.Model().Replace(std::move(*rows));
    return;
  }
  PlaylistReadResult read = zelvo::ReadPlaylistFile(path, CaseMode());
  switch (read.status) {
    case PlaylistReadResult::Missing:
      // There, but empty or unreadable: an earlier write may have been cut to
      // nothing. (Only a regular file is copied: a FIFO would block the copy.)
      if (QFileInfo(path).isFile()) {
        qCWarning(lcPlaylist) << "playlist file is empty or unreadable:" << path;
        KeepDamagedCopy(path);
      }
      return;
    case PlaylistReadResult::Invalid:
      KeepDamagedCopy(path);
      ReportInvalid(path);
      return;
    case PlaylistReadResult::V1:
    case PlaylistReadResult::V2:
      break;
  }
  if (read.cut) {
    // The rows that are there are kept; the whole file is kept aside too.
    qCWarning(lcPlaylist) << "playlist file ends in the middle of a line:" << path;
    KeepDamagedCopy(path);
  }
  tracks_.Model().Replace(std::move(read.rows));  // one reset, the selection going with the old rows
  if (!read.NeedsUpgrade()) return;
  QString error;
  if (!WritePlaylistFile(path, tracks_.Model().Entries(), &error)) return;  // stays V1; asked again next time
  boxes_.Show(QStringLiteral("The playlist file: ") + path +
                  QStringLiteral(" has been updated from and earlier version.\r"
                                 "> Added support for fuzzy logic playmode and advanced shuffle support.\r"
                                 "> This message will not apprear for this playlist again."),
              QStringLiteral("Playlist Upgraded"), MessageIcon::Exclamation, MessageButtons::Ok,
              AfterBox::KeepPlaylistHidden);
}

int PlaylistKeeper::AppendPlaylistFile(const QString& path) {
  TrackRows rows;
  if (const ForeignPlaylistKind kind = ForeignPlaylistKindOf(path); kind != ForeignPlaylistKind::None) {
    std::optional<std::vector<TrackEntry>> foreign = ForeignRows(path, kind);
    if (!foreign) return 0;
    rows = TrackRows(*foreign);
  } else {
    PlaylistReadResult read = zelvo::ReadPlaylistFile(path, CaseMode());
    if (read.status == PlaylistReadResult::Invalid) ReportInvalid(path);
    rows = std::move(read.rows);
  }
  const int count = static_cast<int>(rows.size());
  tracks_.Model().Append(std::move(rows));
  return count;
}

void PlaylistKeeper::ReportInvalid(const QString& path) {
  qCWarning(lcPlaylist) << "not a playlist file:" << path;
  boxes_.Show(QStringLiteral("This file does not appear to be a valid playlist!\rThe file my be damaged or corrupt ..."),
              path, MessageIcon::Critical);
}

void PlaylistKeeper::KeepDamagedCopy(const QString& path) {
  // The next autosave replaces the file; the user's old list must survive it.
  if (QFileInfo(path).absoluteFilePath() != QFileInfo(AutosavePath()).absoluteFilePath()) return;
  const QString copy = path + QStringLiteral(".bad");
  QFile::remove(copy);
  if (QFile::copy(path, copy))
    qCWarning(lcPlaylist) << "damaged playlist" << path << "kept as" << copy;
  else
    qCWarning(lcPlaylist) << "damaged playlist" << path << "could not be kept as" << copy;
}

bool PlaylistKeeper::WriteAutosave() {
  QString error;
  if (WritePlaylistFile(AutosavePath(), tracks_.Model().Entries(), &error)) return true;
  qCWarning(lcPlaylist) << "autosave failed" << AutosavePath() << error;
  if (!autosaveFailureTold_) {
    autosaveFailureTold_ = true;
    boxes_.Show(QStringLiteral("Zelvo could not save the playlist to ") + AutosavePath() + QStringLiteral(":\r") +
                    error + QStringLiteral("\rThe list stays as it is while Zelvo runs; save it with the Save button."),
                QStringLiteral("Playlist Not Saved"), MessageIcon::Exclamation);
  }
  return false;
}

void PlaylistKeeper::WriteAutosaveIfRealtime() {
  if (options_.IsChecked(Entry::RealPlayList)) WriteAutosave();
}

FileDialogRequest PlaylistKeeper::DialogRequest(const QString& title) const {
  FileDialogRequest request;
  request.title = title;
  request.initialFolder = appFolder_;
  request.filter = kPlaylistFilter;
  return request;
}

void PlaylistKeeper::SavePlaylistAs() {
  if (tracks_.Count() == 0) return;
  std::optional<QString> chosen;
  {
    DialogOpenScope open(state_);
    FileDialogRequest request = DialogRequest(QStringLiteral("Save As ... Playlist"));
    request.overwritePrompt = true;
    request.defaultSuffix = QStringLiteral("zpl");
    chosen = boxes_.desktop().AskSaveFile(request);
  }
  if (!chosen) return;
  QString error;
  const bool written = ForeignPlaylistKindOf(*chosen) == ForeignPlaylistKind::M3u
                           ? WriteM3u8File(*chosen, tracks_.Model().Entries(), &error)
                           : WritePlaylistFile(*chosen, tracks_.Model().Entries(), &error);
  if (!written)
    boxes_.Show(QStringLiteral("The playlist could not be saved to ") + *chosen + QStringLiteral(":\r") + error,
                QStringLiteral("Save As ... Playlist"), MessageIcon::Critical);
}

void PlaylistKeeper::OpenPlaylist() {
  std::optional<QStringList> chosen;
  {
    DialogOpenScope open(state_);
    FileDialogRequest request = DialogRequest(QStringLiteral("Load Playlist ..."));
    request.filter += kForeignPlaylistFilter;
    request.mustExist = true;
    chosen = boxes_.desktop().AskOpenFiles(request);
  }
  if (chosen && !chosen->isEmpty()) ReadPlaylistFile(chosen->constFirst());
}

void PlaylistKeeper::UniformPlaylist() {
  playlistWindow_.Show();
  // The new names replace the old ones in place; selection and cursor stay.
  const UniformCase mode = CaseMode();
  for (int row = 0; row < tracks_.Count(); ++row) {
    const QString name = tracks_.Model().Entries().Name(static_cast<size_t>(row));
    const QString cleaned = UniformName(name, mode);
    if (cleaned != name) tracks_.Model().SetName(row, cleaned);
  }
  WriteAutosave();
}

void PlaylistKeeper::EraseSelectedTracks() {
  tracks_.EraseSelected();
  WriteAutosaveIfRealtime();
}

void PlaylistKeeper::ClearEntirePlaylist() {
  const MessageAnswer answer = boxes_.Show(QStringLiteral("Are you sure you want to clear the entire playlist?"),
                                           QStringLiteral("Clear Playlist?"), MessageIcon::Exclamation,
                                           MessageButtons::YesNo, AfterBox::KeepPlaylistHidden);
  if (answer == MessageAnswer::Yes) {
    tracks_.Clear();
    WriteAutosaveIfRealtime();
    applyOptions_();
  }
  playlistWindow_.Show();
}

}  // namespace zelvo
