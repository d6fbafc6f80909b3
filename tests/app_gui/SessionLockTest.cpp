// Locking the screen and sleeping, played on a private bus by fake desktop services: what
// the watcher hears (the screen savers, its own logind session only, the sleep with its
// delay lock), and what happens to the open profile, the clipboard and open dialogs.

#include <gtest/gtest.h>

#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "PrivateBus.h"
#include "app/DesktopLockWatcher.h"
#include "app/SessionLockGuard.h"
#include "support/gui/SessionHarness.h"

namespace bv {
namespace {

using test::FakeDesktopServices;
using test::Inside;
using test::Login;
using test::ModalScript;
using test::PrivateBus;
using test::ProfileSetup;
using test::SessionHarness;

bool Eventually(const std::function<bool()>& done) {
  for (int k = 0; k < 300 && !done(); ++k) QTest::qWait(10);
  return done();
}

// XDG_SESSION_ID as the desktop sets it, or unset; restored afterwards.
class SessionIdVariable {
 public:
  explicit SessionIdVariable(const char* value)
      : saved_(qgetenv("XDG_SESSION_ID")), had_(qEnvironmentVariableIsSet("XDG_SESSION_ID")) {
    if (value)
      qputenv("XDG_SESSION_ID", value);
    else
      qunsetenv("XDG_SESSION_ID");
  }
  ~SessionIdVariable() {
    if (had_)
      qputenv("XDG_SESSION_ID", saved_);
    else
      qunsetenv("XDG_SESSION_ID");
  }

 private:
  QByteArray saved_;
  bool had_;
};

// A bus, the desktop's services on it, and the program's watcher listening there for both
// the session's and the system's signals, once it has found its session and taken its lock.
struct Desktop {
  explicit Desktop(const char* sessionId = FakeDesktopServices::kOwnSessionId) : id(sessionId) {}
  SessionIdVariable id;
  PrivateBus bus;
  FakeDesktopServices services{bus.address()};
  DesktopLockWatcher watcher{LockBuses{bus.address(), bus.address()}};

  bool Ready() {
    return services.Ready() && Eventually([this] {
             return watcher.HoldsSleepDelay() && !watcher.SessionPath().isEmpty();
           });
  }
};

TEST(SessionLock, TheWatcherHearsTheScreenSaversAndItsOwnSessionOnly) {
  for (const char* sessionId :
       {FakeDesktopServices::kOwnSessionId, "99", static_cast<const char*>(nullptr)}) {
    SCOPED_TRACE(sessionId ? sessionId : "no XDG_SESSION_ID");
    Desktop d(sessionId);  // an unknown or missing id: the session is found by process
    ASSERT_TRUE(d.Ready());
    EXPECT_EQ(d.watcher.SessionPath(), FakeDesktopServices::kOwnSessionPath);
    int locks = 0;
    QObject::connect(&d.watcher, &DesktopLockWatcher::screenLocked, [&] { ++locks; });

    d.services.SessionLock(FakeDesktopServices::kOtherSessionPath);
    d.services.SessionLock("/org/freedesktop/login1/session/auto");
    d.services.ScreenSaverActive("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
                                 false);
    QTest::qWait(150);
    EXPECT_EQ(locks, 0);
    d.services.SessionLock(FakeDesktopServices::kOwnSessionPath);
    EXPECT_TRUE(Eventually([&] { return locks == 1; }));
    d.services.ScreenSaverActive("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
                                 true);
    EXPECT_TRUE(Eventually([&] { return locks == 2; }));
    d.services.ScreenSaverActive("org.gnome.ScreenSaver", "/org/gnome/ScreenSaver", true);
    EXPECT_TRUE(Eventually([&] { return locks == 3; }));
  }
}

TEST(SessionLock, TheSleepDelayIsHeldUntilGivenBackAndTakenAgainAfterResume) {
  Desktop d;
  ASSERT_TRUE(d.Ready());
  EXPECT_EQ(d.services.inhibitCalls, 1);
  EXPECT_EQ(d.services.inhibitArguments.value(0), "sleep");
  EXPECT_EQ(d.services.inhibitArguments.value(3), "delay");
  EXPECT_TRUE(d.services.LastDelayHeld());
  int sleeps = 0;
  QObject::connect(&d.watcher, &DesktopLockWatcher::sleepComing, [&] { ++sleeps; });

  d.services.PrepareForSleep(true);
  ASSERT_TRUE(Eventually([&] { return sleeps == 1; }));
  EXPECT_TRUE(d.services.LastDelayHeld()) << "held until the program gives it back";
  d.watcher.ReleaseSleepDelay();
  EXPECT_TRUE(Eventually([&] { return !d.services.LastDelayHeld(); }));

  d.services.PrepareForSleep(false);  // resumed
  EXPECT_TRUE(Eventually([&] { return d.watcher.HoldsSleepDelay(); }));
  EXPECT_EQ(d.services.inhibitCalls, 2);
  EXPECT_TRUE(d.services.LastDelayHeld());
  EXPECT_EQ(sleeps, 1);
}

enum class Event {
  Lock,
  Sleep
};

void Send(Desktop& d, Event event) {
  if (event == Event::Lock)
    d.services.ScreenSaverActive("org.gnome.ScreenSaver", "/org/gnome/ScreenSaver", true);
  else
    d.services.PrepareForSleep(true);
}

// The window with its guard following a watcher on the private bus.
struct LockedWindow {
  explicit LockedWindow(const std::string& settings = {}) {
    if (!settings.empty()) h.folder.WriteSettings(settings);
    h.Start();
    h.window().LockGuard().Follow(d.watcher);
  }
  SessionHarness h;
  Desktop d;
};

TEST(SessionLock, AnUnchangedProfileClosesAfterItsDialogsAndOffersItsLoginBoxAgain) {
  for (const Event event : {Event::Lock, Event::Sleep}) {
    SCOPED_TRACE(event == Event::Lock ? "lock" : "sleep");
    LockedWindow l;
    ASSERT_TRUE(l.d.Ready());
    SessionHarness& h = l.h;
    const auto path = h.MakeProfile("cerrado.bv3", ProfileSetup{"Secreto"});
    {
      ModalScript script;
      script.Then("FInicioSesion", Login("Secreto"));
      h.OpenWithDialog(path);
      ASSERT_TRUE(h.ProfileOpen());
    }
    Inside(h.window()).GetSeams().clipboard->SetText(QStringLiteral("s3cr€t"));  // F2

    bool closedAndEmptied = false, delayGivenBack = false, openWhenGivenBack = true;
    l.d.services.onDelayGivenBack = [&] {
      delayGivenBack = true;
      openWhenGivenBack = h.ProfileOpen();
    };
    int dialogResult = -1;
    ModalScript script;
    script.Then("Ocupado", [&](QWidget*) { Send(l.d, event); })
        .Then("FInicioSesion", [&](QWidget* box) {
          closedAndEmptied =
              !h.ProfileOpen() && h.Shape().empty() && h.fakes.clipboard->text.isEmpty();
          if (event == Event::Sleep) Eventually([&] { return delayGivenBack; });
          Login("Secreto")(box);
        });
    QTimer::singleShot(0, &h.window(), [&] {
      QDialog busy(&h.window());
      busy.setObjectName(QStringLiteral("Ocupado"));
      dialogResult = busy.exec();
    });
    EXPECT_TRUE(Eventually([&] { return script.Done() && h.ProfileOpen(); }));
    EXPECT_TRUE(script.unexpected.isEmpty()) << script.unexpected.join(' ').toStdString();
    EXPECT_EQ(dialogResult, QDialog::Rejected);
    EXPECT_TRUE(closedAndEmptied);
    EXPECT_EQ(delayGivenBack, event == Event::Sleep) << "while the login box waits";
    EXPECT_EQ(openWhenGivenBack, event == Event::Lock)
        << "the computer sleeps only after the close";
    EXPECT_EQ(Inside(h.window()).Session().ProfilePath, path);
    EXPECT_TRUE(h.Boxes().isEmpty());
  }
}

TEST(SessionLock, UnsavedChangesKeepTheProfileOpenButOurCopyLeavesTheClipboard) {
  for (const Event event : {Event::Lock, Event::Sleep}) {
    SCOPED_TRACE(event == Event::Lock ? "lock" : "sleep");
    LockedWindow l;
    ASSERT_TRUE(l.d.Ready());
    SessionHarness& h = l.h;
    h.OpenWithDialog(h.MakeProfile("a.bv3"));
    ASSERT_TRUE(h.ProfileOpen());
    Inside(h.window()).SetModified();
    const std::string shape = h.Shape();
    ClipboardAccess& clipboard = *Inside(h.window()).GetSeams().clipboard;

    clipboard.SetText(QStringLiteral("s3cr€t"));
    Send(l.d, event);
    EXPECT_TRUE(Eventually([&] { return h.fakes.clipboard->text.isEmpty(); }));
    EXPECT_TRUE(event == Event::Lock || Eventually([&] { return !l.d.services.LastDelayHeld(); }))
        << "the computer may sleep at once";
    // The user's own copy, made since, is not ours to empty.
    clipboard.SetText(QStringLiteral("s3cr€t"));
    h.fakes.clipboard->text = QStringLiteral("del usuario");
    Send(l.d, event);
    QTest::qWait(200);
    EXPECT_EQ(h.fakes.clipboard->text, "del usuario");
    EXPECT_TRUE(h.ProfileOpen());
    EXPECT_TRUE(Inside(h.window()).Session().Modified);
    EXPECT_EQ(h.Shape(), shape);
    EXPECT_TRUE(h.Boxes().isEmpty());
  }
}

TEST(SessionLock, WithItsOptionOffAnEventChangesNothing) {
  LockedWindow l("[Configuracion]\r\nCerrarAlBloquear=0\r\nCerrarAlSuspender=0\r\n");
  ASSERT_TRUE(l.d.Ready());
  SessionHarness& h = l.h;
  h.OpenWithDialog(h.MakeProfile("a.bv3"));
  ASSERT_TRUE(h.ProfileOpen());
  Inside(h.window()).GetSeams().clipboard->SetText(QStringLiteral("s3cr€t"));
  Send(l.d, Event::Lock);
  Send(l.d, Event::Sleep);
  EXPECT_TRUE(Eventually([&] { return !l.d.services.LastDelayHeld(); }))
      << "the computer may sleep at once";
  QTest::qWait(100);
  EXPECT_TRUE(h.ProfileOpen());
  EXPECT_EQ(h.fakes.clipboard->text, "s3cr€t");
}

}  // namespace
}  // namespace bv
