#include "browser/EditingController.h"

#include <QAction>

#include "browser/AccountTreeView.h"
#include "browser/EditingHost.h"
#include "browser/TFAddCuenta.h"
#include "browser/TFAddGrupo.h"
#include "browser/TFAddSubGrupo.h"
#include "browser/TFEditarCuenta.h"
#include "browser/TFEditarGrupo.h"
#include "browser/TreeModel.h"
#include "config/Messages.h"
#include "config/QtText.h"

namespace bv {
namespace {

bool IsAccount(const TreeNode* node) { return node && node->data.IsAccount != 0; }
bool IsGroupOrCategory(const TreeNode* node) { return node && node->data.IsAccount == 0; }

}  // namespace

EditingController::EditingController(EditingHost& host, QObject* parent)
    : QObject(parent), host_(host), runner_([](QDialog& dialog) { return dialog.exec(); }) {}

void EditingController::ConnectActions(const std::function<QAction*(ActionId)>& action) {
  using enum ActionId;
  const std::pair<ActionId, void (EditingController::*)()> commands[] = {
      {ActNGrupo, &EditingController::ActNGrupoExecute},
      {ActNSubGrupo, &EditingController::ActNSubGrupoExecute},
      {ActEGrupo, &EditingController::ActEGrupoExecute},
      {ActBGrupo, &EditingController::ActBGrupoExecute},
      {ActNCuenta, &EditingController::ActNCuentaExecute},
      {ActECuenta, &EditingController::ActECuentaExecute},
      {ActBCuenta, &EditingController::ActBCuentaExecute},
      {ActPopEliminar, &EditingController::ActPopEliminarExecute},
      {ActPopEditar, &EditingController::ActPopEditarExecute},
  };
  for (const auto& [id, execute] : commands) connect(action(id), &QAction::triggered, this, execute);
}

TreeNode* EditingController::Selected() const { return host_.TreeView().SelectedNode(); }

int EditingController::Run(QDialog& dialog) { return runner_(dialog); }

void EditingController::ShowError(const QString& text) { host_.ShowError(text); }

void EditingController::Reselect(int treeIndex) {
  host_.TreeView().SelectNode(host_.TreeModel().Tree().NodeAtTreeIndex(treeIndex));
}

void EditingController::Expand(TreeNode* node) {
  host_.TreeView().expand(host_.TreeModel().IndexOf(node));
}

void EditingController::ActNGrupoExecute() {
  TFAddGrupo dialog(host_.DialogParent(), [this](const QString& t) { ShowError(t); });
  if (Run(dialog) != QDialog::Accepted) return;
  // The selection and the page on view stay as they are.
  host_.TreeModel().Append(nullptr, MakeCategory(dialog.Values()));
  host_.SetModified();
}

void EditingController::ActNSubGrupoExecute() {
  TreeNode* parent = Selected();
  if (!IsGroupOrCategory(parent)) return;
  TFAddSubGrupo dialog(host_.DialogParent(), [this](const QString& t) { ShowError(t); });
  if (Run(dialog) != QDialog::Accepted) return;
  host_.TreeModel().Append(parent, MakeGroup(dialog.Values()));
  Expand(parent);
  host_.SetModified();
}

void EditingController::ActEGrupoExecute() {
  TreeNode* node = Selected();
  if (!IsGroupOrCategory(node)) return;
  TFEditarGrupo dialog(host_.DialogParent());
  dialog.SetValues(GroupValuesOf(node->data));
  if (Run(dialog) != QDialog::Accepted) return;
  ApplyGroupValues(node->data, dialog.Values());
  host_.TreeModel().NodeChanged(node);
  host_.SetModified();
  host_.ShowGroupPage();
}

void EditingController::ActNCuentaExecute() {
  TreeNode* group = Selected();
  if (!IsGroupOrCategory(group)) return;
  TFAddCuenta dialog(host_.DialogParent(), [this](const QString& t) { ShowError(t); });
  dialog.SetReceivingGroup(group->data.Name);
  if (Run(dialog) != QDialog::Accepted) return;
  const int p = host_.TreeModel().Tree().TreeIndexOf(group);
  host_.TreeModel().Append(group, MakeAccount(dialog.Values()));
  // The receiving group stays selected, its page on view, and shows its new child.
  Reselect(p);
  Expand(host_.TreeModel().Tree().NodeAtTreeIndex(p));
  host_.SetModified();
}

void EditingController::ActECuentaExecute() {
  TreeNode* account = Selected();
  if (!IsAccount(account)) return;
  const int p = host_.TreeModel().Tree().TreeIndexOf(account);
  TFEditarCuenta dialog(host_.DialogParent(), [this](const QString& t) { ShowError(t); });
  dialog.Fill(account->data, account->parent ? account->parent->data.Name : std::string());
  if (Run(dialog) != QDialog::Accepted) return;
  ApplyAccountValues(account->data, dialog.Values());
  host_.TreeModel().NodeChanged(account);
  host_.SetModified();
  host_.ShowAccountPage();
  Reselect(p);
}

void EditingController::ActBCuentaExecute() {
  TreeNode* account = Selected();
  if (!IsAccount(account)) return;
  if (!host_.AskBeforeDeleting(FromCp1252(DeleteAccountQuestion(MessageText)))) return;
  // The view selects the next node (or the previous, or the parent) and its page is drawn.
  host_.TreeModel().Remove(account);
  host_.SetModified();
  AfterRemoval();
}

void EditingController::ActBGrupoExecute() {
  TreeNode* node = Selected();
  if (!IsGroupOrCategory(node)) return;
  const int p = host_.TreeModel().Tree().TreeIndexOf(node->parent);
  if (!node->children.empty() &&
      !host_.AskBeforeDeleting(FromCp1252(DeleteGroupQuestion(MessageText))))
    return;
  host_.TreeModel().Remove(node);
  // The former parent comes before its children, so its position is still p.
  if (p >= 0) Reselect(p);
  host_.SetModified();
  AfterRemoval();
}

void EditingController::AfterRemoval() {
  if (Selected()) return;
  // The last node is gone: nothing can be selected, so the node commands go off, and the
  // page of an empty profile invites the user to create a category.
  host_.NothingSelected();
  if (host_.TreeModel().Tree().Empty()) host_.ShowEmptyProfilePage();
}

void EditingController::ActPopEliminarExecute() {
  TreeNode* node = Selected();
  if (!node) return;
  if (IsAccount(node))
    ActBCuentaExecute();
  else
    ActBGrupoExecute();
}

void EditingController::ActPopEditarExecute() {
  TreeNode* node = Selected();
  if (!node) return;
  if (IsAccount(node))
    ActECuentaExecute();
  else
    ActEGrupoExecute();
}

}  // namespace bv
