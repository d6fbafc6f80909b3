#include "app/MainWindowEditing.h"

#include <QWidget>

#include "app/ProfileSession.h"
#include "app/WindowEvents.h"
#include "browser/EditingController.h"

namespace bv {

MainWindowEditing::MainWindowEditing(const Parts& parts)
    : controller_(std::make_unique<EditingController>(EditingController::Parts{
          .dialogParent = &parts.window,
          .model = parts.model,
          .view = parts.view,
          .boxes = parts.boxes,
      })) {
  EditingController* c = controller_.get();
  c->ConnectActions(parts.action);
  QObject::connect(c, &EditingController::modified, &parts.profile, &ProfileSession::MarkModified);
  QObject::connect(c, &EditingController::accountEdited, &parts.window, parts.showAccountPage);
  QObject::connect(c, &EditingController::groupEdited, &parts.window, parts.showGroupPage);
  QObject::connect(c, &EditingController::nothingSelected, &parts.window,
                   [&events = parts.events] { events.NothingSelected(); });
  QObject::connect(c, &EditingController::profileEmptied, &parts.window,
                   parts.showEmptyProfilePage);
}

MainWindowEditing::~MainWindowEditing() = default;

}  // namespace bv
