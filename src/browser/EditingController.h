#pragma once
// The commands that create, edit and delete categories, groups and accounts: each opens
// its dialog (created here, shown modally, destroyed when it closes) or asks its question,
// changes the tree through its model so that the view follows, reselects as the command
// requires and says what it changed; the window marks the profile modified and redraws.

#include <QObject>
#include <functional>

#include "profile/ProfileTree.h"
#include "ui/ActionId.h"

class QAction;
class QDialog;

namespace bv {

class AccountTreeView;
class MessageBoxes;
class ProfileTreeModel;

class EditingController : public QObject {
  Q_OBJECT

 public:
  // Shows a dialog modally and returns its result (QDialog::exec by default; tests answer
  // the dialog here instead).
  using DialogRunner = std::function<int(QDialog&)>;

  // What the commands work with; all of it must outlive this object.
  struct Parts {
    QWidget* dialogParent;  // the dialogs are centred on it
    ProfileTreeModel& model;
    AccountTreeView& view;
    MessageBoxes& boxes;
  };
  explicit EditingController(const Parts& parts, QObject* parent = nullptr);

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

 signals:
  // A node was created, edited, moved or deleted: the profile has unsaved changes.
  void modified();
  // The selected account or group was edited: its page is drawn again.
  void accountEdited();
  void groupEdited();
  // No node is selected any more: the commands on a selection go off.
  void nothingSelected();
  // The last node is gone.
  void profileEmptied();

 private:
  TreeNode* Selected() const;
  [[nodiscard]] int Run(QDialog& dialog);
  void ShowError(const QString& text);
  void Reselect(int treeIndex);
  void Expand(TreeNode* node);
  void AfterRemoval();

  QWidget* dialogParent_;
  ProfileTreeModel& model_;
  AccountTreeView& view_;
  MessageBoxes& boxes_;
  DialogRunner runner_;
};

}  // namespace bv
