#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "platform/desktop.h"
#include "base/uniform_name.h"

namespace zelvo {

class Boxes;
class Options;
class TrackList;
struct PlayerState;

inline const QString kAutosaveName = QStringLiteral("AutoSave.zpl");
inline const QString kPlaylistFilter = QStringLiteral("Zelvo Playlist Files (*.zpl)|*.zpl|All Files (*.*)|*.*");

// Keeps the track list and the playlist files in step: reads a file into the
// list (upgrading old files), writes the autosave file after every change
// when "Realtime Playlist" is ticked, saves and loads through the dialogs,
// re-cleans every name in a new case style, and erases or clears rows.
class PlaylistKeeper {
 public:
  PlaylistKeeper(Boxes& boxes, TrackList& tracks, PlayerState& state, const Options& options,
                 QString appFolder, QWidget& playlistWindow, std::function<void()> applyOptions);

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
  void ReadPlaylistFile(const QString& path);

  // Writes the autosave file now. A failure is told to the user once per run.
  bool WriteAutosave();
  void WriteAutosaveIfRealtime();

  void SavePlaylistAs();
  void OpenPlaylist();
  // Re-cleans every name in the ticked case style, then writes the autosave.
  void UniformPlaylist();
  void EraseSelectedTracks();
  // "Clear this entire Playlist", after asking.
  void ClearEntirePlaylist();

 private:
  void KeepDamagedCopy(const QString& path);
  // The save and load dialogs: playlist files, opening in the program's folder.
  FileDialogRequest DialogRequest(const QString& title) const;

  Boxes& boxes_;
  TrackList& tracks_;
  PlayerState& state_;
  const Options& options_;
  QString appFolder_;
  QWidget& playlistWindow_;
  std::function<void()> applyOptions_;
  bool autosaveFailureTold_ = false;
};

}  // namespace zelvo
