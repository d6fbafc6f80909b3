#include "app/SingleInstance.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

namespace bv {
namespace {

constexpr quint32 kMagic = 0x42563301;  // "BV3" and the protocol's version
constexpr int kAnswerMs = 5000;
constexpr int kStartAttempts = 50;  // of 100 ms: time for a starting program to listen
constexpr char kAck = 'K';

// The runtime folder must be ours and closed to others, or the socket could be impersonated.
bool IsPrivateFolder(const QString& path) {
  struct stat st {};
  const QByteArray bytes = QFile::encodeName(path);
  return ::lstat(bytes.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
         (st.st_mode & 077) == 0;
}

QStringList Absolute(const QStringList& arguments) {
  QStringList result;
  for (const QString& argument : arguments) {
    result << (argument.isEmpty() || argument.startsWith(QLatin1Char('-'))
                   ? argument
                   : QFileInfo(argument).absoluteFilePath());
  }
  return result;
}

}  // namespace

SingleInstance::SingleInstance(QString runtimeDir, QObject* parent) : QObject(parent) {
  if (!runtimeDir.isEmpty()) folder_ = runtimeDir + QStringLiteral("/brindlevault");
}

SingleInstance::~SingleInstance() {
  if (server_) server_->close();
}

QString SingleInstance::SocketPath() const { return folder_ + QStringLiteral("/instance.sock"); }

QString SingleInstance::RuntimeDirFromEnvironment() {
  const QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
  return !dir.isEmpty() && IsPrivateFolder(dir) ? dir : QString();
}

bool SingleInstance::WantsNewInstance(const QStringList& arguments) {
  return arguments.contains(QStringLiteral("--new-instance"));
}

QStringList SingleInstance::WithoutOptions(const QStringList& arguments) {
  QStringList result = arguments;
  result.removeAll(QStringLiteral("--new-instance"));
  return result;
}

SingleInstance::Role SingleInstance::Start(const QStringList& arguments) {
  if (folder_.isEmpty()) return Role::Alone;
  if (!QDir().mkpath(folder_) ||
      !QFile::setPermissions(
          folder_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
    return Role::Alone;
  lock_ = std::make_unique<QLockFile>(folder_ + QStringLiteral("/instance.lock"));
  // A lock whose process has died is taken over at once; a live one is never stale by age.
  lock_->setStaleLockTime(0);
  for (int attempt = 0; attempt < kStartAttempts; ++attempt) {
    if (lock_->tryLock(0)) return Listen() ? Role::Primary : Role::Alone;
    if (HandOver(arguments)) return Role::HandedOver;
    QThread::msleep(100);  // the holder is starting and not listening yet
  }
  return Role::Alone;
}

bool SingleInstance::Listen() {
  // The lock is ours, so a socket file left here belongs to a program that died.
  QLocalServer::removeServer(SocketPath());
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(SocketPath())) return false;
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
      connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
      connect(client, &QLocalSocket::readyRead, this, [this, client] { ReadFrom(client); });
      ReadFrom(client);
    }
  });
  return true;
}

void SingleInstance::ReadFrom(QLocalSocket* client) {
  QDataStream in(client);
  in.setVersion(QDataStream::Qt_6_0);
  in.startTransaction();
  quint32 magic = 0;
  QStringList arguments;
  in >> magic >> arguments;
  if (!in.commitTransaction()) return;  // the rest has not arrived yet
  if (magic != kMagic) {
    client->abort();
    return;
  }
  client->write(&kAck, 1);
  client->flush();
  emit commandLineReceived(arguments);
}

bool SingleInstance::HandOver(const QStringList& arguments) {
  QLocalSocket socket;
  socket.connectToServer(SocketPath());
  if (!socket.waitForConnected(kAnswerMs)) return false;
  QByteArray message;
  QDataStream out(&message, QIODevice::WriteOnly);
  out.setVersion(QDataStream::Qt_6_0);
  out << kMagic << Absolute(arguments);
  socket.write(message);
  if (!socket.waitForBytesWritten(kAnswerMs)) return false;
  while (socket.bytesAvailable() < 1) {
    if (!socket.waitForReadyRead(kAnswerMs)) return false;
  }
  char answer = 0;
  return socket.read(&answer, 1) == 1 && answer == kAck;
}

}  // namespace bv
