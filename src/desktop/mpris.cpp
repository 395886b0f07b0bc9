#include "desktop/mpris.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/log.h"
#include "desktop/command_line.h"
#include "desktop/mpris_values.h"
#include "playback/audio_formats.h"
#include "playback/decoder.h"
#include "playback/playback.h"
#include "playlist/track_list.h"

namespace zelvo {
namespace {

const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kServiceName = QStringLiteral("org.mpris.MediaPlayer2.zelvo");
constexpr double kMicroseconds = 1e6;

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

Mpris::Mpris(Playback& playback, TrackList& tracks, Decoder& decoder, std::function<void()> raise,
             std::function<void()> quit, std::function<void(const QStringList&)> open, QObject* parent)
    : QObject(parent),
      playback_(playback),
      tracks_(tracks),
      decoder_(decoder),
      raise_(std::move(raise)),
      quit_(std::move(quit)),
      open_(std::move(open)) {
  new MprisRootAdaptor(this);
  new MprisPlayerAdaptor(this);
  announced_ = PlayerProperties();
  connect(this, &Mpris::PropertiesChanged, this, &Mpris::SendPropertiesChanged);
  connect(&playback_, &Playback::StatusChanged, this, &Mpris::AnnounceChanges);
  connect(&playback_, &Playback::TrackChanged, this, &Mpris::AnnounceChanges);
  connect(&playback_, &Playback::Seeked, this, [this](double seconds) {
    AnnounceChanges();
    emit Seeked(std::llround(seconds * kMicroseconds));
  });
  // Whether there is anything to play.
  const TrackListModel& model = tracks_.Model();
  connect(&model, &TrackListModel::rowsInserted, this, &Mpris::AnnounceChanges);
  connect(&model, &TrackListModel::rowsRemoved, this, &Mpris::AnnounceChanges);
  connect(&model, &TrackListModel::modelReset, this, &Mpris::AnnounceChanges);
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
  return true;
}

// ---- methods: the bar's buttons ----

void Mpris::Raise() { raise_(); }

void Mpris::Quit() {
  // After this call has been answered: quitting ends the process at once.
  QTimer::singleShot(0, this, [this] { quit_(); });
}

void Mpris::PlayPause() { playback_.PlayButton(); }

void Mpris::Play() {
  if (decoder_.PlayState() != play_state::Playing) PlayPause();
}

void Mpris::Pause() {
  if (decoder_.PlayState() == play_state::Playing) PlayPause();
}

void Mpris::Stop() { playback_.StopButton(); }

void Mpris::Next() { playback_.NextButton(); }

void Mpris::Previous() { playback_.PreviousButton(); }

void Mpris::Seek(qlonglong offsetMicroseconds) {
  if (!PlayerProperties().value(QStringLiteral("CanSeek")).toBool()) return;
  const double target = Position() / kMicroseconds + offsetMicroseconds / kMicroseconds;
  // Beyond the end is the next track; before the start is the start.
  if (target > decoder_.Duration().value_or(0)) return Next();
  playback_.SeekTo(std::max(target, 0.0));
}

void Mpris::SetPosition(const QDBusObjectPath& trackId, qlonglong positionMicroseconds) {
  if (trackId.path() != MprisTrackId(tracks_)) return;
  if (!PlayerProperties().value(QStringLiteral("CanSeek")).toBool()) return;
  const double target = positionMicroseconds / kMicroseconds;
  if (target < 0 || target > decoder_.Duration().value_or(0)) return;
  playback_.SeekTo(target);
}

void Mpris::OpenUri(const QString& uri) {
  QStringList problems;
  const QStringList paths = UsableArguments({uri}, &problems);
  for (const QString& problem : problems) qCWarning(lcApp).noquote() << "OpenUri:" << problem;
  if (!paths.isEmpty()) open_(paths);
}

void Mpris::SetVolume(double volume) {
  decoder_.SetVolume(VolumeFromMpris(volume));
  AnnounceChanges();
}

// ---- properties ----

QVariantMap Mpris::PlayerProperties() const {
  const Decoder& decoder = decoder_;
  const bool hasTracks = tracks_.Count() > 0;
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
  const int current = tracks_.CurrentIndex();
  const TrackTags& tags = TagsOf(tracks_.Has(current) ? tracks_.At(current).path : QString());
  return MprisMetadata(tracks_, decoder_, tags, artUrl_);
}

const TrackTags& Mpris::TagsOf(const QString& path) const {
  if (path == tagsPath_) return tags_;
  tagsPath_ = path;
  tags_ = path.isEmpty() ? TrackTags() : ReadTrackTags(path);
  artUrl_ = CoverUrl(tags_.cover);
  return tags_;
}

qlonglong Mpris::Position() const {
  if (decoder_.PlayState() == play_state::Closed) return 0;
  return std::llround(decoder_.CurrentPosition().value_or(0) * kMicroseconds);
}

void Mpris::AnnounceChanges() {
  const QVariantMap now = PlayerProperties();
  QVariantMap changed;
  for (auto it = now.cbegin(); it != now.cend(); ++it)
    if (announced_.value(it.key()) != it.value()) changed.insert(it.key(), it.value());
  announced_ = now;
  if (!changed.isEmpty()) emit PropertiesChanged(changed);
}

void Mpris::SendPropertiesChanged(const QVariantMap& changed) {
  QDBusMessage signal =
      QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                 QStringLiteral("PropertiesChanged"));
  signal << kPlayerInterface << changed << QStringList();
  QDBusConnection::sessionBus().send(signal);
}

// ---- adaptors ----

MprisRootAdaptor::MprisRootAdaptor(Mpris* mpris) : QDBusAbstractAdaptor(mpris), mpris_(mpris) {}

QStringList MprisRootAdaptor::SupportedMimeTypes() const { return zelvo::SupportedMimeTypes(); }

MprisPlayerAdaptor::MprisPlayerAdaptor(Mpris* mpris) : QDBusAbstractAdaptor(mpris), mpris_(mpris) {
  connect(mpris, &Mpris::Seeked, this, &MprisPlayerAdaptor::Seeked);
}

}  // namespace zelvo
