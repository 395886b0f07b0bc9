#include "desktop/mpris.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QUrl>
#include <QDBusConnection>
#include <QDBusMessage>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "desktop/command_line.h"
#include "desktop/media_player.h"
#include "desktop/mpris_values.h"
#include "base/log.h"
#include "base/player_state.h"
#include "playback/audio_formats.h"
#include "playback/decoder.h"
#include "playback/playback.h"
#include "playlist/track_list.h"

namespace zelvo {
namespace {

const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kRootInterface = QStringLiteral("org.mpris.MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kServiceName = QStringLiteral("org.mpris.MediaPlayer2.zelvo");
// Changes made at the bar are found by polling: often while a track plays
// (its position moves), rarely while nothing does, so an idle Zelvo stays idle.
constexpr int kPollMs = 200;
constexpr int kIdlePollMs = 1000;
constexpr double kMicroseconds = 1e6;
// A position further than this from where playing on would have taken it was sought.
constexpr qlonglong kSeekJumpMicroseconds = 1000000;

// The URL of a cover picture written to the cache folder, named by its
// content so each picture is written once however many tracks carry it.
QString CoverUrl(const QByteArray& cover) {
  if (cover.isEmpty()) return {};
  const QString folder =
      QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/zelvo/covers");
  const bool png = cover.startsWith("\x89PNG");
  const QString path = folder + QLatin1Char('/') +
                       QString::fromLatin1(QCryptographicHash::hash(cover, QCryptographicHash::Sha1).toHex()) +
                       (png ? QStringLiteral(".png") : QStringLiteral(".jpg"));
  if (!QFile::exists(path)) {
    QFile file(path + QStringLiteral(".part"));
    if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) || file.write(cover) != cover.size() ||
        !file.rename(path)) {
      qCWarning(lcApp) << "cannot write the cover picture" << path << ":" << file.errorString();
      file.remove();
      return {};
    }
  }
  return QUrl::fromLocalFile(path).toString();
}

}  // namespace

Mpris::Mpris(MediaPlayer& player, QObject* parent) : QObject(parent), player_(player) {
  new MprisRootAdaptor(this);
  new MprisPlayerAdaptor(this);
  connect(&poll_, &QTimer::timeout, this, &Mpris::AnnounceChanges);
}

bool Mpris::Register() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    std::fputs("Zelvo: no D-Bus session bus, so media keys and desktop media controls cannot reach Zelvo.\n",
               stderr);
    return false;
  }
  if (!bus.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors)) {
    qCWarning(lcApp) << "cannot publish the media player object:" << bus.lastError().message();
    return false;
  }
  // A second Zelvo takes a name of its own, as the MPRIS naming rules ask.
  if (!bus.registerService(kServiceName) &&
      !bus.registerService(kServiceName + QStringLiteral(".instance%1").arg(QCoreApplication::applicationPid()))) {
    qCWarning(lcApp) << "cannot take the media player bus name:" << bus.lastError().message();
    return false;
  }
  announced_ = PlayerProperties();
  lastPosition_ = Position();
  sinceLastPosition_.start();
  poll_.start(kPollMs);
  return true;
}

// ---- methods: the bar's buttons ----

void Mpris::Raise() { player_.RaiseBar(); }

void Mpris::Quit() {
  // After this call has been answered: quitting ends the process at once.
  QTimer::singleShot(0, this, [this] { player_.QuitPlayer(); });
}

void Mpris::PlayPause() {
  player_.playback().PlayButton();
  AnnounceChanges();
}

void Mpris::Play() {
  if (player_.decoder().PlayState() != play_state::Playing) PlayPause();
}

void Mpris::Pause() {
  if (player_.decoder().PlayState() == play_state::Playing) PlayPause();
}

void Mpris::Stop() {
  player_.playback().StopButton();
  AnnounceChanges();
}

void Mpris::Next() {
  player_.playback().NextButton();
  AnnounceChanges();
}

void Mpris::Previous() {
  player_.playback().PreviousButton();
  AnnounceChanges();
}

void Mpris::Seek(qlonglong offsetMicroseconds) {
  if (!PlayerProperties().value(QStringLiteral("CanSeek")).toBool()) return;
  const double target = Position() / kMicroseconds + offsetMicroseconds / kMicroseconds;
  // Beyond the end is the next track; before the start is the start.
  if (target > player_.decoder().Duration().value_or(0)) return Next();
  player_.playback().SeekTo(std::max(target, 0.0));
  AnnounceChanges();
}

void Mpris::SetPosition(const QDBusObjectPath& trackId, qlonglong positionMicroseconds) {
  if (trackId.path() != MprisTrackId(player_.tracks(), player_.state())) return;
  if (!PlayerProperties().value(QStringLiteral("CanSeek")).toBool()) return;
  const double target = positionMicroseconds / kMicroseconds;
  if (target < 0 || target > player_.decoder().Duration().value_or(0)) return;
  player_.playback().SeekTo(target);
  AnnounceChanges();
}

void Mpris::OpenUri(const QString& uri) {
  QStringList problems;
  const QStringList paths = UsableArguments({uri}, &problems);
  for (const QString& problem : problems) qCWarning(lcApp).noquote() << "OpenUri:" << problem;
  if (!paths.isEmpty()) player_.OpenArguments(paths);
}

void Mpris::SetVolume(double volume) {
  player_.decoder().SetVolume(VolumeFromMpris(volume));
  AnnounceChanges();
}

// ---- properties ----

QVariantMap Mpris::PlayerProperties() const {
  const Decoder& decoder = player_.decoder();
  const bool hasTracks = player_.tracks().Count() > 0;
  const bool canSeek = decoder.PlayState() != play_state::Closed && decoder.Duration().value_or(0) > 0;
  return {
      {QStringLiteral("PlaybackStatus"), MprisPlaybackStatus(decoder.PlayState())},
      {QStringLiteral("Rate"), decoder.Rate()},
      {QStringLiteral("MinimumRate"), 0.98},
      {QStringLiteral("MaximumRate"), 1.02},
      {QStringLiteral("Metadata"), Metadata()},
      {QStringLiteral("Volume"), MprisVolume(decoder.Volume())},
      {QStringLiteral("CanGoNext"), hasTracks},
      {QStringLiteral("CanGoPrevious"), hasTracks},
      {QStringLiteral("CanPlay"), hasTracks},
      {QStringLiteral("CanPause"), hasTracks},
      {QStringLiteral("CanSeek"), canSeek},
      {QStringLiteral("CanControl"), true},
  };
}

QVariantMap Mpris::Metadata() const {
  const TrackList& tracks = player_.tracks();
  const int current = player_.state().CurrentIndex;
  const TrackTags& tags = TagsOf(tracks.Has(current) ? tracks.At(current).path : QString());
  return MprisMetadata(tracks, player_.state(), player_.decoder(), tags, artUrl_);
}

const TrackTags& Mpris::TagsOf(const QString& path) const {
  if (path == tagsPath_) return tags_;
  tagsPath_ = path;
  tags_ = path.isEmpty() ? TrackTags() : ReadTrackTags(path);
  artUrl_ = CoverUrl(tags_.cover);
  return tags_;
}

qlonglong Mpris::Position() const {
  if (player_.decoder().PlayState() == play_state::Closed) return 0;
  return std::llround(player_.decoder().CurrentPosition().value_or(0) * kMicroseconds);
}

void Mpris::AnnounceChanges() {
  const QVariantMap now = PlayerProperties();
  QVariantMap changed;
  for (auto it = now.cbegin(); it != now.cend(); ++it)
    if (announced_.value(it.key()) != it.value()) changed.insert(it.key(), it.value());
  const bool sameTrack = !changed.contains(QStringLiteral("Metadata"));
  const bool playing = now.value(QStringLiteral("PlaybackStatus")) == QLatin1String("Playing");
  announced_ = now;
  if (!changed.isEmpty()) SendPropertiesChanged(kPlayerInterface, changed);

  const qlonglong position = Position();
  const qlonglong expected = lastPosition_ + (playing ? sinceLastPosition_.elapsed() * 1000 : 0);
  if (sameTrack && std::llabs(position - expected) > kSeekJumpMicroseconds) emit Seeked(position);
  lastPosition_ = position;
  sinceLastPosition_.restart();
  poll_.setInterval(playing ? kPollMs : kIdlePollMs);
}

void Mpris::SendPropertiesChanged(const QString& interface, const QVariantMap& changed) {
  QDBusMessage signal =
      QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                 QStringLiteral("PropertiesChanged"));
  signal << interface << changed << QStringList();
  QDBusConnection::sessionBus().send(signal);
}

// ---- adaptors ----

MprisRootAdaptor::MprisRootAdaptor(Mpris* mpris) : QDBusAbstractAdaptor(mpris), mpris_(mpris) {}

QStringList MprisRootAdaptor::SupportedMimeTypes() const { return zelvo::SupportedMimeTypes(); }

MprisPlayerAdaptor::MprisPlayerAdaptor(Mpris* mpris) : QDBusAbstractAdaptor(mpris), mpris_(mpris) {
  connect(mpris, &Mpris::Seeked, this, &MprisPlayerAdaptor::Seeked);
}

}  // namespace zelvo
