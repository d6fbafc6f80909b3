#pragma once
// What the program does when the desktop locks the screen or the computer is about to sleep,
// each when its option is on (CerrarAlBloquear, CerrarAlSuspender): the copies it put on the
// clipboard are emptied at once, and the open profile is closed as the idle lock closes it.
// Dialogs open over the window are dismissed first; a profile with unsaved changes is left
// open and untouched (and its dialogs with it); a closed profile offers the login box of the
// same file again, which waits for the user's return.

#include <QObject>
#include <functional>

namespace bv {

class DesktopLockWatcher;
class OpenWindowsDismisser;
class TFPrincipal;

class SessionLockGuard : public QObject {
  Q_OBJECT

 public:
  explicit SessionLockGuard(TFPrincipal& window, QObject* parent = nullptr);

  // Acts on what the watcher hears; a sleep lets the computer go once it has been dealt with.
  void Follow(DesktopLockWatcher& watcher);

  void ScreenLocked();
  // letSleep runs once the profile is closed or left open, and at once when the option is off.
  void SleepComing(std::function<void()> letSleep);

 private:
  void Apply(bool optionOn, std::function<void()> done);
  void EmptyOurCopies();

  TFPrincipal& window_;
  OpenWindowsDismisser* dismisser_;
};

}  // namespace bv
