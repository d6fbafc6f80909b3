// The guard following the desktop session on D-Bus: built with the watcher, in the library
// that links QtDBus, so that the window's own library does not need it.

#include "app/DesktopLockWatcher.h"
#include "app/SessionLockGuard.h"

namespace bv {

void SessionLockGuard::Follow(DesktopLockWatcher& watcher) {
  connect(&watcher, &DesktopLockWatcher::screenLocked, this, &SessionLockGuard::ScreenLocked);
  connect(&watcher, &DesktopLockWatcher::sleepComing, this,
          [this, &watcher] { SleepComing([&watcher] { watcher.ReleaseSleepDelay(); }); });
}

}  // namespace bv
