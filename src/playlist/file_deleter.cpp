#include "playlist/file_deleter.h"

#include <QCoreApplication>

#include "base/boxes.h"
#include "base/log.h"
#include "base/player_state.h"
#include "platform/file_removal.h"
#include "playlist/playlist_keeper.h"
#include "playlist/track_list.h"

namespace zelvo {

FileDeleter::FileDeleter(Boxes& boxes, TrackList& tracks, PlayerState& state, PlaylistKeeper& keeper,
                         HideableWindow& playlistWindow, std::function<void()> stopDecoder)
    : boxes_(boxes),
      tracks_(tracks),
      state_(state),
      keeper_(keeper),
      playlistWindow_(playlistWindow),
      stopDecoder_(std::move(stopDecoder)) {}

void FileDeleter::DeleteSelectedFiles() {
  if (tracks_.Count() == 0) return;
  QList<DoomedRow> doomed;
  QString doomedLines;
  for (int position : tracks_.SelectedPositions()) {
    const QString path = tracks_.At(position).path;
    doomed.append({QPersistentModelIndex(tracks_.Model().index(position - 1, 0)), path});
    doomedLines += QLatin1Char('\r') + path;
  }
  playlistWindow_.Hide();
  {
    DialogOpenScope open(state_);
    QCoreApplication::processEvents();  // the playlist window is gone before the box comes up
    QString leftBehind;
    if (Confirmed(doomedLines)) {
      stopDecoder_();
      leftBehind = RemoveFiles(doomed);
    }
    keeper_.WriteAutosaveIfRealtime();
    if (!leftBehind.isEmpty())
      boxes_.Show(QStringLiteral("These files could not be deleted and stay in the playlist:") + leftBehind,
                  QStringLiteral("Files Not Deleted"), MessageIcon::Exclamation, MessageButtons::Ok,
                  AfterBox::KeepPlaylistHidden);
  }
  playlistWindow_.Show();
}

bool FileDeleter::Confirmed(const QString& doomedLines) {
  const MessageAnswer first = boxes_.Show(
      QStringLiteral("Are you sure you want to physically remove these selected file(s) ...\r") + doomedLines +
          QStringLiteral("\r\rClick Yes to Delete the Selected Files ..."),
      QStringLiteral("Physically Delete Files?"), MessageIcon::Exclamation, MessageButtons::YesNo,
      AfterBox::KeepPlaylistHidden);
  if (first != MessageAnswer::Yes) return false;
  return boxes_.Show(QStringLiteral("Note: These files will be unrecoverable after the delete process is complete, "
                                    "Are you sure you want to continue ..."),
                     QStringLiteral("Delete Confirmation"), MessageIcon::Information, MessageButtons::YesNo,
                     AfterBox::KeepPlaylistHidden) == MessageAnswer::Yes;
}

QString FileDeleter::RemoveFiles(const QList<DoomedRow>& doomed) {
  std::vector<bool> removed(static_cast<size_t>(tracks_.Count()), false);
  QString leftBehind;
  for (const DoomedRow& entry : doomed) {
    // A row that went, lost its selection or changed its path since the
    // question keeps its file: only what the user saw named is deleted.
    const int position = entry.row.isValid() ? entry.row.row() + 1 : 0;
    if (!tracks_.IsSelected(position) || tracks_.At(position).path != entry.path) continue;
    if (const std::optional<QString> reason = RemoveFileForever(entry.path)) {
      qCWarning(lcPlaylist) << "cannot delete" << entry.path << ":" << *reason;
      leftBehind += QLatin1Char('\r') + entry.path + QStringLiteral(" (") + *reason + QLatin1Char(')');
    } else {
      removed[static_cast<size_t>(position - 1)] = true;
    }
  }
  tracks_.RemoveRows(removed);
  return leftBehind;
}

}  // namespace zelvo
