#include "app/MainWindowSession.h"

#include <QAction>

namespace bv {

MainWindowSession::MainWindowSession(const Parts& parts)
    : controller_(std::make_unique<SessionController>(parts.controller)) {
  SessionController* c = controller_.get();
  const auto on = [&](ActionId action, auto command) {
    QObject::connect(parts.action(action), &QAction::triggered, c,
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
  for (QAction* item : parts.recentEntries)
    QObject::connect(item, &QAction::triggered, c,
                     [c, item] { c->OpenRecent(item->data().toInt()); });
}

MainWindowSession::~MainWindowSession() = default;

}  // namespace bv
