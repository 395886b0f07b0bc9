#pragma once

#include <QList>
#include <QPersistentModelIndex>
#include <QString>
#include <functional>

#include "base/hideable_window.h"

namespace zelvo {

class Boxes;
class PlaylistKeeper;
class TrackList;
struct PlayerState;

// "Delete this File Forever": removes the selected tracks' files from the
// disk after two confirmations, then their rows from the list.
class FileDeleter {
 public:
  // `stopDecoder` stops the decoder alone, so the playing file is let go.
  FileDeleter(Boxes& boxes, TrackList& tracks, PlayerState& state, PlaylistKeeper& keeper,
              HideableWindow& playlistWindow, std::function<void()> stopDecoder);

  // The whole flow: the playlist window is hidden and DialogOpen set across
  // both questions and the deleting. Only rows that were selected when the
  // first question was asked, and still are, lose their files. A file that
  // cannot be removed keeps its row and is named, with the system's reason,
  // in one box at the end; one that is gone already counts as removed. The
  // autosave is written (when "Realtime Playlist" is ticked) whatever the answers.
  void DeleteSelectedFiles();

 private:
  // A row the first question named, with the path it showed.
  struct DoomedRow {
    QPersistentModelIndex row;
    QString path;
  };

  // The two questions; true when both were answered Yes.
  bool Confirmed(const QString& doomedLines);
  // Removes the files of the doomed rows, in list order, then the rows whose
  // files went, in one pass. Returns a line for each file left behind.
  QString RemoveFiles(const QList<DoomedRow>& doomed);

  Boxes& boxes_;
  TrackList& tracks_;
  PlayerState& state_;
  PlaylistKeeper& keeper_;
  HideableWindow& playlistWindow_;
  std::function<void()> stopDecoder_;
};

}  // namespace zelvo
