#pragma once
// One program per user and desktop. The first start listens on a local socket in the user's
// runtime folder; a later start hands its command line over that socket and exits, so a
// double-click on a profile never opens a second window on it. A lock file beside the socket
// settles two starts at once and tells a stale socket from a live one.
//
// The socket is open to every program of the user, so the running program guards itself:
// a connection carries one message of bounded size (HandOverMessage.h) and is closed once it
// is read; a connection that stays silent is closed after kIdleMilliseconds; no more than
// kMostClients are open at once (later ones are closed at once); and the server listens
// again should the system have made it stop. The command line is handed on from the event
// loop, never from inside the socket's own signal: what the window does with it (a message
// box, a login box) cannot pull the socket from under the code that read it.

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;
class QTimer;

namespace bv {

class SingleInstance : public QObject {
  Q_OBJECT

 public:
  enum class Role {
    Primary,     // this process listens; later starts hand their command lines to it
    HandedOver,  // a running program took the command line: this process should exit
    Alone,       // no runtime folder, or nobody answered in time: run on our own
  };

  // runtimeDir is $XDG_RUNTIME_DIR. Empty means no single instance: there is no safe place
  // for the socket, and a shared folder such as /tmp is never used.
  static constexpr int kIdleMilliseconds = 2000;
  static constexpr int kMostClients = 8;

  explicit SingleInstance(QString runtimeDir, QObject* parent = nullptr);
  ~SingleInstance() override;

  // Becomes the primary instance or hands `arguments` (file names made absolute) to it.
  Role Start(const QStringList& arguments);

  [[nodiscard]] QString SocketPath() const;

  // The runtime folder of this user and desktop, or empty when unusable.
  static QString RuntimeDirFromEnvironment();
  // The option that starts a separate program anyway.
  static bool WantsNewInstance(const QStringList& arguments);
  static QStringList WithoutOptions(const QStringList& arguments);

 signals:
  // A later start's command line (its file names absolute), received on the event loop.
  void commandLineReceived(const QStringList& arguments);

 private:
  bool Listen();
  void Accept();
  bool HandOver(const QStringList& arguments);
  void ReadFrom(QLocalSocket* client);

  QString folder_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer* server_ = nullptr;
  QTimer* listening_ = nullptr;  // looks whether the server still listens
  int clients_ = 0;
};

}  // namespace bv
