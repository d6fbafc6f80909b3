#pragma once
// A main window started the way the program starts it, in a temporary program folder (so
// no real settings file is touched), with the shipped Spanish language and fake seams.

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "app/TFPrincipal.h"
#include "support/ScratchFolder.h"
#include "support/gui/FakeSeams.h"

class QAction;

namespace bv::test {

class ProgramFolder {
 public:
  ProgramFolder();  // becomes the program's folder, with res/Español.lng active
  ProgramFolder(const ProgramFolder&) = delete;
  ProgramFolder& operator=(const ProgramFolder&) = delete;

  const std::filesystem::path& path() const { return folder_.path(); }
  std::filesystem::path Settings() const { return path() / "brindlevault.ini"; }
  void WriteSettings(const std::string& text) const;
  std::string ReadSettings() const;

 private:
  ScratchFolder folder_;
};

class WindowHarness {
 public:
  WindowHarness();
  ~WindowHarness();

  // Creates and shows the window; the first activation runs before this returns.
  TFPrincipal& Start();
  TFPrincipal& window() { return *window_; }
  QAction* Act(const char* name) const;
  // Closes the window as the close box does; true when it closed.
  bool Close();

  // The tree C1(G1(A1 G2(A2)) A3 G4) C2(G3(A4)) as loaded: profile open, tree expanded.
  void LoadSample();
  TreeNode* Node(const std::string& name) const { return nodes_.at(name); }
  std::string Shape() const;

  ProgramFolder folder;
  FakeSeams fakes;

 private:
  std::unique_ptr<TFPrincipal> window_;
  std::map<std::string, TreeNode*> nodes_;
};

// The names of the actions a menu shows, in order; "-" for a separator.
QStringList MenuOutline(const QWidget* menuOrBar);

}  // namespace bv::test
