#include "browser/EditingController.h"

#include <QAction>

#include "browser/AccountTreeView.h"
#include "browser/TFAddCuenta.h"
#include "browser/TFAddGrupo.h"
#include "browser/TFAddSubGrupo.h"
#include "browser/TFEditarCuenta.h"
#include "browser/TFEditarGrupo.h"
#include "browser/TreeModel.h"
#include "config/Messages.h"
#include "config/QtText.h"
#include "ui/Seams.h"

namespace bv {
namespace {

bool IsAccount(const TreeNode* node) { return node && node->data.IsAccount != 0; }
bool IsGroupOrCategory(const TreeNode* node) { return node && node->data.IsAccount == 0; }

}  // namespace

EditingController::EditingController(const Parts& parts, QObject* parent)
    : QObject(parent),
      dialogParent_(parts.dialogParent),
      model_(parts.model),
      view_(parts.view),
      boxes_(parts.boxes),
      runner_([](QDialog& dialog) { return dialog.exec(); }) {}

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
  for (const auto& [id, execute] : commands)
    connect(action(id), &QAction::triggered, this, execute);
}

TreeNode* EditingController::Selected() const { return view_.SelectedNode(); }

int EditingController::Run(QDialog& dialog) { return runner_(dialog); }

void EditingController::ShowError(const QString& text) { boxes_.Error(text); }

void EditingController::Reselect(int treeIndex) {
  view_.SelectNode(model_.Tree().NodeAtTreeIndex(treeIndex));
}

void EditingController::Expand(TreeNode* node) { view_.expand(model_.IndexOf(node)); }

void EditingController::ActNGrupoExecute() {
  TFAddGrupo dialog(dialogParent_, [this](const QString& t) { ShowError(t); });
  if (Run(dialog) != QDialog::Accepted) return;
  // The selection and the page on view stay as they are.
  model_.Append(nullptr, MakeCategory(dialog.Values()));
  emit modified();
}

void EditingController::ActNSubGrupoExecute() {
  TreeNode* parent = Selected();
  if (!IsGroupOrCategory(parent)) return;
  TFAddSubGrupo dialog(dialogParent_, [this](const QString& t) { ShowError(t); });
  if (Run(dialog) != QDialog::Accepted) return;
  model_.Append(parent, MakeGroup(dialog.Values()));
  Expand(parent);
  emit modified();
}

void EditingController::ActEGrupoExecute() {
  TreeNode* node = Selected();
  if (!IsGroupOrCategory(node)) return;
  TFEditarGrupo dialog(dialogParent_);
  dialog.SetValues(GroupValuesOf(node->data));
  if (Run(dialog) != QDialog::Accepted) return;
  ApplyGroupValues(node->data, dialog.Values());
  model_.NodeChanged(node);
  emit modified();
  emit groupEdited();
}

void EditingController::ActNCuentaExecute() {
  TreeNode* group = Selected();
  if (!IsGroupOrCategory(group)) return;
  TFAddCuenta dialog(dialogParent_, [this](const QString& t) { ShowError(t); });
  dialog.SetReceivingGroup(group->data.Name);
  if (Run(dialog) != QDialog::Accepted) return;
  const int p = model_.Tree().TreeIndexOf(group);
  model_.Append(group, MakeAccount(dialog.Values()));
  // The receiving group stays selected, its page on view, and shows its new child.
  Reselect(p);
  Expand(model_.Tree().NodeAtTreeIndex(p));
  emit modified();
}

void EditingController::ActECuentaExecute() {
  TreeNode* account = Selected();
  if (!IsAccount(account)) return;
  const int p = model_.Tree().TreeIndexOf(account);
  TFEditarCuenta dialog(dialogParent_, [this](const QString& t) { ShowError(t); });
  dialog.Fill(account->data, account->parent ? account->parent->data.Name : std::string());
  if (Run(dialog) != QDialog::Accepted) return;
  ApplyAccountValues(account->data, dialog.Values());
  model_.NodeChanged(account);
  emit modified();
  emit accountEdited();
  Reselect(p);
}

void EditingController::ActBCuentaExecute() {
  TreeNode* account = Selected();
  if (!IsAccount(account)) return;
  if (!boxes_.WarningYesNo(FromCp1252(DeleteAccountQuestion(MessageText)))) return;
  // The view selects the next node (or the previous, or the parent) and its page is drawn.
  model_.Remove(account);
  emit modified();
  AfterRemoval();
}

void EditingController::ActBGrupoExecute() {
  TreeNode* node = Selected();
  if (!IsGroupOrCategory(node)) return;
  const int p = model_.Tree().TreeIndexOf(node->parent);
  if (!node->children.empty() && !boxes_.WarningYesNo(FromCp1252(DeleteGroupQuestion(MessageText))))
    return;
  model_.Remove(node);
  // The former parent comes before its children, so its position is still p.
  if (p >= 0) Reselect(p);
  emit modified();
  AfterRemoval();
}

void EditingController::AfterRemoval() {
  if (Selected()) return;
  // The last node is gone: nothing can be selected, so the node commands go off, and the
  // page of an empty profile invites the user to create a category.
  emit nothingSelected();
  if (model_.Tree().Empty()) emit profileEmptied();
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
