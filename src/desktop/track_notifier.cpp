#include "desktop/track_notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFile>
#include <QUrl>
#include <utility>

#include "base/log.h"

namespace zelvo {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
constexpr int kShownMilliseconds = 5000;

QString Body(const TrackTags& card) {
  QStringList lines;
  if (!card.artist.isEmpty()) lines << card.artist.toHtmlEscaped();
  if (!card.album.isEmpty()) lines << card.album.toHtmlEscaped();
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

TrackNotifier::TrackNotifier(QString icon, QObject* parent) : QObject(parent), icon_(std::move(icon)) {}

// Servers show a picture by path most reliably; each cover gets a new name so
// a server that caches by path shows the new one. The replaced notice's
// picture goes.
QString TrackNotifier::CoverFile(const QByteArray& cover) {
  if (!covers_.isValid()) return {};
  QFile::remove(covers_.filePath(QStringLiteral("cover-%1").arg(coverCount_)));
  if (cover.isEmpty()) return {};
  QFile file(covers_.filePath(QStringLiteral("cover-%1").arg(++coverCount_)));
  if (file.open(QIODevice::WriteOnly) && file.write(cover) == cover.size()) return file.fileName();
  qCWarning(lcApp) << "cannot write the cover for the notification to" << file.fileName() << file.errorString();
  return {};
}

void TrackNotifier::Announce(const QString& name, const TrackTags& card) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  // The notice to replace is known once the server has answered: until then
  // the newest track waits, and tracks skipped meanwhile are not told.
  if (waiting_) {
    next_ = {name, card};
    return;
  }
  waiting_ = true;
  QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("zelvo")},
                    {QStringLiteral("category"), QStringLiteral("x-zelvo.track")}};
  if (const QString cover = CoverFile(card.cover); !cover.isEmpty())
    hints.insert(QStringLiteral("image-path"), QUrl::fromLocalFile(cover).toString());
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
  call << QStringLiteral("Zelvo") << shownId_ << icon_ << (card.title.isEmpty() ? name : card.title) << Body(card)
       << QStringList() << hints << kShownMilliseconds;
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* done) {
    done->deleteLater();
    waiting_ = false;
    const QDBusPendingReply<uint> reply = *done;
    if (reply.isValid()) {
      shownId_ = reply.value();
    } else {
      if (!toldMissing_) qCWarning(lcApp).noquote() << "No track notifications:" << reply.error().message();
      toldMissing_ = true;
    }
    if (next_) {
      const auto [name, card] = *std::exchange(next_, std::nullopt);
      Announce(name, card);
    }
  });
}

}  // namespace zelvo
