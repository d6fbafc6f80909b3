#pragma once
// The editing commands of the main window: the editing controller behind the nine commands
// that create, edit and delete nodes, given the window's tree and boxes, with the window
// following what it changed; and the window's clipboard seam made to report a desktop
// clipboard that could not be written.

#include <memory>

namespace bv {

class EditingController;
class TFPrincipal;

class MainWindowEditing {
 public:
  // Connects the commands and wraps the clipboard seam; window must outlive this object.
  explicit MainWindowEditing(TFPrincipal& window);
  ~MainWindowEditing();
  MainWindowEditing(const MainWindowEditing&) = delete;
  MainWindowEditing& operator=(const MainWindowEditing&) = delete;

  EditingController& Controller() { return *controller_; }

 private:
  std::unique_ptr<EditingController> controller_;
};

}  // namespace bv
