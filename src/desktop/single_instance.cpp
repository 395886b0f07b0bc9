#include "desktop/single_instance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QUrl>

#include <unistd.h>

#include "base/log.h"

namespace zelvo {
namespace {

constexpr int kConnectMs = 1000;
constexpr int kWriteMs = 5000;

}  // namespace

SingleInstance::SingleInstance(const QString& dataFolder, QObject* parent)
    : QObject(parent), name_(ServerName(dataFolder)) {
  connect(&server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_.nextPendingConnection()) Receive(socket);
  });
}

QString SingleInstance::ServerName(const QString& dataFolder) {
  const QFileInfo folder(dataFolder);
  const QString canonical = folder.canonicalFilePath().isEmpty() ? folder.absoluteFilePath()
                                                                 : folder.canonicalFilePath();
  const QByteArray hash = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex();
  return QStringLiteral("zelvo-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash.left(16)));
}

bool SingleInstance::HandOver(const QStringList& arguments) const {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(kConnectMs)) return false;
  QByteArray message;
  QDataStream out(&message, QIODevice::WriteOnly);
  out << arguments;
  socket.write(message);
  if (!socket.waitForBytesWritten(kWriteMs)) {
    qCWarning(lcApp) << "Could not hand the arguments to the running Zelvo:" << socket.errorString();
    return false;
  }
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(kWriteMs);
  return true;
}

bool SingleInstance::HandOverOrListen(const QStringList& arguments) {
  // Only this user may hand arguments over.
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (HandOver(arguments)) return true;
    if (server_.listen(name_)) return false;
    if (server_.serverError() != QAbstractSocket::AddressInUseError) break;
    // Taken, yet nobody answered: a Zelvo started at the same moment that
    // listens by now (asked once more), or a socket file left by one that
    // ended without closing it, which can go.
    if (attempt == 1 && QLocalServer::removeServer(name_) && server_.listen(name_)) return false;
  }
  qCWarning(lcApp) << "Cannot listen for later starts on" << name_ << ":" << server_.errorString();
  return false;
}

void SingleInstance::Receive(QLocalSocket* socket) {
  socket->setParent(this);
  auto buffer = std::make_shared<QByteArray>();
  connect(socket, &QLocalSocket::readyRead, this, [socket, buffer] { buffer->append(socket->readAll()); });
  // The message ends when the later start hangs up.
  connect(socket, &QLocalSocket::disconnected, this, [this, socket, buffer] {
    buffer->append(socket->readAll());
    QStringList arguments;
    QDataStream stream(*buffer);
    stream >> arguments;
    socket->deleteLater();
    if (stream.status() != QDataStream::Ok) {
      qCWarning(lcApp) << "A later start sent arguments that could not be read";
      return;
    }
    emit ArgumentsReceived(arguments);
  });
}

QStringList AbsoluteArguments(const QStringList& arguments) {
  QStringList paths;
  for (const QString& argument : arguments) {
    const QUrl url(argument);
    const QString path = url.isLocalFile() && argument.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)
                             ? url.toLocalFile()
                             : argument;
    paths << QDir::cleanPath(QFileInfo(path).absoluteFilePath());
  }
  return paths;
}

}  // namespace zelvo
