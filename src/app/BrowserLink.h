#pragma once
// The program's end of the browser extension: a socket in the private runtime folder that
// brindlevault-proxy connects to, one protocol state per connection, and the notices sent
// when the profile closes or opens. Requests are answered one at a time, in their order;
// those that come while a dialog is open over the window wait for it to close, so none is
// lost or answered twice. With no profile open nothing waits: the answer is "closed".

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "extension/BrowserProtocol.h"
#include "extension/MessageFrames.h"

class QLocalServer;
class QLocalSocket;

namespace bv {

class BrowserLink : public QObject {
  Q_OBJECT

 public:
  // mustWait: whether requests must wait now, asked before each one (a dialog is open over a
  // profile the requests work on).
  BrowserLink(BrowserProtocol& protocol, QString socketPath, std::function<bool()> mustWait,
              QObject* parent = nullptr);
  ~BrowserLink() override;

  // $XDG_RUNTIME_DIR/brindlevault/browser.sock; empty without a private runtime folder.
  static QString SocketPathFromEnvironment();

  // Listens unless another program already does; false when the socket cannot be made.
  bool Start();
  void Stop();
  [[nodiscard]] bool Listening() const;

  // Sends a notice to every connection that has exchanged keys.
  void Notify(const std::string& notice);

 private:
  struct Client {
    QPointer<QLocalSocket> socket;
    FrameReader reader;
    BrowserConnectionState state;
  };
  struct Pending {
    Client* client;
    FrameReader::Frame frame;
  };

  void Accept();
  void Read(Client* client);
  void Drop(Client* client);
  void AnswerQueued();

  BrowserProtocol& protocol_;
  QString socketPath_;
  std::function<bool()> mustWait_;
  QLocalServer* server_ = nullptr;
  std::vector<std::unique_ptr<Client>> clients_;
  std::deque<Pending> queue_;
  bool answering_ = false;
  QTimer retry_;
};

}  // namespace bv
