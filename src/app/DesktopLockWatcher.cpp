#include "app/DesktopLockWatcher.h"

#include <unistd.h>

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include "config/MessageIds.h"
#include "config/QtText.h"

namespace bv {
namespace {

const QString kLogin = QStringLiteral("org.freedesktop.login1");
const QString kLoginPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kSession = QStringLiteral("org.freedesktop.login1.Session");

struct ScreenSaver {
  const char* service;
  const char* path;
};
constexpr ScreenSaver kScreenSavers[] = {
    {"org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver"},
    {"org.freedesktop.ScreenSaver", "/ScreenSaver"},  // KDE's older path
    {"org.gnome.ScreenSaver", "/org/gnome/ScreenSaver"},
};

// A connection of its own to the bus at address, or the standard bus.
QDBusConnection Connect(const QString& address, QDBusConnection::BusType standard,
                        const QString& name, QStringList& opened) {
  if (address.isEmpty())
    return standard == QDBusConnection::SessionBus ? QDBusConnection::sessionBus()
                                                   : QDBusConnection::systemBus();
  opened.append(name);
  return QDBusConnection::connectToBus(address, name);
}

}  // namespace

DesktopLockWatcher::DesktopLockWatcher(const LockBuses& buses, QObject* parent)
    : QObject(parent),
      session_(Connect(buses.session, QDBusConnection::SessionBus,
                       QStringLiteral("bv-lock-session-%1").arg(quintptr(this)),
                       privateConnections_)),
      system_(Connect(buses.system, QDBusConnection::SystemBus,
                      QStringLiteral("bv-lock-system-%1").arg(quintptr(this)),
                      privateConnections_)) {
  if (session_.isConnected())
    for (const ScreenSaver& saver : kScreenSavers)
      session_.connect(QLatin1String(saver.service), QLatin1String(saver.path),
                       QLatin1String(saver.service), QStringLiteral("ActiveChanged"), this,
                       SLOT(ScreenSaverActiveChanged(bool)));
  if (!system_.isConnected()) return;
  system_.connect(kLogin, kLoginPath, kManager, QStringLiteral("PrepareForSleep"), this,
                  SLOT(PrepareForSleep(bool)));
  FindOwnSession(qEnvironmentVariableIsEmpty("XDG_SESSION_ID"));
  TakeSleepDelay();
}

DesktopLockWatcher::~DesktopLockWatcher() {
  ReleaseSleepDelay();
  for (const QString& name : privateConnections_) QDBusConnection::disconnectFromBus(name);
}

void DesktopLockWatcher::ReleaseSleepDelay() { sleepDelay_ = QDBusUnixFileDescriptor(); }

void DesktopLockWatcher::ScreenSaverActiveChanged(bool active) {
  if (active) emit screenLocked();
}

void DesktopLockWatcher::SessionLocked() { emit screenLocked(); }

void DesktopLockWatcher::PrepareForSleep(bool starting) {
  if (starting)
    emit sleepComing();
  else
    TakeSleepDelay();  // resumed: ready for the next sleep
}

// Lock is sent on the session's own path (".../session/_32"), never on the alias
// ".../session/auto", so the path is asked for: by the session id the desktop gave us,
// else by our process, which also serves when the id is unknown to the manager.
void DesktopLockWatcher::FindOwnSession(bool byProcess) {
  QDBusMessage call = QDBusMessage::createMethodCall(
      kLogin, kLoginPath, kManager,
      byProcess ? QStringLiteral("GetSessionByPID") : QStringLiteral("GetSession"));
  if (byProcess)
    call << quint32(::getpid());
  else
    call << qEnvironmentVariable("XDG_SESSION_ID");
  // Asked without waiting: the window must not hang on a slow or missing manager.
  auto* watcher = new QDBusPendingCallWatcher(system_.asyncCall(call), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this,
          [this, byProcess](QDBusPendingCallWatcher* finished) {
            finished->deleteLater();
            const QDBusPendingReply<QDBusObjectPath> reply = *finished;
            if (reply.isError()) {
              if (!byProcess) FindOwnSession(true);
              return;
            }
            sessionPath_ = reply.value().path();
            system_.connect(kLogin, sessionPath_, kSession, QStringLiteral("Lock"), this,
                            SLOT(SessionLocked()));
          });
}

void DesktopLockWatcher::TakeSleepDelay() {
  if (HoldsSleepDelay() || takingDelay_) return;
  takingDelay_ = true;
  QDBusMessage call =
      QDBusMessage::createMethodCall(kLogin, kLoginPath, kManager, QStringLiteral("Inhibit"));
  call << QStringLiteral("sleep") << QStringLiteral("Brindlevault") << Msg(msg::kSleepDelayReason)
       << QStringLiteral("delay");
  auto* watcher = new QDBusPendingCallWatcher(system_.asyncCall(call), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this,
          [this](QDBusPendingCallWatcher* finished) {
            finished->deleteLater();
            takingDelay_ = false;
            const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *finished;
            if (!reply.isError()) sleepDelay_ = reply.value();
          });
}

}  // namespace bv
