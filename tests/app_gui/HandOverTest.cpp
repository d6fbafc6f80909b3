// One program per desktop: a later start hands its command line to the running one, which
// opens the file named without ever losing the profile it has open.

#include <gtest/gtest.h>

#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLocalServer>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <QtEndian>
#include <csignal>
#include <cstring>

#include "app/HandOver.h"
#include "app/HandOverMessage.h"
#include "app/SingleInstance.h"
#include "app/TFPrincipal.h"
#include "browser/TreeModel.h"
#include "support/ProfileFixtures.h"
#include "support/ScratchFolder.h"
#include "support/gui/SessionHarness.h"

namespace bv {
namespace {

using test::Inside;
using test::ScratchFolder;
using test::SessionHarness;
using Role = SingleInstance::Role;

QString Text(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

// A later start, run on its own thread as a second process would: its blocking hand-over
// needs the primary's event loop, which this thread keeps turning.
Role StartAnother(const QString& runtimeDir, const QStringList& arguments) {
  Role role = Role::Alone;
  std::unique_ptr<QThread> later(QThread::create([&] {
    SingleInstance second(runtimeDir);
    role = second.Start(arguments);
  }));
  later->start();
  QElapsedTimer clock;
  clock.start();
  while (!later->isFinished() && clock.elapsed() < 20000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  later->wait();
  return role;
}

TEST(SingleInstance, ALaterStartHandsItsCommandLineOverAndFileNamesBecomeAbsolute) {
  ScratchFolder runtime;
  ::chmod(runtime.path().c_str(), 0700);
  SingleInstance first(Text(runtime.path()));
  ASSERT_EQ(first.Start({}), Role::Primary);
  QList<QStringList> received;
  QObject::connect(&first, &SingleInstance::commandLineReceived,
                   [&](const QStringList& arguments) { received << arguments; });

  EXPECT_EQ(StartAnother(Text(runtime.path()), {QStringLiteral("perfil.bv3")}), Role::HandedOver);
  EXPECT_EQ(StartAnother(Text(runtime.path()), {}), Role::HandedOver);
  QCoreApplication::processEvents();
  ASSERT_EQ(received.size(), 2);
  EXPECT_EQ(received[0],
            QStringList{QDir::current().absoluteFilePath(QStringLiteral("perfil.bv3"))});
  EXPECT_TRUE(received[1].isEmpty());

  struct stat st {};
  ASSERT_EQ(::stat(QFile::encodeName(first.SocketPath()).constData(), &st), 0);
  EXPECT_EQ(st.st_mode & 077, 0u) << "others must not reach the socket";
}

TEST(SingleInstance, LeftoversOfADeadProgramAndUnsafeFoldersDoNotStopAStart) {
  ScratchFolder runtime;
  ::chmod(runtime.path().c_str(), 0700);
  // A socket file and a lock left by a program that died (no process has pid 2^22+1).
  std::filesystem::create_directories(runtime / "brindlevault");
  test::WriteFile(runtime / "brindlevault" / "instance.lock", "4194305\nbrindlevault\n\n");
  {
    QLocalServer stale;
    ASSERT_TRUE(stale.listen(Text(runtime / "brindlevault" / "instance.sock")));
  }
  SingleInstance first(Text(runtime.path()));
  EXPECT_EQ(first.Start({}), Role::Primary);

  EXPECT_EQ(SingleInstance(QString()).Start({}), Role::Alone);  // no runtime folder: no /tmp
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(Text(runtime.path())));
  EXPECT_EQ(SingleInstance::RuntimeDirFromEnvironment(), Text(runtime.path()));
  ::chmod(runtime.path().c_str(), 0755);
  EXPECT_TRUE(SingleInstance::RuntimeDirFromEnvironment().isEmpty()) << "a folder others may enter";
  qunsetenv("XDG_RUNTIME_DIR");
  EXPECT_TRUE(SingleInstance::WantsNewInstance(
      {QStringLiteral("--new-instance"), QStringLiteral("p.bv3")}));
  EXPECT_EQ(
      SingleInstance::WithoutOptions({QStringLiteral("--new-instance"), QStringLiteral("p.bv3")}),
      QStringList{QStringLiteral("p.bv3")});
}

TEST(SingleInstance, AHandedOverFileOpensOnlyIfItIsAProfile) {
  SessionHarness h;
  h.Start();
  const auto open = h.MakeProfile("abierto.bv3");
  const auto other = h.MakeProfile("otro.bv3", {.password = "", .title = "Otro perfil"});
  h.OpenWithDialog(open);
  ASSERT_TRUE(h.ProfileOpen());
  test::WriteFile(h.Path("notas.bv3"), std::string(300, 'x'));

  ReceiveCommandLine(h.window(), h.session(), {Text(h.Path("falta.bv3"))});
  ReceiveCommandLine(h.window(), h.session(), {Text(h.Path("notas.bv3"))});
  ReceiveCommandLine(h.window(), h.session(), {Text(open)});
  EXPECT_EQ(Inside(h.window()).Session().ProfilePath, open) << "the open profile stays open";
  EXPECT_TRUE(h.ProfileOpen());
  ASSERT_EQ(h.Boxes().size(), 2);
  EXPECT_TRUE(h.Boxes()[0].contains(Text(h.Path("falta.bv3")))) << h.Boxes()[0].toStdString();
  EXPECT_TRUE(h.Boxes()[1].contains(QStringLiteral("no es un perfil")))
      << h.Boxes()[1].toStdString();

  ReceiveCommandLine(h.window(), h.session(), {Text(other)});
  EXPECT_EQ(Inside(h.window()).Session().ProfilePath, other);
  EXPECT_EQ(h.Caption(), QStringLiteral("Brindlevault 3.5 - [Otro perfil]"));
}

// A client the toolkit knows nothing of, as any program of the user may open one.
int RawConnect(const QString& socketPath) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, QFile::encodeName(socketPath).constData(),
               sizeof address.sun_path - 1);
  if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
    return fd;
  if (fd >= 0) ::close(fd);
  return -1;
}

// Whether the running program closed the connection, while its event loop turns.
bool ClosedByTheServer(int fd) {
  return QTest::qWaitFor(
      [fd] {
        char byte = 0;
        const ssize_t got = ::recv(fd, &byte, 1, MSG_DONTWAIT);
        return got == 0 || (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
      },
      3 * SingleInstance::kIdleMilliseconds);
}

QByteArray Numbers(std::initializer_list<quint32> values) {
  QByteArray bytes;
  for (quint32 value : values) {
    char big[4];
    qToBigEndian(value, big);
    bytes.append(big, 4);
  }
  return bytes;
}

struct RunningInstance {
  ScratchFolder runtime;
  std::unique_ptr<SingleInstance> instance;
  QList<QStringList> received;

  RunningInstance() {
    ::chmod(runtime.path().c_str(), 0700);
    instance = std::make_unique<SingleInstance>(Text(runtime.path()));
    EXPECT_EQ(instance->Start({}), Role::Primary);
    QObject::connect(instance.get(), &SingleInstance::commandLineReceived,
                     [this](const QStringList& arguments) { received << arguments; });
  }
};

// What any program of the user may write to the socket: nothing of it is taken, each
// connection is closed, and a real later start is still heard.
TEST(SingleInstance, MessagesThatAreNoCommandLineAreRefusedAndTheConnectionClosed) {
  RunningInstance running;
  const quint32 magic = kHandOverMagic;
  const QByteArray hostile[] = {
      // 38 bytes that claim 2^27 arguments
      Numbers({magic, 30, 1u << 27}) + QByteArray(26, 'x'),
      Numbers({magic, 1u << 30}),                         // a payload of 1 GiB
      Numbers({magic, 12, 1, 100}) + QByteArray(4, 'x'),  // an argument beyond the end
      Numbers({magic, 8, 2, 0}),                          // fewer arguments than claimed
      Numbers({0x42563301, 4, 0}),                        // another protocol
      QByteArray(8, '\0'),
  };
  for (const QByteArray& message : hostile) {
    SCOPED_TRACE(message.left(16).toHex().toStdString());
    const int fd = RawConnect(running.instance->SocketPath());
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, message.constData(), message.size()), message.size());
    EXPECT_TRUE(ClosedByTheServer(fd));
    ::close(fd);
  }
  // A client that connects and says nothing is closed too.
  const int idle = RawConnect(running.instance->SocketPath());
  ASSERT_GE(idle, 0);
  EXPECT_TRUE(ClosedByTheServer(idle));
  ::close(idle);
  EXPECT_TRUE(running.received.isEmpty());

  // One message a connection: what follows the first is never read.
  const int twice = RawConnect(running.instance->SocketPath());
  const QByteArray one = *EncodeHandOver({QStringLiteral("/a.bv3")});
  const QByteArray both = one + *EncodeHandOver({QStringLiteral("/b.bv3")});
  ASSERT_EQ(::write(twice, both.constData(), both.size()), both.size());
  EXPECT_TRUE(ClosedByTheServer(twice));
  ::close(twice);
  QCoreApplication::processEvents();
  EXPECT_EQ(running.received, QList<QStringList>{{QStringLiteral("/a.bv3")}});

  EXPECT_EQ(StartAnother(Text(running.runtime.path()), {}), Role::HandedOver);
}

// Hundreds of connections held open by another process, with few descriptors left: the
// running program keeps listening and a later start still hands its command line over.
TEST(SingleInstance, ManyIdleConnectionsDoNotStopTheServer) {
  RunningInstance running;
  constexpr int kConnections = 300;
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const QByteArray socketPath = QFile::encodeName(running.instance->SocketPath());
  const pid_t holder = ::fork();
  ASSERT_GE(holder, 0);
  if (holder == 0) {  // only async-signal-safe calls here
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, socketPath.constData(), socketPath.size());
    for (int k = 0; k < kConnections; ++k) {
      const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
      ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    }
    const char done = 'd';
    (void)!::write(ready[1], &done, 1);
    ::pause();
    ::_exit(0);
  }
  ::close(ready[1]);
  rlimit before{};
  ::getrlimit(RLIMIT_NOFILE, &before);
  const int open = static_cast<int>(QDir(QStringLiteral("/proc/self/fd")).count());
  rlimit few = before;
  few.rlim_cur = static_cast<rlim_t>(open + 32);
  ::setrlimit(RLIMIT_NOFILE, &few);
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        pollfd done{ready[0], POLLIN, 0};
        return ::poll(&done, 1, 0) == 1;
      },
      20000));
  QTest::qWait(200);  // the last connections reach the server
  const Role role = StartAnother(Text(running.runtime.path()), {QStringLiteral("/p.bv3")});
  ::setrlimit(RLIMIT_NOFILE, &before);
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  ::close(ready[0]);
  EXPECT_EQ(role, Role::HandedOver);
  QCoreApplication::processEvents();
  EXPECT_EQ(running.received, QList<QStringList>{{QStringLiteral("/p.bv3")}});
}

// A later start whose file the window reports in a box: the second process ends while the box
// is open, the box is closed, and the running program carries on with its unsaved edit.
TEST(SingleInstance, ABoxForAHandedOverFileLeavesTheRunningProgramWhole) {
  RunningInstance running;
  SessionHarness h;
  h.Start();
  const auto open = h.MakeProfile("abierto.bv3");
  h.OpenWithDialog(open);
  ASSERT_TRUE(h.ProfileOpen());
  Inside(h.window())
      .TreeModel()
      .Append(Inside(h.window()).Tree().First(), test::SampleAccount("Sin guardar"));
  Inside(h.window()).SetModified();
  FollowHandOvers(*running.instance, h.window(), h.session());

  QProcess second;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), Text(running.runtime.path()));
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  second.setProcessEnvironment(environment);
  h.fakes.boxes->whileShown = [&second] {
    QEventLoop reading;
    QObject::connect(&second, &QProcess::finished, &reading, &QEventLoop::quit);
    if (second.state() != QProcess::NotRunning) reading.exec();
    QTest::qWait(200);  // the socket sees the other end go
  };
  second.start(QStringLiteral(BV_RUNTIME_DIR "/brindlevault"), {Text(h.Path("falta.bv3"))});
  ASSERT_TRUE(second.waitForStarted());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !h.Boxes().isEmpty(); }, 20000));
  QTest::qWait(200);
  h.fakes.boxes->whileShown = nullptr;
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_TRUE(h.Boxes().front().contains(Text(h.Path("falta.bv3"))));
  EXPECT_TRUE(h.ProfileOpen());
  EXPECT_TRUE(Inside(h.window()).Session().Modified);
  EXPECT_NE(h.Shape().find("Sin guardar"), std::string::npos) << h.Shape();
}

}  // namespace
}  // namespace bv
