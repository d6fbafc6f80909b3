// Brindlevault: start-up. The application, then the language, then the main window, which
// translates itself, reads its settings and runs until it is closed.

#include <QApplication>

#include "app/AppIcon.h"
#include "app/HandOver.h"
#include "app/SessionController.h"
#include "app/SingleInstance.h"
#include "app/TFPrincipal.h"
#include "app/TerminationSignals.h"
#include "app/ToolCommands.h"
#include "app/ToolkitTranslation.h"
#include "config/Messages.h"
#include "config/ProgramPaths.h"
#include "crypto/ProcessHardening.h"

int main(int argc, char* argv[]) {
  bv::ForbidCoreDumps();
  QApplication app(argc, argv);
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
  bv::InstallApplicationIcon();
  bv::InstallToolkitTranslation(QLocale::system());
  bv::SetProgramDir(QCoreApplication::applicationDirPath().toStdString());

  bv::SelectStartLanguage();

  bv::TFPrincipal window;
  QObject::connect(&window, &bv::TFPrincipal::firstRunLanguageWanted, &window,
                   [&window] { bv::ShowFirstRunLanguagePicker(window); });
  // The first argument names a profile to open at the first activation.
  window.Sessions().SetCommandLine(bv::SingleInstance::WithoutOptions(arguments));
  bv::FollowHandOvers(instance, window, window.Sessions());
  // SIGINT, SIGTERM and SIGHUP close the window once a save in progress has finished.
  bv::TerminationSignals termination(window);
  window.show();
  return QApplication::exec();
}
