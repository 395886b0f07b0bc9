#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QStringList>
#include <memory>

namespace zelvo {

// One Zelvo per data folder: the first start locks the folder (its playlist
// and settings files) and listens on a local socket named from the folder,
// in a folder only this user can enter; a later start with the same folder
// finds the lock taken, hands its arguments over and ends, so two players
// never write the same files, even when both start at the same instant.
// Copies with other folders run side by side.
class SingleInstance : public QObject {
  Q_OBJECT
 public:
  explicit SingleInstance(const QString& dataFolder, QObject* parent = nullptr);

  // The socket's name for a folder: the same for every start by this user
  // with this folder, however the folder is spelled. Empty when this user
  // has no private folder for it.
  static QString ServerName(const QString& dataFolder);

  // Gives the arguments to the running Zelvo of the same folder and returns
  // true: this start must then end. Otherwise takes the folder, starts
  // listening for later starts and returns false; when the lock or the
  // socket cannot be had, Zelvo runs on without them (with a warning).
  bool HandOverOrListen(const QStringList& arguments);

  // Lets go of the folder once its files are written, so that the next start
  // owns it at once and no lock file is left in it.
  void Release();

 signals:
  // A later start's arguments (absolute paths; empty when it had none).
  void ArgumentsReceived(const QStringList& arguments);

 private:
  enum class HandOverResult { Delivered, NoAnswer, NotOurs };
  HandOverResult HandOver(const QStringList& arguments) const;
  bool HandOverToOwner(const QStringList& arguments);
  void Listen();
  void Receive(QLocalSocket* socket);

  QString name_;
  QLockFile lock_;
  QLocalServer server_;
};

// Command-line arguments as paths that mean the same from any folder:
// relative paths made absolute from the current folder, "file://" URIs decoded.
QStringList AbsoluteArguments(const QStringList& arguments);

}  // namespace zelvo
