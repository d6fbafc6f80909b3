#pragma once
// The commands that create, edit and delete categories, groups and accounts: each opens
// its dialog (created here, shown modally, destroyed when it closes) or asks its question,
// changes the tree through its model so that the view follows, marks the profile modified
// and redraws or reselects as the command requires.

#include <QObject>
#include <functional>

#include "profile/ProfileTree.h"
#include "ui/ActionId.h"

class QAction;
class QDialog;

namespace bv {

class EditingHost;

class EditingController : public QObject {
  Q_OBJECT

 public:
  // Shows a dialog modally and returns its result (QDialog::exec by default; tests answer
  // the dialog here instead).
  using DialogRunner = std::function<int(QDialog&)>;

  explicit EditingController(EditingHost& host, QObject* parent = nullptr);

  void SetDialogRunner(DialogRunner runner) { runner_ = std::move(runner); }

  // Connects ActNGrupo, ActNSubGrupo, ActEGrupo, ActBGrupo, ActNCuenta, ActECuenta,
  // ActBCuenta, ActPopEliminar and ActPopEditar, as action hands them over.
  void ConnectActions(const std::function<QAction*(ActionId id)>& action);

  void ActNGrupoExecute();     // new category, appended at the top level, not selected
  void ActNSubGrupoExecute();  // new group, last child of the selected node
  void ActEGrupoExecute();     // edit the selected category or group
  void ActBGrupoExecute();     // delete the selected category or group with its subtree
  void ActNCuentaExecute();    // new account, last child of the selected node
  void ActECuentaExecute();    // edit the selected account
  void ActBCuentaExecute();    // delete the selected account
  void ActPopEliminarExecute();
  void ActPopEditarExecute();

 private:
  TreeNode* Selected() const;
  [[nodiscard]] int Run(QDialog& dialog);
  void ShowError(const QString& text);
  void Reselect(int treeIndex);
  void Expand(TreeNode* node);
  void AfterRemoval();

  EditingHost& host_;
  DialogRunner runner_;
};

}  // namespace bv
