#pragma once
// What the program does when the desktop locks the screen or the computer is about to sleep,
// each when its option is on (CerrarAlBloquear, CerrarAlSuspender): the copies it put on the
// clipboard are emptied at once, and the open profile is closed as the idle lock closes it.
// Dialogs open over the window are dismissed first; a profile with unsaved changes is left
// open and untouched (and its dialogs with it); a closed profile offers the login box of the
// same file again, which waits for the user's return.

#include <QObject>
#include <functional>

class QWidget;

namespace bv {

class ClipboardAccess;
class DesktopLockWatcher;
class OpenWindowsDismisser;
class ProfileSession;
class SessionController;
struct MainWindowFlags;

class SessionLockGuard : public QObject {
  Q_OBJECT

 public:
  // What the guard acts on; every part must outlive this object.
  struct Parts {
    QWidget& window;  // the dialogs over it are dismissed
    const MainWindowFlags& flags;
    const ProfileSession& profile;
    ClipboardAccess& clipboard;
    SessionController& sessions;
  };
  explicit SessionLockGuard(const Parts& parts, QObject* parent = nullptr);

  // Acts on what the watcher hears; a sleep lets the computer go once it has been dealt with
  // (SessionLockFollow.cpp, with the watcher's D-Bus).
  void Follow(DesktopLockWatcher& watcher);

  void ScreenLocked();
  // letSleep runs once the profile is closed or left open, and at once when the option is off.
  void SleepComing(std::function<void()> letSleep);

 private:
  void Apply(bool optionOn, std::function<void()> done);
  void EmptyOurCopies();

  Parts parts_;
  OpenWindowsDismisser* dismisser_;
};

}  // namespace bv
