// Brindlevault: start-up. The application, then the language, then the main window, which
// translates itself, reads its settings and runs until it is closed.

#include <QApplication>

#include "app/AppIcon.h"
#include "app/DesktopLockWatcher.h"
#include "app/HandOver.h"
#include "app/SessionLockGuard.h"
#include "app/SessionController.h"
#include "app/SingleInstance.h"
#include "app/TFPrincipal.h"
#include "app/TerminationSignals.h"
#include "app/ToolkitTranslation.h"
#include "config/Messages.h"
#include "config/ProgramPaths.h"
#include "crypto/ProcessHardening.h"
#include "files/LinkGuard.h"
#include "tools/SecretClipboard.h"
#include "ui/GuardedApplication.h"

int main(int argc, char* argv[]) {
  bv::ForbidCoreDumps();
  bv::GuardedApplication app(argc, argv);
  // No display name: on X11 the toolkit would append it to every window's title. Message
  // boxes carry the product name themselves.
  QApplication::setApplicationName(QStringLiteral("Brindlevault"));
  QGuiApplication::setDesktopFileName(QStringLiteral(BV_APP_ID));
  QApplication::setFont(bv::TFPrincipal::WindowFont());
  // A later start hands its command line to the running program and ends here.
  const QStringList arguments = QCoreApplication::arguments().mid(1);
  bv::SingleInstance instance(bv::SingleInstance::WantsNewInstance(arguments)
                                  ? QString()
                                  : bv::SingleInstance::RuntimeDirFromEnvironment());
  if (instance.Start(bv::SingleInstance::WithoutOptions(arguments)) ==
      bv::SingleInstance::Role::HandedOver)
    return 0;
  // The helper process that guards saves is forked now, while the process is small.
  bv::StartLinkGuard();
  bv::InstallApplicationIcon();
  bv::SetProgramDir(QCoreApplication::applicationDirPath().toStdString());

  bv::SelectStartLanguage();
  bv::FollowProgramLanguage();

  bv::TFPrincipal window;
  // From here on a failure that reaches the event loop is shown in the window's error box.
  app.ReportTo(&window.Boxes());
  QObject::connect(&window, &bv::TFPrincipal::firstRunLanguageWanted, &window,
                   [&window] { window.ShowFirstRunLanguagePicker(); });
  // The first argument names a profile to open at the first activation.
  window.Sessions().SetCommandLine(bv::SingleInstance::WithoutOptions(arguments));
  bv::FollowHandOvers(instance, window, window.Sessions());
  // SIGINT, SIGTERM and SIGHUP close the window once a save in progress has finished.
  bv::TerminationSignals termination(window);
  // Locking the screen and sleeping close an unchanged profile, as the idle lock does.
  bv::DesktopLockWatcher lockWatcher;
  window.LockGuard().Follow(lockWatcher);
  window.show();
  const int status = QApplication::exec();
  bv::HandOverClipboardBeforeExit();
  return status;
}
