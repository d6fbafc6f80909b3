#pragma once
// The main window FPrincipal: tool bar, account tree BVTree and detail view Resulta side by
// side, status bar BarraEstado; the action categories; start-up, first activation and
// shutdown. It owns the session variables, the tree and the seams; its parts (the profile
// session, the editing and tool commands, the browser's answers, the lock guard) are each
// given what they work on when they are made (MakeParts), never the window itself.

#include <QMainWindow>
#include <array>
#include <memory>

#include "app/FileDialogId.h"
#include "app/WindowSettings.h"
#include "browser/DetailPage.h"
#include "browser/TreeSortOrder.h"
#include "profile/ProfileTree.h"
#include "profile/SessionState.h"
#include "ui/ActionCategory.h"
#include "ui/ActionId.h"
#include "ui/Seams.h"

class QLabel;
class QSplitter;

namespace bv {
namespace test {
struct WindowInternals;
}

class AccountTreeView;
class BrowserIntegration;
class DiskFollower;
class ExpiringClipboard;
class IdleLock;
class FileDialogEntry;
class MainActions;
class MainWindowEditing;
class MainWindowSession;
class ProfileSession;
class ProfileTreeModel;
class RecentMenus;
class SessionLockGuard;
class SessionController;
class DetailView;
class TFOpciones;
class ToolCommands;
class TreeViewMemory;
class WindowEvents;
struct MainMenus;
struct MergedProfile;

class TFPrincipal : public QMainWindow {
  Q_OBJECT

 public:
  explicit TFPrincipal(Seams seams = {}, QWidget* parent = nullptr);
  ~TFPrincipal() override;

  // MS Sans Serif 8 pt, or the font that stands in for it.
  static QFont WindowFont();

  // Opening, creating, saving and closing profiles; the recent profiles list.
  SessionController& Sessions();
  // The boxes the window shows its messages in; the program shows in them the failures
  // that reach the event loop.
  MessageBoxes& Boxes() { return *seams_.boxes; }
  // The first-run language picker, shown modally over the window; the program shows it on
  // firstRunLanguageWanted.
  void ShowFirstRunLanguagePicker();
  // Closes an unchanged profile, as the idle lock does, when the desktop locks the screen or
  // the computer sleeps; the program has it follow the desktop session.
  SessionLockGuard& LockGuard() { return *lockGuard_; }

 signals:
  // The steps of the first activation, in this order, each only where it applies: the
  // language picker of a first run (no language in the settings file yet), the profile
  // named on the command line, and the newest recent profile when CargaUltimo is set and
  // the command line opened nothing.
  void firstRunLanguageWanted();
  void commandLineProfileWanted();
  void lastProfileWanted();
  // A local file dropped on the window, announced once the drop has returned.
  void fileDropped(const QString& path);

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Tests look inside through this.
  friend struct test::WindowInternals;

  // --- actions
  QAction* Action(ActionId id) const;
  void EnableActionCategories(CategorySet enable, CategorySet disable);
  // The same by the categories' names, compared without regard to case.
  void EnableActionCategories(const QStringList& enable, const QStringList& disable);

  // --- session
  // The open profile; the window follows its signals.
  ProfileSession& Profile() { return *profile_; }
  const SessionState& Session() const;
  // Modified := true and the save action enabled: after every change of the profile.
  void SetModified();
  // The timed clearing of copies and the idle lock, set from VaciarTras and CerrarTras.
  void ApplySecretDelays();
  // Follows the options dialog while it is open: its flags, delays and language take effect
  // at once, and a failed write is shown (TFPrincipalOptions.cpp).
  void FollowOptions(TFOpciones& dialog);
  // The window in the language just chosen: its texts, messages and page.
  void ApplyLanguage();

  // --- tree
  ProfileTree& Tree();
  TreeNode* SelectedNode() const;
  void SelectNode(TreeNode* node);
  int TreeIndexOf(const TreeNode* node) const;
  int TreeWidth() const;

  // --- detail view
  void ShowWelcomePage();
  void ShowEmptyProfilePage();
  void ShowProfileSummary();
  void ShowAccountPage();
  void ShowGroupPage();
  void RefreshDetailPage();

  // --- status bar
  void SetStatusPanelText(const QString& text);
  // A non-empty hint covers the panel (single-text mode); an empty one brings it back.
  void DisplayHint(const QString& hint);

  // --- other versions of the profile
  // What a merge did, in a window beside this one; the tree selects its first conflict copy.
  void ShowMergeOutcome(const MergedProfile& merged);
  // A short note in the status bar for a while (the profile was reloaded, ...): it asks
  // nothing and takes no focus.
  void ShowNote(const QString& text);

  // --- seams
  // Message boxes, file dialogs, desktop, clipboard and printer, as the window's commands
  // use them.
  Seams& GetSeams() { return seams_; }
  // Hands a document or web address to the desktop; says so (message 110) when the file is
  // missing or the desktop cannot open it.
  void OpenDocument(const QString& pathOrAddress);
  // An account's address: a web page, an FTP site or an e-mail address is opened at once;
  // anything else (a local program's path, smb:, javascript:, another program's scheme) only
  // once the user agrees (message 350): the address may come from a file someone else wrote.
  void OpenAccountAddress(const QString& address);
  // The window's file dialogs, translated with it.
  FileDialogEntry& FileDialog(FileDialogId id) const;

  // The parts of the window, each given what it works on.
  void MakeParts();
  // The clipboard seam wrapped once for every command: copies expire, failures are shown.
  void WrapClipboard();

  // Size and position from the saved place or the defaults; returns the width it opens at.
  int PlaceWindow(const SavedWindowPlace& place);
  void BuildLayout(const StartSettings& start);
  void CreateFileDialogs();
  void ConnectActions();
  void ConnectTree();
  void ConnectDetailView();
  void FormActivate();

  // What the window shows of the session's events (TFPrincipalSession.cpp).
  void FollowSession();
  void ProfileOpened();
  void ProfileClosed();
  // The nodes came from another version of the profile: the view returns where it was.
  void ProfileReloaded();
  // A settings file that cannot be written is reported; the profile is open all the same.
  void AddToRecentProfiles(const std::filesystem::path& path);

  // Tree events.
  void BVTreeChange(TreeNode* node);
  void ShowPageOfSelection(TreeNode* node);  // steps 3 and 4 of a selection change
  void BVTreeClick();
  void BVTreeDblClick(TreeNode* node);
  void BVTreeDragOver();
  void SortSelected(SortScope scope);

  // Detail view commands.
  void EnableCopyActions(const CopyFields& fields);
  void CopyField(std::string TNodeData::*field);
  void CopyTwoStepCode();
  void ActVerOcultosExecute();
  void IdleTimeout();

  Seams seams_;
  ProfileSession* profile_ = nullptr;  // made first: the tree view's model shows its tree
  MainWindowFlags flags_;
  bool selectedIsAccount_ = false;
  bool activated_ = false;

  std::unique_ptr<MainActions> actions_;
  std::unique_ptr<WindowEvents> events_;
  std::unique_ptr<MainMenus> menus_;
  std::unique_ptr<RecentMenus> recent_;
  std::unique_ptr<ToolCommands> tools_;                // options, tools, printing and exports
  std::unique_ptr<MainWindowEditing> editing_;         // creating, editing and deleting nodes
  std::unique_ptr<MainWindowSession> profileSession_;  // opening, saving, closing profiles
  ProfileTreeModel* model_ = nullptr;
  AccountTreeView* treeView_ = nullptr;
  DetailView* detail_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QLabel* statusPanel_ = nullptr;
  std::array<FileDialogEntry*, kFileDialogCount> fileDialogs_{};
  ExpiringClipboard* clipboardExpiry_ = nullptr;  // inside the clipboard seam
  IdleLock* idleLock_ = nullptr;
  DiskFollower* disk_ = nullptr;
  BrowserIntegration* browserLink_ = nullptr;
  SessionLockGuard* lockGuard_ = nullptr;
  std::unique_ptr<TreeViewMemory> viewMemory_;
};

}  // namespace bv
