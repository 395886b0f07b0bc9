#pragma once

#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <optional>
#include <utility>

#include "playback/track_tags.h"

namespace zelvo {

// A word to the desktop when a track starts: a notification through the
// session's notification server (org.freedesktop.Notifications) with the
// title, the artist and album when tagged, the embedded cover and Zelvo's icon.
// Each notice replaces the one before. Without a server nothing is shown and
// one warning is logged.
class TrackNotifier : public QObject {
  Q_OBJECT
 public:
  // `icon` is a file path or an icon name.
  explicit TrackNotifier(QString icon, QObject* parent = nullptr);

  // `name` is the row's name, said when the file has no title tag.
  void Announce(const QString& name, const TrackTags& card);

 private:
  QString CoverFile(const QByteArray& cover);

  QString icon_;
  uint shownId_ = 0;  // the notice on screen, replaced by the next
  bool waiting_ = false;  // a notice is on its way to the server
  std::optional<std::pair<QString, TrackTags>> next_;  // the track to tell once it has answered
  bool toldMissing_ = false;
  QTemporaryDir covers_;
  int coverCount_ = 0;
};

}  // namespace zelvo
