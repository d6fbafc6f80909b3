#pragma once
// What the editing commands need of the main window: the tree (its model and view), the
// boxes that ask and refuse, the Modified flag, the detail pages, and the news that nothing is
// selected any more.

#include <QString>

class QWidget;

namespace bv {

class AccountTreeView;
class ProfileTreeModel;

class EditingHost {
 public:
  virtual ~EditingHost() = default;

  virtual QWidget* DialogParent() = 0;  // the dialogs are centred on it
  virtual ProfileTreeModel& TreeModel() = 0;
  virtual AccountTreeView& TreeView() = 0;

  virtual void ShowError(const QString& text) = 0;  // error box, OK button
  // Warning box; true for Yes.
  [[nodiscard]] virtual bool AskBeforeDeleting(const QString& text) = 0;

  // Modified := true and saving enabled.
  virtual void SetModified() = 0;
  // No node is selected any more: the commands on a selection go off.
  virtual void NothingSelected() = 0;

  // The pages of the detail view, for the selected node where there is one.
  virtual void ShowAccountPage() = 0;
  virtual void ShowGroupPage() = 0;
  virtual void ShowEmptyProfilePage() = 0;
};

}  // namespace bv
