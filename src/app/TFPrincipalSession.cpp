// The main window's side of the profile session: what it shows of each event of the open
// profile, in the order the window's rules give.

#include <QCloseEvent>
#include <utility>

#include "app/ProfileSession.h"
#include "app/RecentList.h"
#include "app/RecentMenus.h"
#include "app/SessionController.h"
#include "app/TFResumenCombinacion.h"
#include "app/TreeViewMemory.h"
#include "app/TFPrincipal.h"
#include "app/WindowEvents.h"
#include "browser/AccountTreeView.h"
#include "browser/DetailView.h"
#include "browser/TreeModel.h"
#include "config/FailureText.h"
#include "config/MessageIds.h"
#include "config/ProgramPaths.h"
#include "config/QtText.h"
#include "config/Settings.h"
#include "profile/MergeOutcome.h"
#include "profile/ProfileMerge.h"

namespace bv {

void TFPrincipal::FollowSession() {
  ProfileSession* s = profile_;
  connect(s, &ProfileSession::opening, this,
          [this](const TProfileHeader& header) { events_->ProfileOpening(header.Title); });
  // One reset of the model for the whole change; the view shows the new nodes expanded.
  connect(s, &ProfileSession::nodesAboutToBeReplaced, this, [this] {
    // Another version of the open profile may follow (a reload): the view can return here.
    if (Session().ProfileOpen) viewMemory_->Remember(*treeView_, *model_, SelectedNode());
    treeView_->setUpdatesEnabled(false);
    model_->BeginReplace();
  });
  connect(s, &ProfileSession::nodesReplaced, this, [this] {
    model_->EndReplace();
    treeView_->expandAll();
    treeView_->setUpdatesEnabled(true);
  });
  connect(s, &ProfileSession::opened, this, &TFPrincipal::ProfileOpened);
  connect(s, &ProfileSession::reloaded, this, &TFPrincipal::ProfileReloaded);
  connect(s, &ProfileSession::modified, this, [this] { events_->ProfileModified(); });
  connect(s, &ProfileSession::saved, this, [this] { events_->ProfileSaved(); });
  connect(s, &ProfileSession::closed, this, &TFPrincipal::ProfileClosed);
  // Every version taken in from another writer, by a save or by following the file.
  connect(s, &ProfileSession::combined, this, &TFPrincipal::ShowMergeOutcome);
  // The summary on view shows the new owner and title; the caption keeps the title the
  // profile was opened with until it is opened again.
  connect(s, &ProfileSession::detailsStored, this, [this] {
    if (detail_->PageKind() == PageKind::Summary) ShowProfileSummary();
  });
}

void TFPrincipal::ProfileOpened() {
  viewMemory_->Forget();  // an opening starts at the first node, not where a reload would
  const bool empty = Tree().Empty();
  if (empty)
    ShowEmptyProfilePage();
  else
    SelectNode(Tree().First());
  // The selection's commands, which selecting the first node switched on, wait for the user.
  events_->ProfileOpened();
  AddToRecentProfiles(Session().ProfilePath);
  // Selecting the node that is already selected runs nothing.
  if (flags_.IrAlPrimero && !empty)
    SelectNode(Tree().First());
  else
    ShowProfileSummary();
}

void TFPrincipal::ProfileReloaded() {
  // The caption and the page follow the new header; the recent list and the first
  // selection of an opening are left alone.
  events_->ProfileOpening(Session().Header.Title);
  treeView_->setUpdatesEnabled(false);
  treeView_->collapseAll();
  TreeNode* selected = viewMemory_->Restore(*treeView_, *model_);
  treeView_->setUpdatesEnabled(true);
  if (selected) {
    SelectNode(selected);
  } else {
    events_->NothingSelected();
    if (Tree().Empty())
      ShowEmptyProfilePage();
    else
      ShowProfileSummary();
  }
  if (!Session().Modified) events_->ProfileSaved();
}

void TFPrincipal::ShowMergeOutcome(const MergedProfile& merged) {
  TFResumenCombinacion::ShowFor(merged, this);
  const std::vector<std::size_t> rows = FirstConflictCopyRows(merged.summary);
  TreeNode* node = nullptr;
  for (const std::size_t row : rows) {
    node = Tree().ChildAt(node, row);
    if (!node) return;
  }
  if (node) SelectNode(node);
}

void TFPrincipal::ProfileClosed() {
  viewMemory_->Forget();
  if (flags_.DCBCerrar) seams_.clipboard->Clear();
  ShowWelcomePage();
  events_->NoProfile();
}

void TFPrincipal::AddToRecentProfiles(const std::filesystem::path& path) {
  try {
    AddToRecentList(PathToSetting(path));
  } catch (const ESettingsWriteError&) {
    seams_.boxes->Error(CurrentFailureText());
  }
  recent_->Refresh();
}

const SessionState& TFPrincipal::Session() const { return profile_->State(); }

ProfileTree& TFPrincipal::Tree() { return profile_->Tree(); }

int TFPrincipal::TreeIndexOf(const TreeNode* node) const {
  return std::as_const(*profile_).Tree().TreeIndexOf(node);
}

void TFPrincipal::closeEvent(QCloseEvent* event) {
  // 1. Yes and No let the window close, unless the save itself fails; Cancel keeps it.
  if (Session().Modified) {
    const SaveAnswer answer = seams_.boxes->ConfirmSave(Msg(msg::kSaveBeforeExiting));
    if (answer == SaveAnswer::Cancel || (answer == SaveAnswer::Yes && !Sessions().SaveProfile())) {
      event->ignore();
      return;
    }
  }
  // 2. ClearClipboardOnExit.
  if (flags_.DCBSalir) seams_.clipboard->Clear();
  // 3. A settings file that cannot be written is reported but does not keep the window open.
  try {
    WriteTreeWidth(TreeWidth());
    const QRect normal = normalGeometry();
    WriteWindowPlace(
        {normal.left(), normal.top(), normal.width(), normal.height(), isMaximized(), true});
  } catch (const ESettingsWriteError&) {
    seams_.boxes->Error(CurrentFailureText());
  }
  event->accept();
}

}  // namespace bv
