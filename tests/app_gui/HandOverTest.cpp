// One program per desktop: a later start hands its command line to the running one, which
// opens the file named without ever losing the profile it has open.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QThread>

#include "app/HandOver.h"
#include "app/SingleInstance.h"
#include "support/ScratchFolder.h"
#include "support/gui/SessionHarness.h"

namespace bv {
namespace {

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
  EXPECT_EQ(h.window().Session().ProfilePath, open) << "the open profile stays open";
  EXPECT_TRUE(h.ProfileOpen());
  ASSERT_EQ(h.Boxes().size(), 2);
  EXPECT_TRUE(h.Boxes()[0].contains(Text(h.Path("falta.bv3")))) << h.Boxes()[0].toStdString();
  EXPECT_TRUE(h.Boxes()[1].contains(QStringLiteral("no es un perfil")))
      << h.Boxes()[1].toStdString();

  ReceiveCommandLine(h.window(), h.session(), {Text(other)});
  EXPECT_EQ(h.window().Session().ProfilePath, other);
  EXPECT_EQ(h.Caption(), QStringLiteral("Brindlevault 3.5 - [Otro perfil]"));
}

}  // namespace
}  // namespace bv
