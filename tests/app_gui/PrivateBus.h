#pragma once
// A D-Bus daemon of the test's own, listening in a scratch folder, and the desktop's services
// played on it: the screen savers and logind's manager and sessions. The lock tests never
// touch the real session or system bus.

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QProcess>
#include <QVariantList>
#include <functional>
#include <vector>

#include "support/ScratchFolder.h"

namespace bv::test {

class PrivateBus {
 public:
  PrivateBus();  // starts dbus-daemon; address() is empty when it could not start
  ~PrivateBus();
  PrivateBus(const PrivateBus&) = delete;
  PrivateBus& operator=(const PrivateBus&) = delete;

  const QString& address() const { return address_; }

 private:
  ScratchFolder folder_;
  QProcess daemon_;
  QString address_;
};

// logind's manager, and the names of the screen savers, on a bus of its own connection.
class FakeDesktopServices : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

 public:
  static constexpr const char* kOwnSessionId = "7";
  static constexpr const char* kOwnSessionPath = "/org/freedesktop/login1/session/_37";
  static constexpr const char* kOtherSessionPath = "/org/freedesktop/login1/session/_38";

  explicit FakeDesktopServices(const QString& address);
  ~FakeDesktopServices() override;

  [[nodiscard]] bool Ready() const { return ready_; }
  // Sends a signal as the service that owns path would.
  void Emit(const QString& path, const QString& interface, const QString& name,
            const QVariantList& arguments = {});
  void ScreenSaverActive(const char* service, const char* path, bool active);
  void SessionLock(const char* sessionPath);
  void PrepareForSleep(bool starting);

  // Delay locks handed out, and whether the last one is still held by somebody.
  int inhibitCalls = 0;
  QStringList inhibitArguments;  // of the last call: what, who, why, mode
  [[nodiscard]] bool LastDelayHeld() const;
  // Runs from the event loop as soon as a delay lock is given back.
  std::function<void()> onDelayGivenBack;

 public slots:
  QDBusObjectPath GetSession(const QString& id);
  QDBusObjectPath GetSessionByPID(uint pid);
  QDBusUnixFileDescriptor Inhibit(const QString& what, const QString& who, const QString& why,
                                  const QString& mode);

 private:
  QString name_;
  QDBusConnection bus_;
  bool ready_ = false;
  std::vector<int> delayReadEnds_;  // EOF once every copy of the write end is closed
};

}  // namespace bv::test
