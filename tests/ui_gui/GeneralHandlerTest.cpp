// The general handler: every kind of failure, thrown from every kind of entry the event loop
// has, is shown in an error box, and the program goes on working.

#include <botan/exceptn.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QAction>
#include <QDialog>
#include <QFileSystemWatcher>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <fstream>
#include <functional>
#include <memory>
#include <new>
#include <stdexcept>
#include <system_error>

#include "config/MessageIds.h"
#include "config/Messages.h"
#include "config/QtText.h"
#include "config/Settings.h"
#include "crypto/Exceptions.h"
#include "files/FileFingerprint.h"
#include "files/InOutError.h"
#include "support/gui/FakeSeams.h"
#include "support/gui/WindowHarness.h"
#include "ui/GuardedApplication.h"

namespace bv {
namespace {

const QString kOutOfMemory =
    QString::fromUtf8("No queda memoria suficiente para terminar esta orden.");
const QString kUnexpected = QString::fromUtf8("Esta orden se ha detenido por un error inesperado.");

// The kinds of failure a command may meet, each with the text its box must show.
struct Kind {
  const char* name;
  std::function<void()> thrower;
  QString text;
};

std::vector<Kind> Kinds() {
  return {
      {"runtime_error", [] { throw std::runtime_error("gzip: the stream ended early"); },
       QStringLiteral("gzip: the stream ended early")},
      {"system_error",
       [] { throw std::system_error(ENOSYS, std::generic_category(), "getrandom"); },
       QString::fromStdString(
           std::system_error(ENOSYS, std::generic_category(), "getrandom").what())},
      {"invalid_argument", [] { throw std::invalid_argument("Argon2: too many lanes"); },
       QStringLiteral("Argon2: too many lanes")},
      {"bad_alloc", [] { throw std::bad_alloc(); }, kOutOfMemory},
      {"Botan", [] { throw Botan::Invalid_Key_Length("ChaCha20", 7); },
       QString::fromStdString(Botan::Invalid_Key_Length("ChaCha20", 7).what())},
      {"not an exception", [] { throw 42; }, kUnexpected},
      {"EInOutError", [] { throw EInOutError::FromErrno(ENOTDIR); },
       QString::fromUtf8("Nombre de Archivo inválido")},
      {"EChangedWhileRead", [] { throw EChangedWhileRead(); },
       QString::fromUtf8("El archivo cambió mientras se leía")},
  };
}

class GeneralHandlerTest : public testing::Test {
 protected:
  void SetUp() override {
    LoadMessages(folder_.path() / "res" / kDefaultLanguageFileName);
    app_ = qobject_cast<GuardedApplication*>(QCoreApplication::instance());
    ASSERT_NE(app_, nullptr);
    app_->ReportTo(&boxes_);
  }
  void TearDown() override { app_->ReportTo(nullptr); }

  // The error boxes shown so far.
  QStringList Errors() const {
    QStringList texts;
    for (const auto& shown : boxes_.shown)
      if (shown.kind == test::FakeBoxes::Kind::Error) texts.append(shown.text);
    return texts;
  }

  test::ProgramFolder folder_;  // the Spanish language of the program
  test::FakeBoxes boxes_;
  GuardedApplication* app_ = nullptr;
};

TEST_F(GeneralHandlerTest, EachKindOfFailureHasItsText) {
  for (const Kind& kind : Kinds()) {
    try {
      kind.thrower();
    } catch (...) {
      EXPECT_EQ(FailureText(std::current_exception()), kind.text) << kind.name;
    }
  }
  // Texts of the system in the user's language arrive as UTF-8.
  EXPECT_EQ(FailureText(std::make_exception_ptr(std::runtime_error("Überlauf"))),
            QString::fromUtf8("Überlauf"));
  EXPECT_EQ(FailureText(std::make_exception_ptr(std::runtime_error(""))), kUnexpected);
  EXPECT_EQ(FailureText(std::make_exception_ptr(ENotRegularFile())), Msg(msg::kNotRegularFile));
  EXPECT_TRUE(Msg(msg::kNotRegularFile).startsWith(QStringLiteral("El archivo elegido")));
  EXPECT_EQ(FailureText(std::make_exception_ptr(EStringFormat("Entrada no v\xE1lida"))),
            QString::fromUtf8("Entrada no válida"));
}

// The English window says everything in English: no run-time text of the Spanish file.
TEST_F(GeneralHandlerTest, EveryTextFollowsTheProgramsLanguage) {
  LoadMessages(std::filesystem::path(BV_SOURCE_DIR) / "res" / "English.lng");
  const struct {
    std::exception_ptr failure;
    const char* text;
  } cases[] = {
      {std::make_exception_ptr(EInOutError::FromErrno(EACCES)), "File access denied"},
      {std::make_exception_ptr(EInOutError(kReadBeyondEnd)), "Read beyond end of file"},
      {std::make_exception_ptr(EChangedWhileRead()), "The file changed while it was being read"},
      {std::make_exception_ptr(EInOutError::FromErrno(EIO)), "I/O error 5"},
      {std::make_exception_ptr(ESettingsWriteError("/x/brindlevault.ini")),
       "Unable to write to /x/brindlevault.ini"},
      {std::make_exception_ptr(std::bad_alloc()),
       "There is not enough memory left to finish this command."},
  };
  for (const auto& c : cases) EXPECT_EQ(FailureText(c.failure).toStdString(), c.text);
}

// A command of the window: an action with a shortcut, on a shown widget. It throws the
// failure it is given, or counts a quiet run.
struct Window {
  Window() {
    widget.resize(200, 100);
    action.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    action.setShortcutContext(Qt::WindowShortcut);
    widget.addAction(&action);
    QObject::connect(&action, &QAction::triggered, &widget, [this] {
      if (failure) {
        auto thrower = std::exchange(failure, nullptr);
        thrower();
      }
      ++quietRuns;
    });
    widget.show();
    widget.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&widget));
  }
  void Press() { QTest::keyClick(&widget, Qt::Key_E, Qt::ControlModifier); }

  QWidget widget;
  QAction action{&widget};
  std::function<void()> failure;
  int quietRuns = 0;
};

TEST_F(GeneralHandlerTest, AFailureFromAnActionATimerOrAQueuedCallIsShownAndTheProgramGoesOn) {
  Window window;
  const std::pair<const char*, std::function<void(Window&)>> entries[] = {
      {"action", [](Window& w) { w.Press(); }},
      {"timer",
       [](Window& w) {
         QTimer::singleShot(0, &w.widget, [&w] { w.action.trigger(); });
         QTest::qWait(20);
       }},
      {"queued call",
       [](Window& w) {
         QMetaObject::invokeMethod(&w.action, &QAction::trigger, Qt::QueuedConnection);
         QCoreApplication::processEvents();
       }},
  };
  for (const auto& [entry, run] : entries) {
    for (const Kind& kind : Kinds()) {
      SCOPED_TRACE(std::string(entry) + ", " + kind.name);
      boxes_.shown.clear();
      window.failure = kind.thrower;
      run(window);
      EXPECT_EQ(Errors(), QStringList{kind.text});
      // The same command runs again as if nothing had happened.
      const int before = window.quietRuns;
      run(window);
      EXPECT_EQ(window.quietRuns, before + 1);
      EXPECT_EQ(Errors().size(), 1);
    }
  }
}

// A dialog's button, a watched file and a socket: the failure is shown and the dialog stays
// open, the watcher and the socket keep reporting.
TEST_F(GeneralHandlerTest, DialogsWatchersAndSocketsAreGuardedToo) {
  QDialog dialog;
  auto* button = new QPushButton(QStringLiteral("Aceptar"), &dialog);
  int clicks = 0;
  QObject::connect(button, &QPushButton::clicked, &dialog, [&] {
    if (++clicks == 1) throw std::runtime_error("gzip: the stream ended early");
    dialog.accept();
  });
  QTimer::singleShot(0, &dialog, [&] {
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
  });
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_EQ(Errors(), QStringList{QStringLiteral("gzip: the stream ended early")});

  boxes_.shown.clear();
  const auto file = folder_.path() / "vigilado.txt";
  std::ofstream(file) << "uno";
  QFileSystemWatcher watcher({QString::fromStdString(file.string())});
  int changes = 0;
  QObject::connect(&watcher, &QFileSystemWatcher::fileChanged, &dialog, [&] {
    if (++changes == 1) throw std::bad_alloc();
  });
  std::ofstream(file, std::ios::app) << "dos";
  EXPECT_TRUE(QTest::qWaitFor([&] { return changes == 1; }, 3000));
  std::ofstream(file, std::ios::app) << "tres";
  EXPECT_TRUE(QTest::qWaitFor([&] { return changes >= 2; }, 3000));
  EXPECT_EQ(Errors(), QStringList{kOutOfMemory});

  boxes_.shown.clear();
  int ends[2];
  ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends), 0);
  QSocketNotifier notifier(ends[0], QSocketNotifier::Read);
  int reads = 0;
  QObject::connect(&notifier, &QSocketNotifier::activated, &dialog, [&] {
    char byte;
    if (::read(ends[0], &byte, 1) == 1 && ++reads == 1) throw 42;
  });
  ASSERT_EQ(::write(ends[1], "a", 1), 1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return reads == 1; }, 3000));
  ASSERT_EQ(::write(ends[1], "b", 1), 1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return reads == 2; }, 3000));
  EXPECT_EQ(Errors(), QStringList{kUnexpected});
  ::close(ends[0]);
  ::close(ends[1]);
}

// Without a window to show it in (before the main window exists), a failure is written to
// the standard error output and the program still goes on.
TEST_F(GeneralHandlerTest, WithoutBoxesTheFailureIsWrittenOut) {
  app_->ReportTo(nullptr);
  bool ran = false;
  QTimer::singleShot(0, [] { throw std::runtime_error("sin ventana"); });
  QTimer::singleShot(0, [&] { ran = true; });
  testing::internal::CaptureStderr();
  QTest::qWait(20);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("sin ventana"), std::string::npos);
  EXPECT_TRUE(ran);
  EXPECT_TRUE(boxes_.shown.empty());
}

}  // namespace
}  // namespace bv
