#include "app/SingleInstance.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>
#include <QTimer>

#include "app/HandOverMessage.h"

namespace bv {
namespace {

constexpr int kAnswerMs = 5000;
constexpr int kListenCheckMs = 1000;
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
  if (!server_) {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::Accept);
  }
  if (!server_->listen(SocketPath())) return false;
  if (!listening_) {
    // The toolkit stops listening when accepting fails (no descriptor left, say).
    listening_ = new QTimer(this);
    connect(listening_, &QTimer::timeout, this, [this] {
      if (!server_->isListening()) Listen();
    });
    listening_->start(kListenCheckMs);
  }
  return true;
}

void SingleInstance::Accept() {
  while (QLocalSocket* client = server_->nextPendingConnection()) {
    if (clients_ >= kMostClients) {
      client->abort();
      client->deleteLater();
      continue;
    }
    ++clients_;
    connect(client, &QObject::destroyed, this, [this] { --clients_; });
    connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    QTimer::singleShot(kIdleMilliseconds, client, [client] {
      client->abort();
      client->deleteLater();
    });
    connect(client, &QLocalSocket::readyRead, this, [this, client] { ReadFrom(client); });
    ReadFrom(client);
  }
}

void SingleInstance::ReadFrom(QLocalSocket* client) {
  const HandOverFrame frame = ReadHandOverFrame(client->peek(kHandOverHeaderSize));
  if (frame.state == HandOverFrame::State::Incomplete) return;
  std::optional<QStringList> arguments;
  if (frame.state == HandOverFrame::State::Whole) {
    if (client->bytesAvailable() < frame.size) return;  // the rest has not arrived yet
    arguments = DecodeHandOver(client->read(frame.size));
  }
  // One message a connection: whatever follows is not read.
  disconnect(client, &QLocalSocket::readyRead, this, nullptr);
  if (!arguments) {
    client->abort();
    client->deleteLater();
    return;
  }
  client->write(&kAck, 1);
  client->flush();
  client->disconnectFromServer();
  // Handed on from the event loop, once this socket's signal has returned.
  QMetaObject::invokeMethod(
      this, [this, taken = std::move(*arguments)] { emit commandLineReceived(taken); },
      Qt::QueuedConnection);
}

bool SingleInstance::HandOver(const QStringList& arguments) {
  QLocalSocket socket;
  socket.connectToServer(SocketPath());
  if (!socket.waitForConnected(kAnswerMs)) return false;
  const std::optional<QByteArray> message = EncodeHandOver(Absolute(arguments));
  if (!message) return false;  // a command line no program takes: this one runs alone
  socket.write(*message);
  if (!socket.waitForBytesWritten(kAnswerMs)) return false;
  while (socket.bytesAvailable() < 1) {
    if (!socket.waitForReadyRead(kAnswerMs)) return false;
  }
  char answer = 0;
  return socket.read(&answer, 1) == 1 && answer == kAck;
}

}  // namespace bv
