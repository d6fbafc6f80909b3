// The general handler around the main window: a command that fails, whatever the failure
// and however the event loop started it, shows the failure in a box and leaves the profile
// as it was; the program goes on and the next command works.

#include <botan/exceptn.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <QTimer>
#include <new>
#include <stdexcept>
#include <system_error>

#include "support/gui/SessionHarness.h"
#include "ui/GuardedApplication.h"

namespace bv {
namespace {

using test::Inside;
struct Kind {
  const char* name;
  std::function<void()> thrower;
  QString text;
};

TEST(GeneralHandler, AFailingCommandLeavesTheProfileAsItWas) {
  auto* app = qobject_cast<GuardedApplication*>(QCoreApplication::instance());
  ASSERT_NE(app, nullptr);
  test::SessionHarness h;
  h.Start();
  app->ReportTo(h.fakes.boxes);
  h.OpenWithDialog(h.MakeProfile("p.bv3"));
  ASSERT_TRUE(h.ProfileOpen());
  Inside(h.window()).SetModified();  // an edit not saved yet
  const std::string shape = h.Shape();
  const QString caption = h.Caption();

  const Kind kinds[] = {
      {"runtime_error", [] { throw std::runtime_error("gzip: deflate failed"); },
       QStringLiteral("gzip: deflate failed")},
      {"system_error",
       [] { throw std::system_error(ENOSYS, std::generic_category(), "getrandom"); },
       QString::fromStdString(
           std::system_error(ENOSYS, std::generic_category(), "getrandom").what())},
      {"invalid_argument", [] { throw std::invalid_argument("bad key size"); },
       QStringLiteral("bad key size")},
      {"bad_alloc", [] { throw std::bad_alloc(); },
       QString::fromUtf8("No queda memoria suficiente para terminar esta orden.")},
      {"Botan", [] { throw Botan::Invalid_Argument("Argon2 memory"); },
       QString::fromStdString(Botan::Invalid_Argument("Argon2 memory").what())},
      {"not an exception", [] { throw 7; },
       QString::fromUtf8("Esta orden se ha detenido por un error inesperado.")},
  };
  QAction* exportCommand = h.Act("ActExportarPerfil");
  const std::pair<const char*, std::function<void()>> entries[] = {
      {"queued call",
       [&] { QMetaObject::invokeMethod(exportCommand, &QAction::trigger, Qt::QueuedConnection); }},
      {"timer", [&] { QTimer::singleShot(0, exportCommand, &QAction::trigger); }},
  };
  for (const auto& [entry, start] : entries) {
    for (const Kind& kind : kinds) {
      SCOPED_TRACE(std::string(entry) + ", " + kind.name);
      const auto boxes = h.fakes.boxes->shown.size();
      h.fakes.files->failure = kind.thrower;
      start();
      QTest::qWait(10);
      ASSERT_EQ(h.fakes.boxes->shown.size(), boxes + 1);
      EXPECT_EQ(h.fakes.boxes->shown.back().text, kind.text);
      EXPECT_TRUE(h.ProfileOpen());
      EXPECT_TRUE(Inside(h.window()).Session().Modified);
      EXPECT_TRUE(h.Act("ActGuardar")->isEnabled());
      EXPECT_EQ(h.Shape(), shape);
      EXPECT_EQ(h.Caption(), caption);
    }
  }
  // The program goes on: the unsaved edit is saved as ever.
  h.Trigger("ActGuardar");
  EXPECT_FALSE(Inside(h.window()).Session().Modified);
  app->ReportTo(nullptr);
}

}  // namespace
}  // namespace bv
