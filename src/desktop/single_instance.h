#pragma once

#include <QLocalServer>
#include <QObject>
#include <QStringList>

namespace zelvo {

// One Zelvo per data folder: the first start listens on a local socket named
// from the user and the folder (its playlist and settings files); a later
// start with the same folder hands its arguments over and ends, so two
// players never write the same files. Copies with other folders run side by side.
class SingleInstance : public QObject {
  Q_OBJECT
 public:
  explicit SingleInstance(const QString& dataFolder, QObject* parent = nullptr);

  // The socket's name for a folder: the same for every start by this user
  // with this folder, however the folder is spelled.
  static QString ServerName(const QString& dataFolder);

  // Gives the arguments to a running Zelvo of the same folder and returns
  // true: this start must then end. Otherwise starts listening for later
  // starts and returns false; when the socket cannot be made, Zelvo runs on
  // without it (with a warning).
  bool HandOverOrListen(const QStringList& arguments);

 signals:
  // A later start's arguments (absolute paths; empty when it had none).
  void ArgumentsReceived(const QStringList& arguments);

 private:
  bool HandOver(const QStringList& arguments) const;
  void Receive(QLocalSocket* socket);

  QString name_;
  QLocalServer server_;
};

// Command-line arguments as paths that mean the same from any folder:
// relative paths made absolute from the current folder, "file://" URIs decoded.
QStringList AbsoluteArguments(const QStringList& arguments);

}  // namespace zelvo
