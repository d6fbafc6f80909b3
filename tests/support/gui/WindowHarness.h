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

namespace bv {
class AccountTreeView;
class BrowserIntegration;
class DetailView;
class DiskFollower;
class ExpiringClipboard;
class IdleLock;
class ProfileSession;
class ProfileTreeModel;
class WindowEvents;
}  // namespace bv

namespace bv::test {

// Inside the main window: its parts, its session and its tree, which a user reaches only
// through the screen. The views are found among the window's children, as a user sees them.
struct WindowInternals {
  TFPrincipal& w;

  // --- actions
  QAction* Action(ActionId id) const { return w.Action(id); }
  void EnableActionCategories(CategorySet enable, CategorySet disable) const {
    w.EnableActionCategories(enable, disable);
  }
  void EnableActionCategories(const QStringList& enable, const QStringList& disable) const {
    w.EnableActionCategories(enable, disable);
  }
  WindowEvents& Events() const { return *w.events_; }
  const bv::MainMenus& Menus() const { return *w.menus_; }

  // --- session
  ProfileSession& Profile() const { return w.Profile(); }
  const SessionState& Session() const { return w.Session(); }
  MainWindowFlags& Flags() const { return w.flags_; }
  void SetModified() const { w.SetModified(); }
  ExpiringClipboard& ClipboardExpiry() const { return *w.clipboardExpiry_; }
  IdleLock& Idle() const { return *w.idleLock_; }
  DiskFollower& Disk() const { return *w.disk_; }
  BrowserIntegration& Browser() const { return *w.browserLink_; }
  void ApplyLanguage() const { w.ApplyLanguage(); }

  // --- tree
  ProfileTree& Tree() const { return w.Tree(); }
  ProfileTreeModel& TreeModel() const { return *w.model_; }
  AccountTreeView& BVTree() const;
  TreeNode* SelectedNode() const { return w.SelectedNode(); }
  void SelectNode(TreeNode* node) const { w.SelectNode(node); }
  int TreeIndexOf(const TreeNode* node) const { return w.TreeIndexOf(node); }
  bool SelectedIsAccount() const { return w.selectedIsAccount_; }
  int TreeWidth() const { return w.TreeWidth(); }

  // --- detail view
  DetailView& Resulta() const;
  void ShowWelcomePage() const { w.ShowWelcomePage(); }
  void ShowEmptyProfilePage() const { w.ShowEmptyProfilePage(); }
  void ShowProfileSummary() const { w.ShowProfileSummary(); }
  void ShowAccountPage() const { w.ShowAccountPage(); }
  void ShowGroupPage() const { w.ShowGroupPage(); }
  void RefreshDetailPage() const { w.RefreshDetailPage(); }

  // --- status bar
  QString StatusPanelText() const;
  void SetStatusPanelText(const QString& text) const { w.SetStatusPanelText(text); }
  void DisplayHint(const QString& hint) const { w.DisplayHint(hint); }
  QString Note() const;  // the status bar's passing message

  FileDialogEntry& FileDialog(FileDialogId id) const { return w.FileDialog(id); }
  Seams& GetSeams() const { return w.GetSeams(); }
};

inline WindowInternals Inside(TFPrincipal& window) { return {window}; }

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
