#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QObject>
#include <QStringList>
#include <QVariantMap>
#include <functional>

#include "playback/track_tags.h"

namespace zelvo {

class Decoder;
class Playback;
class TrackList;

// The player on the session bus as an MPRIS 2 media player
// ("org.mpris.MediaPlayer2.zelvo"), so media keys, desktop media widgets and
// playerctl reach it. Each method does what the bar's button of the same
// purpose does, through the same playback routines. Playback announces its
// status, its track and its seeks, and the list its rows; each announcement
// sends PropertiesChanged for the properties that changed.
class Mpris : public QObject {
  Q_OBJECT
 public:
  // `raise` brings the bar into view; `quit` ends the player; `open` adds
  // files, folders and playlists and plays the first, as the command line does.
  Mpris(Playback& playback, TrackList& tracks, Decoder& decoder, std::function<void()> raise,
        std::function<void()> quit, std::function<void(const QStringList&)> open, QObject* parent = nullptr);

  // Claims the bus name and publishes the player. False without a session
  // bus, which is said once on standard error; the player runs on without.
  bool Register();

  // org.mpris.MediaPlayer2
  void Raise();
  void Quit();
  // org.mpris.MediaPlayer2.Player
  void Play();
  void Pause();
  void PlayPause();
  void Stop();
  void Next();
  void Previous();
  void Seek(qlonglong offsetMicroseconds);
  void SetPosition(const QDBusObjectPath& trackId, qlonglong positionMicroseconds);
  void SetVolume(double volume);
  // Adds a file, folder or playlist given as a file:// URI or a local path
  // and plays it, as naming it on the command line does.
  void OpenUri(const QString& uri);

  // The Player interface's properties, Position aside (it changes all the
  // time and is only announced through Seeked).
  QVariantMap PlayerProperties() const;
  qlonglong Position() const;

  // Sends PropertiesChanged for what changed since the last announcement.
  // Runs on playback's and the list's news, and on a change of the volume
  // or the speed made at the bar (the wiring connects that).
  void AnnounceChanges();

 signals:
  void Seeked(qlonglong positionMicroseconds);
  // The Player interface's properties that changed, as sent on the bus.
  void PropertiesChanged(const QVariantMap& changed);

 private:
  void SendPropertiesChanged(const QVariantMap& changed);
  QVariantMap Metadata() const;
  // The current file's tags, read once per track rather than on every look.
  const TrackTags& TagsOf(const QString& path) const;

  Playback& playback_;
  TrackList& tracks_;
  Decoder& decoder_;
  std::function<void()> raise_;
  std::function<void()> quit_;
  std::function<void(const QStringList&)> open_;
  QVariantMap announced_;
  mutable QString tagsPath_;
  mutable TrackTags tags_;
  mutable QString artUrl_;
};

// org.mpris.MediaPlayer2: the application as a whole.
class MprisRootAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
  Q_PROPERTY(bool CanQuit READ CanQuit)
  Q_PROPERTY(bool CanRaise READ CanRaise)
  Q_PROPERTY(bool HasTrackList READ HasTrackList)
  Q_PROPERTY(QString Identity READ Identity)
  Q_PROPERTY(QString DesktopEntry READ DesktopEntry)
  Q_PROPERTY(QStringList SupportedUriSchemes READ SupportedUriSchemes)
  Q_PROPERTY(QStringList SupportedMimeTypes READ SupportedMimeTypes)
 public:
  explicit MprisRootAdaptor(Mpris* mpris);
  bool CanQuit() const { return true; }
  bool CanRaise() const { return true; }
  bool HasTrackList() const { return false; }
  QString Identity() const { return QStringLiteral("Zelvo"); }
  QString DesktopEntry() const { return QStringLiteral("zelvo"); }
  QStringList SupportedUriSchemes() const { return {QStringLiteral("file")}; }
  QStringList SupportedMimeTypes() const;

 public slots:
  void Raise() { mpris_->Raise(); }
  void Quit() { mpris_->Quit(); }

 private:
  Mpris* mpris_;
};

// org.mpris.MediaPlayer2.Player: the transport, the track and the volume.
class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
  Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
  Q_PROPERTY(double Rate READ Rate WRITE SetRate)
  Q_PROPERTY(double MinimumRate READ MinimumRate)
  Q_PROPERTY(double MaximumRate READ MaximumRate)
  Q_PROPERTY(QVariantMap Metadata READ Metadata)
  Q_PROPERTY(double Volume READ Volume WRITE SetVolume)
  Q_PROPERTY(qlonglong Position READ Position)
  Q_PROPERTY(bool CanGoNext READ CanGoNext)
  Q_PROPERTY(bool CanGoPrevious READ CanGoPrevious)
  Q_PROPERTY(bool CanPlay READ CanPlay)
  Q_PROPERTY(bool CanPause READ CanPause)
  Q_PROPERTY(bool CanSeek READ CanSeek)
  Q_PROPERTY(bool CanControl READ CanControl)
 public:
  explicit MprisPlayerAdaptor(Mpris* mpris);
  QString PlaybackStatus() const { return Property("PlaybackStatus").toString(); }
  double Rate() const { return Property("Rate").toDouble(); }
  // The speed is one of the options menu's effects; only the menu sets it.
  void SetRate(double) {}
  double MinimumRate() const { return Property("MinimumRate").toDouble(); }
  double MaximumRate() const { return Property("MaximumRate").toDouble(); }
  QVariantMap Metadata() const { return Property("Metadata").toMap(); }
  double Volume() const { return Property("Volume").toDouble(); }
  void SetVolume(double volume) { mpris_->SetVolume(volume); }
  qlonglong Position() const { return mpris_->Position(); }
  bool CanGoNext() const { return Property("CanGoNext").toBool(); }
  bool CanGoPrevious() const { return Property("CanGoPrevious").toBool(); }
  bool CanPlay() const { return Property("CanPlay").toBool(); }
  bool CanPause() const { return Property("CanPause").toBool(); }
  bool CanSeek() const { return Property("CanSeek").toBool(); }
  bool CanControl() const { return true; }

 public slots:
  void Play() { mpris_->Play(); }
  void Pause() { mpris_->Pause(); }
  void PlayPause() { mpris_->PlayPause(); }
  void Stop() { mpris_->Stop(); }
  void Next() { mpris_->Next(); }
  void Previous() { mpris_->Previous(); }
  void Seek(qlonglong Offset) { mpris_->Seek(Offset); }
  void SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) { mpris_->SetPosition(TrackId, Position); }
  void OpenUri(const QString& Uri) { mpris_->OpenUri(Uri); }

 signals:
  void Seeked(qlonglong Position);

 private:
  QVariant Property(const char* name) const { return mpris_->PlayerProperties().value(QLatin1String(name)); }
  Mpris* mpris_;
};

}  // namespace zelvo
