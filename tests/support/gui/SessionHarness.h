#pragma once
// The main window with its profile session, started the way the program starts it, in a
// temporary program folder (no real settings file is touched), with the shipped Spanish
// language, fake seams, and profile files written through the core.

#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/MainMenus.h"
#include "app/SessionController.h"
#include "app/TFPrincipal.h"
#include "support/gui/FakeSeams.h"
#include "support/gui/WindowHarness.h"

class QAction;
class QLineEdit;

namespace bv::test {

struct ProfileSetup {
  std::string password;  // empty: a profile without password
  std::string title = "Cuentas de casa";
  std::string owner = "Ana Mar\355a";
  bool sample = true;  // the sample tree of the profile tests; else no nodes
};

// The sample tree as SessionHarness::ShapeOf writes it.
inline constexpr const char* kSampleShape =
    "Correo(Trabajo(Oficina(cuenta de oficina) Cuenta \xF1) Personal) Juegos(Steam)";

// A path as the file dialogs hand it over.
QString PathText(const std::filesystem::path& path);

class SessionHarness {
 public:
  SessionHarness();
  ~SessionHarness();

  // The window with its session, not shown yet.
  TFPrincipal& Create();
  // Shows the window given these arguments after the program's name; the first activation
  // has run when this returns.
  TFPrincipal& Start(const QStringList& commandLine = {});
  TFPrincipal& window() { return *window_; }
  SessionController& session();
  QAction* Act(const char* name) const;
  // Runs an action as a click does: a disabled action does nothing.
  void Trigger(const char* name) const;

  // A path in the folder of profiles.
  std::filesystem::path Path(const std::string& name) const;
  std::filesystem::path MakeProfile(const std::string& name, const ProfileSetup& setup = {}) const;
  // Opens path as a user does: ActAbrir, then the file dialog answered with path.
  void OpenWithDialog(const std::filesystem::path& path);

  bool ProfileOpen() { return Inside(*window_).Session().ProfileOpen; }
  std::string Shape() {
    return Inside(*window_).Tree().Empty() ? std::string() : ShapeOf(Inside(*window_).Tree());
  }
  static std::string ShapeOf(const ProfileTree& tree);
  QString Caption() const;
  // The texts of the message boxes shown so far, in order.
  QStringList Boxes() const;

  ProgramFolder folder;
  FakeSeams fakes;

 private:
  std::unique_ptr<TFPrincipal> window_;
};

// Answers the modal windows that the code under test opens, in order: each step waits for
// the window named (its objectName) to become the active modal widget and acts on it inside
// its event loop. A modal window that no step expects is recorded and rejected. Only the
// script created last acts, so that a script kept for later checks stays out of the way.
class ModalScript {
 public:
  using Act = std::function<void(QWidget*)>;

  ModalScript();
  ~ModalScript();
  ModalScript& Then(const QString& windowName, Act act);

  bool Done() const { return steps_.empty(); }
  QStringList unexpected;

 private:
  void Poll();

  struct Step {
    QString name;
    Act act;
  };
  std::deque<Step> steps_;
  QTimer timer_;
  QPointer<QWidget> last_;
  ModalScript* outer_;
  static ModalScript* current_;
};

// Acting on a dialog.
QLineEdit* Box(QWidget* dialog, const char* name);
void Type(QWidget* dialog, const char* box, const QString& text);  // any characters
void Click(QWidget* dialog, const char* button);
// Types the password into the login prompt and presses its Aceptar.
ModalScript::Act Login(const QString& password);

}  // namespace bv::test
