#pragma once

#include <QString>
#include <functional>

#include "base/hideable_window.h"
#include "platform/desktop.h"
#include "base/track_entry.h"
#include "base/uniform_name.h"
#include "storage/foreign_playlist.h"

namespace zelvo {

class Boxes;
class OptionValues;
class TrackList;
struct PlayerState;

inline const QString kAutosaveName = QStringLiteral("AutoSave.zpl");
inline const QString kPlaylistFilter = QStringLiteral("Zelvo Playlist Files (*.zpl)|*.zpl|All Files (*.*)|*.*");
// Offered after those by the load dialog.
inline const QString kForeignPlaylistFilter = QStringLiteral("|M3U and PLS Playlists|*.m3u;*.m3u8;*.pls");

// Keeps the track list and the playlist files in step: reads a file into the
// list (upgrading old files), writes the autosave file after every change
// when "Realtime Playlist" is ticked, saves and loads through the dialogs,
// re-cleans every name in a new case style, and erases or clears rows.
class PlaylistKeeper {
 public:
  PlaylistKeeper(Boxes& boxes, TrackList& tracks, PlayerState& state, const OptionValues& options,
                 QString appFolder, HideableWindow& playlistWindow, std::function<void()> applyOptions);

  // Makes the row for an entry of an M3U or PLS playlist (name, length).
  using ListedTrackNamer = std::function<TrackEntry(const ListedTrack&)>;
  void SetListedTrackNamer(ListedTrackNamer namer) { nameListed_ = std::move(namer); }

  QString AutosavePath() const;
  // The case styles ticked in the menu right now.
  UniformCase CaseMode() const;
  QString CleanName(const QString& name) const;

  // Fills the list from a playlist file. A file that is missing or empty
  // leaves the list as it is; an invalid one is reported (the path as the
  // box's title) and also leaves the list alone. An autosave file that is
  // empty, invalid or cut short is copied aside ("AutoSave.zpl.bad") before
  // it can be overwritten. An old-format file is rewritten in the current
  // format and the user told once.
  // M3U, M3U8 and PLS files (known by their extension) are read too.
  void ReadPlaylistFile(const QString& path);
  // Adds the rows of a playlist file of any kind to the end of the list,
  // leaving the file as it is. Returns how many rows came in.
  int AppendPlaylistFile(const QString& path);

  // Writes the autosave file now. A failure is told to the user once per run.
  bool WriteAutosave();
  void WriteAutosaveIfRealtime();

  // Writes M3U8 when the chosen name ends in ".m3u8" or ".m3u", Zelvo's own
  // format otherwise; a name typed without an extension gets ".zpl".
  void SavePlaylistAs();
  void OpenPlaylist();
  // Re-cleans every name in the ticked case style, then writes the autosave.
  void UniformPlaylist();
  void EraseSelectedTracks();
  // "Clear this entire Playlist", after asking.
  void ClearEntirePlaylist();

 private:
  void KeepDamagedCopy(const QString& path);
  void ReportInvalid(const QString& path);
  std::optional<std::vector<TrackEntry>> ForeignRows(const QString& path, ForeignPlaylistKind kind) const;
  // The save and load dialogs: playlist files, opening in the program's folder.
  FileDialogRequest DialogRequest(const QString& title) const;

  Boxes& boxes_;
  TrackList& tracks_;
  PlayerState& state_;
  const OptionValues& options_;
  QString appFolder_;
  HideableWindow& playlistWindow_;
  std::function<void()> applyOptions_;
  bool autosaveFailureTold_ = false;
  ListedTrackNamer nameListed_;
};

}  // namespace zelvo
