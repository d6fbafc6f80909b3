#pragma once
// What the profile session needs of the main window: the session variables, the tree and
// the flags it keeps, its seams and file dialogs, the recent menu items, and the few things
// it shows (pages, the tree around a rebuild, and through its events the caption and the
// action categories).

#include <QList>
#include <QString>
#include <functional>

#include "app/FileDialogId.h"

class QAction;
class QWidget;

namespace bv {

class ProfileTree;
class SessionState;
class FileDialogEntry;
class WindowEvents;
struct MainWindowFlags;
struct Seams;

class SessionHost {
 public:
  virtual ~SessionHost() = default;

  virtual SessionState& Session() = 0;
  virtual ProfileTree& Tree() = 0;
  virtual MainWindowFlags& Flags() = 0;
  virtual Seams& GetSeams() = 0;

  // The window: parent of the dialogs, owner of the caption and of the font of the recent
  // menus.
  virtual QWidget* Window() = 0;
  // ODPerfil (open a profile) and SDPerfil (save a profile as).
  virtual FileDialogEntry& FileDialog(FileDialogId id) = 0;
  // The twelve recent entries of both menus; data() of each is the entry it opens (1..6).
  virtual QList<QAction*> RecentItems() = 0;

  // Runs change, which replaces or removes every node of Tree(), inside one reset of the
  // tree view's model; the view shows the new nodes expanded.
  virtual void ReplaceNodes(const std::function<void()>& change) = 0;
  virtual void SelectFirstNode() = 0;

  virtual void ShowWelcomePage() = 0;
  virtual void ShowEmptyProfilePage() = 0;
  virtual void ShowProfileSummary() = 0;
  [[nodiscard]] virtual bool ShowsProfileSummary() = 0;

  // Modified := true and saving enabled.
  virtual void SetModified() = 0;
  virtual WindowEvents& Events() = 0;
};

}  // namespace bv
