#pragma once
// The editing commands of the main window: the window seen as an EditingHost, the editing
// controller behind the nine commands that create, edit and delete nodes, and the window's
// clipboard seam made to report a desktop clipboard that could not be written.

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
  class Host;
  std::unique_ptr<Host> host_;
  std::unique_ptr<EditingController> controller_;
};

}  // namespace bv
