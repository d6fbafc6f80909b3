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
  FileDialogSpec* FileDialog(const QString& name) override { return w_.FileDialog(name); }
  QList<QAction*> RecentItems() override { return w_.Menus().recentFile + w_.Menus().recentPopup; }

  void BeginTreeRebuild() override {
    w_.BVTree().setUpdatesEnabled(false);
    // The view lets go of the old nodes before they are destroyed.
    w_.TreeModel().Rebuild([](ProfileTree& tree) { tree.Clear(); });
  }
  void EndTreeRebuild() override {
    // The nodes were attached behind the model's back: it is read again as a whole.
    w_.TreeModel().Rebuild([](ProfileTree&) {});
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
  on("ActAbrir", &SessionController::ActAbrirExecute);
  on("ActNuevo", &SessionController::ActNuevoExecute);
  on("ActCerrar", &SessionController::CloseProfile);
  on("ActGuardar", &SessionController::ActGuardarExecute);
  on("ActGuardarComo", &SessionController::ActGuardarComoExecute);
  on("ActCambPass", &SessionController::ActCambPassExecute);
  on("ActEditarPerfil", &SessionController::ActEditarPerfilExecute);
  window.SetRecentOpener([c](int k) { c->OpenRecent(k); });
  window.SetFileDropOpener([c](const QString& path) { c->OpenDropped(path); });
  window.SetCommandLineOpener([c] { c->OpenFromCommandLine(); });
  window.SetProfileSaver([c] { return c->ActGuardarExecute(); });
}

MainWindowSession::~MainWindowSession() = default;

}  // namespace bv
