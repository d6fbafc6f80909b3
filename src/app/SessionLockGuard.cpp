#include "app/SessionLockGuard.h"

#include <QTimer>
#include <utility>

#include "app/DesktopLockWatcher.h"
#include "app/OpenWindowsDismisser.h"
#include "app/SessionController.h"
#include "app/TFPrincipal.h"

namespace bv {

SessionLockGuard::SessionLockGuard(TFPrincipal& window, QObject* parent)
    : QObject(parent), window_(window), dismisser_(new OpenWindowsDismisser(window, this)) {}

void SessionLockGuard::Follow(DesktopLockWatcher& watcher) {
  connect(&watcher, &DesktopLockWatcher::screenLocked, this, &SessionLockGuard::ScreenLocked);
  connect(&watcher, &DesktopLockWatcher::sleepComing, this,
          [this, &watcher] { SleepComing([&watcher] { watcher.ReleaseSleepDelay(); }); });
}

void SessionLockGuard::ScreenLocked() {
  Apply(window_.Flags().CerrarAlBloquear, [] {});
}

void SessionLockGuard::SleepComing(std::function<void()> letSleep) {
  Apply(window_.Flags().CerrarAlSuspender, std::move(letSleep));
}

void SessionLockGuard::Apply(bool optionOn, std::function<void()> done) {
  if (!optionOn) {
    done();
    return;
  }
  EmptyOurCopies();
  // Nothing to close (a login box offered after an earlier lock stays where it is), or
  // nothing to close without losing edits.
  const SessionState& session = window_.Session();
  if (!session.ProfileOpen || session.Modified) {
    done();
    return;
  }
  dismisser_->DismissThen([this, done = std::move(done)] {
    // The login box offered after the close runs an event loop of its own, which would hold
    // the computer awake until the user's return: done runs from that loop, once the
    // profile is closed.
    QTimer::singleShot(0, this, done);
    window_.Sessions().CloseIdleProfile();
  });
}

// Only what the program copied: a text the user copied since, here or elsewhere, stays.
void SessionLockGuard::EmptyOurCopies() {
  ClipboardAccess& clipboard = *window_.GetSeams().clipboard;
  if (clipboard.HoldsLastCopy()) static_cast<void>(clipboard.Clear());  // nobody to tell now
}

}  // namespace bv
