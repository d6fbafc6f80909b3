#include "PrivateBus.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QSocketNotifier>
#include <fstream>

namespace bv::test {

PrivateBus::PrivateBus() {
  const auto config = folder_.path() / "bus.conf";
  std::ofstream(config) << R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=)" << folder_.path().string()
                        << R"(</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";
  daemon_.start(QStringLiteral("dbus-daemon"),
                {QStringLiteral("--config-file=%1").arg(QString::fromStdString(config.string())),
                 QStringLiteral("--nofork"), QStringLiteral("--print-address")});
  if (!daemon_.waitForStarted(5000)) return;
  while (!daemon_.canReadLine() && daemon_.waitForReadyRead(5000)) {}
  address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
}

PrivateBus::~PrivateBus() {
  daemon_.terminate();
  if (!daemon_.waitForFinished(3000)) daemon_.kill();
  daemon_.waitForFinished(3000);
}

namespace {

int connections = 0;

const QString kLogin = QStringLiteral("org.freedesktop.login1");
const QString kLoginPath = QStringLiteral("/org/freedesktop/login1");

}  // namespace

FakeDesktopServices::FakeDesktopServices(const QString& address)
    : name_(QStringLiteral("fake-desktop-%1").arg(++connections)),
      bus_(QDBusConnection::connectToBus(address, name_)) {
  if (!bus_.isConnected()) return;
  ready_ = bus_.registerService(kLogin) &&
           bus_.registerService(QStringLiteral("org.freedesktop.ScreenSaver")) &&
           bus_.registerService(QStringLiteral("org.gnome.ScreenSaver")) &&
           bus_.registerObject(kLoginPath, this, QDBusConnection::ExportAllSlots);
}

FakeDesktopServices::~FakeDesktopServices() {
  bus_.unregisterObject(kLoginPath);
  QDBusConnection::disconnectFromBus(name_);
  for (const int fd : delayReadEnds_) ::close(fd);
}

void FakeDesktopServices::Emit(const QString& path, const QString& interface, const QString& name,
                               const QVariantList& arguments) {
  QDBusMessage signal = QDBusMessage::createSignal(path, interface, name);
  signal.setArguments(arguments);
  bus_.send(signal);
}

void FakeDesktopServices::ScreenSaverActive(const char* service, const char* path, bool active) {
  Emit(QLatin1String(path), QLatin1String(service), QStringLiteral("ActiveChanged"), {active});
}

void FakeDesktopServices::SessionLock(const char* sessionPath) {
  Emit(QLatin1String(sessionPath), QStringLiteral("org.freedesktop.login1.Session"),
       QStringLiteral("Lock"));
}

void FakeDesktopServices::PrepareForSleep(bool starting) {
  Emit(kLoginPath, QStringLiteral("org.freedesktop.login1.Manager"),
       QStringLiteral("PrepareForSleep"), {starting});
}

QDBusObjectPath FakeDesktopServices::GetSession(const QString& id) {
  if (id == QLatin1String(kOwnSessionId)) return QDBusObjectPath(QLatin1String(kOwnSessionPath));
  sendErrorReply(QStringLiteral("org.freedesktop.login1.NoSuchSession"), id);
  return {};
}

QDBusObjectPath FakeDesktopServices::GetSessionByPID(uint pid) {
  if (pid == static_cast<uint>(::getpid())) return QDBusObjectPath(QLatin1String(kOwnSessionPath));
  sendErrorReply(QStringLiteral("org.freedesktop.login1.NoSessionForPID"), QString::number(pid));
  return {};
}

QDBusUnixFileDescriptor FakeDesktopServices::Inhibit(const QString& what, const QString& who,
                                                     const QString& why, const QString& mode) {
  ++inhibitCalls;
  inhibitArguments = {what, who, why, mode};
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return {};
  delayReadEnds_.push_back(ends[0]);
  auto* watch = new QSocketNotifier(ends[0], QSocketNotifier::Read, this);
  connect(watch, &QSocketNotifier::activated, this, [this, watch] {
    watch->setEnabled(false);
    if (onDelayGivenBack) onDelayGivenBack();
  });
  QDBusUnixFileDescriptor lock(ends[1]);  // a copy of its own travels with the reply
  ::close(ends[1]);
  return lock;
}

bool FakeDesktopServices::LastDelayHeld() const {
  if (delayReadEnds_.empty()) return false;
  pollfd end{delayReadEnds_.back(), POLLIN, 0};
  // Nobody writes: the end becomes readable (EOF or hang-up) only once the lock is given back.
  return ::poll(&end, 1, 0) == 0;
}

}  // namespace bv::test
