#include "app/BrowserLink.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <algorithm>

#include "app/SingleInstance.h"

namespace bv {
namespace {

constexpr int kRetryMilliseconds = 200;

}  // namespace

BrowserLink::BrowserLink(BrowserProtocol& protocol, QString socketPath,
                         std::function<bool()> mustWait, QObject* parent)
    : QObject(parent),
      protocol_(protocol),
      socketPath_(std::move(socketPath)),
      mustWait_(std::move(mustWait)) {
  retry_.setSingleShot(true);
  retry_.setInterval(kRetryMilliseconds);
  connect(&retry_, &QTimer::timeout, this, &BrowserLink::AnswerQueued);
}

BrowserLink::~BrowserLink() { Stop(); }

QString BrowserLink::SocketPathFromEnvironment() {
  const QString runtime = SingleInstance::RuntimeDirFromEnvironment();
  return runtime.isEmpty() ? QString() : runtime + QStringLiteral("/brindlevault/browser.sock");
}

bool BrowserLink::Start() {
  if (server_) return true;
  if (socketPath_.isEmpty()) return false;
  const QString folder = QFileInfo(socketPath_).absolutePath();
  if (!QDir().mkpath(folder) ||
      !QFile::setPermissions(
          folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
    return false;
  // Another program (a --new-instance start) may serve the browser already: leave it be.
  QLocalSocket probe;
  probe.connectToServer(socketPath_);
  if (probe.waitForConnected(200)) return false;
  QLocalServer::removeServer(socketPath_);
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(socketPath_)) {
    delete server_;
    server_ = nullptr;
    return false;
  }
  connect(server_, &QLocalServer::newConnection, this, &BrowserLink::Accept);
  return true;
}

void BrowserLink::Stop() {
  queue_.clear();
  for (auto& client : clients_) {
    if (client->socket) client->socket->disconnectFromServer();
  }
  clients_.clear();
  if (server_) {
    server_->close();
    delete server_;
    server_ = nullptr;
  }
}

bool BrowserLink::Listening() const { return server_ && server_->isListening(); }

void BrowserLink::Accept() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    auto client = std::make_unique<Client>();
    client->socket = socket;
    Client* raw = client.get();
    clients_.push_back(std::move(client));
    connect(socket, &QLocalSocket::readyRead, this, [this, raw] { Read(raw); });
    connect(socket, &QLocalSocket::disconnected, this, [this, raw] { Drop(raw); });
    Read(raw);
  }
}

void BrowserLink::Read(Client* client) {
  if (!client->socket) return;
  const QByteArray bytes = client->socket->readAll();
  client->reader.Feed({bytes.constData(), static_cast<std::size_t>(bytes.size())});
  while (auto frame = client->reader.Next()) queue_.push_back({client, std::move(*frame)});
  AnswerQueued();
}

void BrowserLink::Drop(Client* client) {
  std::erase_if(queue_, [client](const Pending& pending) { return pending.client == client; });
  const auto it = std::find_if(clients_.begin(), clients_.end(),
                               [client](const auto& c) { return c.get() == client; });
  if (it == clients_.end()) return;
  if ((*it)->socket) (*it)->socket->deleteLater();
  // A question open for this client may still run below us: the state goes when it returns.
  if (answering_) {
    QTimer::singleShot(0, this, [this, client] { Drop(client); });
    (*it)->socket = nullptr;
    return;
  }
  clients_.erase(it);
}

void BrowserLink::AnswerQueued() {
  // One request at a time: a question to the user runs the event loop, and what arrives
  // meanwhile waits its turn. A dialog of the window's own waits the same way.
  if (answering_) return;
  while (!queue_.empty()) {
    if (mustWait_()) {
      retry_.start();
      return;
    }
    Pending pending = std::move(queue_.front());
    queue_.pop_front();
    answering_ = true;
    const std::string reply = pending.frame.tooLarge
                                  ? protocol_.AnswerTooLarge()
                                  : protocol_.Answer(pending.client->state, pending.frame.message);
    answering_ = false;
    if (pending.client->socket) {
      const std::string frame = EncodeFrame(reply);
      pending.client->socket->write(frame.data(), static_cast<qint64>(frame.size()));
    }
  }
}

void BrowserLink::Notify(const std::string& notice) {
  const std::string frame = EncodeFrame(notice);
  for (auto& client : clients_) {
    if (client->socket && client->state.box.HasClientKey()) {
      client->socket->write(frame.data(), static_cast<qint64>(frame.size()));
    }
  }
}

}  // namespace bv
