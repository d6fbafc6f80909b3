#include "app/SessionLockGuard.h"

#include <QTimer>
#include <QWidget>
#include <utility>

#include "app/OpenWindowsDismisser.h"
#include "app/ProfileSession.h"
#include "app/SessionController.h"
#include "app/WindowSettings.h"
#include "ui/Seams.h"

namespace bv {

SessionLockGuard::SessionLockGuard(const Parts& parts, QObject* parent)
    : QObject(parent), parts_(parts), dismisser_(new OpenWindowsDismisser(parts.window, this)) {}

void SessionLockGuard::ScreenLocked() {
  Apply(parts_.flags.CerrarAlBloquear, [] {});
}

void SessionLockGuard::SleepComing(std::function<void()> letSleep) {
  Apply(parts_.flags.CerrarAlSuspender, std::move(letSleep));
}

void SessionLockGuard::Apply(bool optionOn, std::function<void()> done) {
  if (!optionOn) {
    done();
    return;
  }
  EmptyOurCopies();
  // Nothing to close (a login box offered after an earlier lock stays where it is), or
  // nothing to close without losing edits.
  const SessionState& session = parts_.profile.State();
  if (!session.ProfileOpen || session.Modified) {
    done();
    return;
  }
  dismisser_->DismissThen([this, done = std::move(done)] {
    // The login box offered after the close runs an event loop of its own, which would hold
    // the computer awake until the user's return: done runs from that loop, once the
    // profile is closed.
    QTimer::singleShot(0, this, done);
    parts_.sessions.CloseIdleProfile();
  });
}

// Only what the program copied: a text the user copied since, here or elsewhere, stays.
void SessionLockGuard::EmptyOurCopies() {
  ClipboardAccess& clipboard = parts_.clipboard;
  if (clipboard.HoldsLastCopy()) static_cast<void>(clipboard.Clear());  // nobody to tell now
}

}  // namespace bv
