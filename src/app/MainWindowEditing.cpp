#include "app/MainWindowEditing.h"

#include "app/TFPrincipal.h"
#include "app/WindowEvents.h"
#include "app/ProfileSession.h"
#include "browser/EditingController.h"
#include "browser/ReportingClipboard.h"

namespace bv {

MainWindowEditing::MainWindowEditing(TFPrincipal& window)
    : controller_(std::make_unique<EditingController>(EditingController::Parts{
          .dialogParent = &window,
          .model = window.TreeModel(),
          .view = window.BVTree(),
          .boxes = *window.GetSeams().boxes,
      })) {
  EditingController* c = controller_.get();
  c->ConnectActions([&window](ActionId id) { return window.Action(id); });
  QObject::connect(c, &EditingController::modified, &window.Profile(),
                   &ProfileSession::MarkModified);
  QObject::connect(c, &EditingController::accountEdited, &window, &TFPrincipal::ShowAccountPage);
  QObject::connect(c, &EditingController::groupEdited, &window, &TFPrincipal::ShowGroupPage);
  QObject::connect(c, &EditingController::nothingSelected, &window,
                   [&window] { window.Events().NothingSelected(); });
  QObject::connect(c, &EditingController::profileEmptied, &window,
                   &TFPrincipal::ShowEmptyProfilePage);
  // Every clipboard command of the window (copies, F10, the clearings on closing a profile
  // and on exit) goes through the seam: wrapped once, all of them report a failure.
  Seams& seams = window.GetSeams();
  seams.clipboard = std::make_unique<ReportingClipboard>(
      std::move(seams.clipboard),
      [&window](const QString& text) { window.GetSeams().boxes->Error(text); });
}

MainWindowEditing::~MainWindowEditing() = default;

}  // namespace bv
