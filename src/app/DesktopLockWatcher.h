#pragma once
// Hears the desktop lock the screen and the computer get ready to sleep, on D-Bus:
//   session bus  org.freedesktop.ScreenSaver and org.gnome.ScreenSaver, ActiveChanged(true);
//   system bus   logind's Lock of the session the program runs in (its own object path,
//                asked of the manager by XDG_SESSION_ID or by process), and the manager's
//                PrepareForSleep(true).
// logind suspends as soon as it has announced the sleep unless someone holds a delay lock,
// so one is taken in advance and given back once the profile has been dealt with (logind
// waits a few seconds at most); it is taken again after the computer resumes.
// A bus that cannot be reached leaves its part silent: the program runs on without it.

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QString>

namespace bv {

// The buses to listen on, by address; empty: the user's session bus and the system bus.
struct LockBuses {
  QString session;
  QString system;
};

class DesktopLockWatcher : public QObject {
  Q_OBJECT

 public:
  explicit DesktopLockWatcher(const LockBuses& buses = {}, QObject* parent = nullptr);
  ~DesktopLockWatcher() override;

  // Gives back the delay lock: the computer may sleep now.
  void ReleaseSleepDelay();
  [[nodiscard]] bool HoldsSleepDelay() const { return sleepDelay_.isValid(); }
  // The logind session whose Lock is heard; empty until the manager has answered.
  [[nodiscard]] QString SessionPath() const { return sessionPath_; }

 signals:
  void screenLocked();
  // The computer sleeps once ReleaseSleepDelay has been called.
  void sleepComing();

 private slots:
  void ScreenSaverActiveChanged(bool active);
  void SessionLocked();
  void PrepareForSleep(bool starting);

 private:
  void FindOwnSession(bool byProcess);
  void TakeSleepDelay();

  QStringList privateConnections_;  // the ones opened by address, closed with the watcher
  QDBusConnection session_;
  QDBusConnection system_;
  QString sessionPath_;
  QDBusUnixFileDescriptor sleepDelay_;
  bool takingDelay_ = false;
};

}  // namespace bv
