#pragma once
// The editing commands of the main window: the editing controller behind the nine commands
// that create, edit and delete nodes, given the window's tree and boxes, with the window
// following what it changed.

#include <functional>
#include <memory>

#include "ui/ActionId.h"

class QAction;
class QWidget;

namespace bv {

class AccountTreeView;
class EditingController;
class MessageBoxes;
class ProfileSession;
class ProfileTreeModel;
class WindowEvents;

class MainWindowEditing {
 public:
  // What the commands work on and how the window follows them; every part must outlive
  // this object.
  struct Parts {
    QWidget& window;  // the dialogs' parent
    std::function<QAction*(ActionId)> action;
    ProfileSession& profile;
    ProfileTreeModel& model;
    AccountTreeView& view;
    MessageBoxes& boxes;
    WindowEvents& events;
    std::function<void()> showAccountPage;
    std::function<void()> showGroupPage;
    std::function<void()> showEmptyProfilePage;
  };

  // Connects the commands.
  explicit MainWindowEditing(const Parts& parts);
  ~MainWindowEditing();
  MainWindowEditing(const MainWindowEditing&) = delete;
  MainWindowEditing& operator=(const MainWindowEditing&) = delete;

  EditingController& Controller() { return *controller_; }

 private:
  std::unique_ptr<EditingController> controller_;
};

}  // namespace bv
