#pragma once
// The menus, pop-up menus and tool bar of the main window, laid out from its actions.

#include <QList>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace bv {

class MainActions;

inline constexpr int kRecentEntries = 6;

struct MainMenus {
  // Fills the window's menu bar and builds the rest; everything is a child of window.
  MainMenus(QMainWindow* window, const MainActions& actions);

  QToolBar* toolBar;            // BarraHerramientas
  QMenu* popupTree;             // PopupMenuArbol
  QMenu* popupDetail;           // PopupMenuVisor
  QMenu* popupSort;             // the sort button's drop-down
  QMenu* popupRecent;           // the open button's drop-down
  QList<QAction*> recentFile;   // Recent11..Recent16 in the File menu
  QList<QAction*> recentPopup;  // Recent1..Recent6 in the open button's drop-down
};

}  // namespace bv
