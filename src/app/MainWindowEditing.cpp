#include "app/MainWindowEditing.h"

#include "app/TFPrincipal.h"
#include "app/WindowEvents.h"
#include "browser/EditingController.h"
#include "browser/EditingHost.h"
#include "browser/ReportingClipboard.h"

namespace bv {

class MainWindowEditing::Host final : public EditingHost {
 public:
  explicit Host(TFPrincipal& window) : w_(window) {}

  QWidget* DialogParent() override { return &w_; }
  ProfileTreeModel& TreeModel() override { return w_.TreeModel(); }
  AccountTreeView& TreeView() override { return w_.BVTree(); }
  void ShowError(const QString& text) override { w_.GetSeams().boxes->Error(text); }
  bool AskBeforeDeleting(const QString& text) override {
    return w_.GetSeams().boxes->WarningYesNo(text);
  }
  void SetModified() override { w_.SetModified(); }
  void NothingSelected() override { w_.Events().NothingSelected(); }
  void ShowAccountPage() override { w_.ShowAccountPage(); }
  void ShowGroupPage() override { w_.ShowGroupPage(); }
  void ShowEmptyProfilePage() override { w_.ShowEmptyProfilePage(); }

 private:
  TFPrincipal& w_;
};

MainWindowEditing::MainWindowEditing(TFPrincipal& window)
    : host_(std::make_unique<Host>(window)),
      controller_(std::make_unique<EditingController>(*host_)) {
  controller_->ConnectActions([&window](ActionId id) { return window.Action(id); });
  // Every clipboard command of the window (copies, F10, the clearings on closing a profile
  // and on exit) goes through the seam: wrapped once, all of them report a failure.
  Seams& seams = window.GetSeams();
  seams.clipboard = std::make_unique<ReportingClipboard>(
      std::move(seams.clipboard), [&window](const QString& text) { window.GetSeams().boxes->Error(text); });
}

MainWindowEditing::~MainWindowEditing() = default;

}  // namespace bv
