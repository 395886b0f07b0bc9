#include "desktop/single_instance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTimer>
#include <QUrl>

#include <unistd.h>

#include "base/log.h"
#include "platform/path_bytes.h"
#include "platform/private_sockets.h"

namespace zelvo {
namespace {

constexpr int kConnectMs = 1000;
constexpr int kWriteMs = 5000;
// How long a later start waits for the Zelvo that holds the folder to answer:
// it may have taken the lock an instant ago and not be listening yet.
constexpr int kOwnerWaitMs = 5000;
constexpr int kRetryMs = 100;
// No list of paths from a command line comes near this; a peer that sends
// more is not a later start.
constexpr qint64 kMaxMessageBytes = 16 << 20;
// A later start hands its paths over well within this.
constexpr int kMessageMs = 5000;

QString LockPath(const QString& dataFolder) { return dataFolder + QStringLiteral("/.zelvo.lock"); }

}  // namespace

SingleInstance::SingleInstance(const QString& dataFolder, QObject* parent)
    : QObject(parent), name_(ServerName(dataFolder)), lock_(LockPath(dataFolder)) {
  // Only an owner that is gone leaves the lock free; one running for
  // days still holds it.
  lock_.setStaleLockTime(0);
  connect(&server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_.nextPendingConnection()) Receive(socket);
  });
}

QString SingleInstance::ServerName(const QString& dataFolder) {
  QString reason;
  const std::optional<QString> socketFolder = PrivateSocketFolder(&reason);
  if (!socketFolder) {
    qCWarning(lcApp) << "No private folder for the socket later starts use:" << reason;
    return {};
  }
  const QFileInfo folder(dataFolder);
  const QString canonical = folder.canonicalFilePath().isEmpty() ? folder.absoluteFilePath()
                                                                 : folder.canonicalFilePath();
  const QByteArray hash = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex();
  return *socketFolder + QStringLiteral("/zelvo-") + QString::fromLatin1(hash.left(16));
}

SingleInstance::HandOverResult SingleInstance::HandOver(const QStringList& arguments) const {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(kConnectMs)) return HandOverResult::NoAnswer;
  // The folder is private, but should another user's socket be there after
  // all, the paths must not go to them.
  const std::optional<uid_t> peer = PeerUser(socket.socketDescriptor());
  if (peer != ::geteuid()) {
    qCWarning(lcApp) << "The socket" << name_ << "belongs to another user" << (peer ? int(*peer) : -1)
                     << "and is ignored";
    return HandOverResult::NotOurs;
  }
  QByteArray message;
  QDataStream out(&message, QIODevice::WriteOnly);
  out << arguments;
  socket.write(message);
  if (!socket.waitForBytesWritten(kWriteMs)) {
    qCWarning(lcApp) << "Could not hand the arguments to the running Zelvo:" << socket.errorString();
    return HandOverResult::NoAnswer;
  }
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(kWriteMs);
  return HandOverResult::Delivered;
}

bool SingleInstance::HandOverOrListen(const QStringList& arguments) {
  if (name_.isEmpty()) return false;
  if (lock_.tryLock(0)) {
    Listen();
    return false;
  }
  if (lock_.error() == QLockFile::LockFailedError) return HandOverToOwner(arguments);
  // No lock can be made here (a folder that cannot be written): the socket
  // alone decides, as it did before there was a lock.
  qCWarning(lcApp) << "Cannot lock" << lock_.fileName() << "error" << lock_.error();
  if (HandOver(arguments) == HandOverResult::Delivered) return true;
  Listen();
  return false;
}

bool SingleInstance::HandOverToOwner(const QStringList& arguments) {
  QDeadlineTimer deadline(kOwnerWaitMs);
  do {
    switch (HandOver(arguments)) {
      case HandOverResult::Delivered:
        return true;
      case HandOverResult::NotOurs:
        return false;
      case HandOverResult::NoAnswer:
        break;
    }
    // The owner may be ending right now and let the folder go.
    if (lock_.tryLock(kRetryMs)) {
      Listen();
      return false;
    }
  } while (!deadline.hasExpired());
  qCWarning(lcApp) << "The Zelvo that holds" << lock_.fileName() << "does not answer on" << name_
                   << "; starting without taking later starts";
  return false;
}

void SingleInstance::Listen() {
  // Holding the lock makes the name ours: a socket file there was left by a
  // Zelvo that ended without closing it.
  QLocalServer::removeServer(name_);
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_.listen(name_))
    qCWarning(lcApp) << "Cannot listen for later starts on" << name_ << ":" << server_.errorString();
}

void SingleInstance::Release() {
  server_.close();
  lock_.unlock();
}

void SingleInstance::Receive(QLocalSocket* socket) {
  socket->setParent(this);
  const auto drop = [socket] {
    socket->disconnect();
    socket->abort();
    socket->deleteLater();
  };
  // A later start says all it has at once; a peer that keeps the connection
  // open without ending its message is not one, and is not waited for.
  auto* deadline = new QTimer(socket);
  deadline->setSingleShot(true);
  connect(deadline, &QTimer::timeout, this, [drop] {
    qCWarning(lcApp) << "A later start did not end its message within" << kMessageMs << "ms; it was dropped";
    drop();
  });
  deadline->start(kMessageMs);
  auto buffer = std::make_shared<QByteArray>();
  // Takes what arrived; drops the connection (false) once the message outgrows the cap.
  const auto take = [socket, buffer, drop] {
    if (buffer->size() + socket->bytesAvailable() <= kMaxMessageBytes) {
      buffer->append(socket->readAll());
      return true;
    }
    qCWarning(lcApp) << "A later start sent more than" << kMaxMessageBytes << "bytes; the message was dropped";
    drop();
    return false;
  };
  connect(socket, &QLocalSocket::readyRead, this, take);
  // The message ends when the later start hangs up.
  connect(socket, &QLocalSocket::disconnected, this, [this, socket, buffer, take, deadline] {
    deadline->stop();
    if (!take()) return;
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
                             ? PathFromLocalUrl(url)
                             : argument;
    // Qt spells the current folder lossily when its name is no UTF-8.
    const QString folder = CurrentFolder();
    const QString absolute = QDir::isAbsolutePath(path) || folder.isEmpty() ? QFileInfo(path).absoluteFilePath()
                                                                            : folder + QLatin1Char('/') + path;
    paths << QDir::cleanPath(absolute);
  }
  return paths;
}

}  // namespace zelvo
