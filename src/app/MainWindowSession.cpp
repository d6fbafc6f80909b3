#include "app/MainWindowSession.h"

#include <QAction>

#include "app/MainMenus.h"
#include "app/SessionController.h"
#include "app/SessionHost.h"
#include "app/TFPrincipal.h"
#include "browser/AccountTreeView.h"
#include "browser/DetailView.h"
#include "browser/TreeModel.h"

namespace bv {

class MainWindowSession::Host final : public SessionHost {
 public:
  explicit Host(TFPrincipal& window) : w_(window) {}

  SessionState& Session() override { return w_.Session(); }
  ProfileTree& Tree() override { return w_.Tree(); }
  MainWindowFlags& Flags() override { return w_.Flags(); }
  Seams& GetSeams() override { return w_.GetSeams(); }
  QWidget* Window() override { return &w_; }
  FileDialogEntry* FileDialog(const QString& name) override { return w_.FileDialog(name); }
  QList<QAction*> RecentItems() override { return w_.Menus().recentFile + w_.Menus().recentPopup; }

  void ReplaceNodes(const std::function<void()>& change) override {
    w_.BVTree().setUpdatesEnabled(false);
    w_.TreeModel().Rebuild([&](ProfileTree&) { change(); });
    w_.BVTree().expandAll();
    w_.BVTree().setUpdatesEnabled(true);
  }
  void SelectFirstNode() override { w_.SelectNode(w_.Tree().First()); }

  void ShowWelcomePage() override { w_.ShowWelcomePage(); }
  void ShowEmptyProfilePage() override { w_.ShowEmptyProfilePage(); }
  void ShowProfileSummary() override { w_.ShowProfileSummary(); }
  bool ShowsProfileSummary() override {
    return w_.Resulta().PageKind() == PageKind::Summary;
  }
  void SetModified() override { w_.SetModified(); }
  WindowEvents& Events() override { return w_.Events(); }

 private:
  TFPrincipal& w_;
};

MainWindowSession::MainWindowSession(TFPrincipal& window)
    : host_(std::make_unique<Host>(window)),
      controller_(std::make_unique<SessionController>(*host_)) {
  SessionController* c = controller_.get();
  const auto on = [&](const char* action, auto command) {
    QObject::connect(window.Action(QLatin1String(action)), &QAction::triggered, c,
                     [c, command] { (c->*command)(); });
  };
  on("ActAbrir", &SessionController::OpenChosen);
  on("ActCopiasSeguridad", &SessionController::OpenBackup);
  on("ActNuevo", &SessionController::NewProfile);
  on("ActCerrar", &SessionController::CloseProfile);
  on("ActGuardar", &SessionController::SaveProfile);
  on("ActGuardarComo", &SessionController::SaveProfileAs);
  on("ActCambPass", &SessionController::ChangeProfilePassword);
  on("ActEditarPerfil", &SessionController::EditProfileDetails);
  for (QAction* item : host_->RecentItems())
    QObject::connect(item, &QAction::triggered, c, [c, item] { c->OpenRecent(item->data().toInt()); });
  QObject::connect(&window, &TFPrincipal::commandLineProfileWanted, c,
                   &SessionController::OpenFromCommandLine);
  QObject::connect(&window, &TFPrincipal::lastProfileWanted, c, [c] { c->OpenRecent(1); });
  QObject::connect(&window, &TFPrincipal::fileDropped, c, &SessionController::OpenDropped);
}

MainWindowSession::~MainWindowSession() = default;

}  // namespace bv
