#include "app/MainWindowSession.h"

#include <QAction>

#include "app/MainMenus.h"
#include "app/ProfileSession.h"
#include "app/SessionController.h"
#include "app/TFPrincipal.h"
#include "profile/ProfileMerge.h"

namespace bv {

MainWindowSession::MainWindowSession(TFPrincipal& window)
    : controller_(std::make_unique<SessionController>(SessionController::Parts{
          .session = window.Profile(),
          .flags = window.Flags(),
          .seams = window.GetSeams(),
          .window = &window,
          .openDialog = window.FileDialog(FileDialogId::ODPerfil),
          .saveDialog = window.FileDialog(FileDialogId::SDPerfil),
      })) {
  SessionController* c = controller_.get();
  const auto on = [&](ActionId action, auto command) {
    QObject::connect(window.Action(action), &QAction::triggered, c,
                     [c, command] { (c->*command)(); });
  };
  on(ActionId::ActAbrir, &SessionController::OpenChosen);
  on(ActionId::ActCopiasSeguridad, &SessionController::OpenBackup);
  on(ActionId::ActNuevo, &SessionController::NewProfile);
  on(ActionId::ActCerrar, &SessionController::CloseProfile);
  on(ActionId::ActGuardar, &SessionController::SaveProfile);
  on(ActionId::ActGuardarComo, &SessionController::SaveProfileAs);
  on(ActionId::ActCambPass, &SessionController::ChangeProfilePassword);
  on(ActionId::ActEditarPerfil, &SessionController::EditProfileDetails);
  for (QAction* item : window.Menus().recentFile + window.Menus().recentPopup)
    QObject::connect(item, &QAction::triggered, c,
                     [c, item] { c->OpenRecent(item->data().toInt()); });
  QObject::connect(&window, &TFPrincipal::commandLineProfileWanted, c,
                   &SessionController::OpenFromCommandLine);
  QObject::connect(&window, &TFPrincipal::lastProfileWanted, c, [c] { c->OpenRecent(1); });
  QObject::connect(&window, &TFPrincipal::fileDropped, c, &SessionController::OpenDropped);
  // Every version taken in from another writer, by a save or by following the file.
  QObject::connect(&window.Profile(), &ProfileSession::combined, &window,
                   [&window](const MergedProfile& merged) { window.ShowMergeOutcome(merged); });
}

MainWindowSession::~MainWindowSession() = default;

}  // namespace bv
