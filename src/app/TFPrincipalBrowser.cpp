// The main window's side of the account tree and the detail view: selection, clicks,
// drags, sorting, the pages and the commands that act on the selected account.

#include <QAction>
#include <QMenu>

#include "app/MainActions.h"
#include "app/MainMenus.h"
#include "app/TFPrincipal.h"
#include "app/WindowEvents.h"
#include "browser/AccountTreeView.h"
#include "browser/DetailView.h"
#include "browser/LabelCollator.h"
#include "browser/TreeModel.h"
#include "config/FailureText.h"
#include "config/QtText.h"
#include "config/WipedQtText.h"

namespace bv {
namespace {

struct CopyCommand {
  ActionId action;
  CopyField field;
  std::string TNodeData::*member;
};
constexpr CopyCommand kCopyCommands[] = {
    {ActionId::ActCopUser, CopyField::User, &TNodeData::UserName},
    {ActionId::ActCopPass, CopyField::Pass, &TNodeData::Password},
    {ActionId::ActCopPreg, CopyField::Preg, &TNodeData::Question},
    {ActionId::ActCopResp, CopyField::Resp, &TNodeData::Answer},
    {ActionId::ActCopMail, CopyField::Mail, &TNodeData::Mail},
    {ActionId::ActCopURL, CopyField::URL, &TNodeData::Url},
    {ActionId::ActCopCodigo, CopyField::Code, nullptr},  // made from the notes' seed
};

}  // namespace

void TFPrincipal::ConnectTree() {
  MainActions& a = *actions_;
  connect(treeView_, &AccountTreeView::nodeSelected, this, &TFPrincipal::BVTreeChange);
  connect(treeView_, &AccountTreeView::treeClicked, this, &TFPrincipal::BVTreeClick);
  connect(treeView_, &AccountTreeView::nodeDoubleClicked, this, &TFPrincipal::BVTreeDblClick);
  connect(treeView_, &AccountTreeView::dragOverTree, this, &TFPrincipal::BVTreeDragOver);
  // Queued: the box appears once the drag has ended, not inside the toolkit's drop.
  connect(
      model_, &ProfileTreeModel::dropRefused, this,
      [this](int message) { seams_.boxes->Error(Msg(message)); }, Qt::QueuedConnection);
  connect(a[ActionId::ActOrdenar], &QAction::triggered, this,
          [this] { SortSelected(SortScope::OneLevel); });
  connect(a[ActionId::ActOrdenarGrupo], &QAction::triggered, this,
          [this] { SortSelected(SortScope::OneLevel); });
  connect(a[ActionId::ActOrdenarTodo], &QAction::triggered, this,
          [this] { SortSelected(SortScope::WholeBranch); });
}

void TFPrincipal::ConnectDetailView() {
  MainActions& a = *actions_;
  connect(detail_, &DetailView::statusTextChanged, this, &TFPrincipal::SetStatusPanelText);
  connect(detail_, &DetailView::openUrlRequested, this,
          [this](const QString& address) { OpenAccountAddress(address); });
  connect(detail_, &DetailView::editRequested, a[ActionId::ActPopEditar], &QAction::trigger);
  connect(detail_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { menus_->popupDetail->exec(detail_->mapToGlobal(at)); });
  connect(a[ActionId::ActVerOcultos], &QAction::triggered, this,
          &TFPrincipal::ActVerOcultosExecute);
  for (const CopyCommand& command : kCopyCommands)
    connect(a[command.action], &QAction::triggered, this, [this, member = command.member] {
      if (member)
        CopyField(member);
      else
        CopyTwoStepCode();
    });
  connect(a[ActionId::ActInformacion], &QAction::triggered, this, &TFPrincipal::ShowProfileSummary);
}

// --- tree ------------------------------------------------------------------------------

TreeNode* TFPrincipal::SelectedNode() const { return treeView_->SelectedNode(); }

void TFPrincipal::SelectNode(TreeNode* node) { treeView_->SelectNode(node); }

void TFPrincipal::BVTreeChange(TreeNode* node) {
  Action(ActionId::ActPopEliminar)->setEnabled(true);
  selectedIsAccount_ = node->data.IsAccount != 0;
  ShowPageOfSelection(node);
}

void TFPrincipal::ShowPageOfSelection(TreeNode* node) {
  const bool account = node->data.IsAccount != 0;
  events_->NodeSelected(account, Session().Modified);
  if (account)
    ShowAccountPage();
  else
    ShowGroupPage();
}

void TFPrincipal::BVTreeClick() {
  // A single node cannot change the selection: clicking it brings its page back.
  if (Tree().Count() != 1 || !Session().ProfileOpen) return;
  if (TreeNode* node = SelectedNode()) ShowPageOfSelection(node);
}

void TFPrincipal::BVTreeDblClick(TreeNode* node) {
  if (node && node->data.IsAccount != 0) Action(ActionId::ActECuenta)->trigger();
}

void TFPrincipal::BVTreeDragOver() {
  // Even a drag that ends nowhere, or is refused, leaves the profile marked as changed.
  SetModified();
}

void TFPrincipal::SortSelected(SortScope scope) {
  TreeNode* node = SelectedNode();
  if (!node) return;
  model_->Sort(node, scope, MakeLabelLess());
  SetModified();
}

// --- detail view ---------------------------------------------------------------------------

void TFPrincipal::ShowWelcomePage() { detail_->ShowWelcomePage(); }

void TFPrincipal::ShowEmptyProfilePage() { detail_->ShowEmptyProfilePage(Session().Header); }

void TFPrincipal::ShowProfileSummary() {
  try {
    detail_->ShowProfileSummary(ComputeSummary(Session().ProfilePath, Session().Header, Tree()));
  } catch (const ESummaryFileError&) {
    // The previous page stays.
    seams_.boxes->Error(CurrentFailureText());
  }
}

void TFPrincipal::ShowAccountPage() {
  if (const TreeNode* node = SelectedNode())
    EnableCopyActions(detail_->ShowAccountPage(node->data, flags_.MostrarPass));
}

void TFPrincipal::ShowGroupPage() {
  if (const TreeNode* node = SelectedNode()) detail_->ShowGroupPage(node->data);
}

void TFPrincipal::RefreshDetailPage() {
  switch (detail_->PageKind()) {
    case PageKind::EmptyProfile: ShowEmptyProfilePage(); break;
    case PageKind::Welcome: ShowWelcomePage(); break;
    case PageKind::Account:
    case PageKind::AccountWithUrl: ShowAccountPage(); break;
    case PageKind::Group: ShowGroupPage(); break;
    case PageKind::Summary: ShowProfileSummary(); break;
  }
}

void TFPrincipal::EnableCopyActions(const CopyFields& fields) {
  // Only enables: a redraw of the same account adds to what is enabled.
  for (const CopyCommand& command : kCopyCommands)
    if (fields.Has(command.field)) Action(command.action)->setEnabled(true);
}

void TFPrincipal::CopyField(std::string TNodeData::*field) {
  const TreeNode* node = SelectedNode();
  if (!node) return;
  QString text = FromCp1252(node->data.*field);
  seams_.clipboard->SetText(text);
  WipeQString(text);
}

void TFPrincipal::CopyTwoStepCode() {
  const TreeNode* node = SelectedNode();
  if (!node) return;
  const std::optional<TotpSeed> seed = SeedOfNotes(node->data.Notes);
  if (!seed) return;
  QString text = QString::fromLatin1(CurrentCode(*seed).digits);
  seams_.clipboard->SetText(text);
  WipeQString(text);
}

void TFPrincipal::ActVerOcultosExecute() {
  if (flags_.MostrarPass) return;
  const TreeNode* node = SelectedNode();
  if (!node) return;
  // Drawn once with the hidden values in clear, at the same scroll position.
  const int scroll = detail_->VerticalScroll();
  EnableCopyActions(detail_->ShowAccountPage(node->data, true));
  detail_->SetVerticalScroll(scroll);
}

}  // namespace bv
