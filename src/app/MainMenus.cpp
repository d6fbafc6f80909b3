#include "app/MainMenus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <initializer_list>
#include <optional>

#include "app/MainActions.h"

namespace bv {
namespace {

// No id stands for a separator.
void Fill(QWidget* menuOrBar, const MainActions& actions,
          std::initializer_list<std::optional<ActionId>> ids) {
  for (const std::optional<ActionId>& id : ids) {
    if (!id) {
      auto* separator = new QAction(menuOrBar);
      separator->setSeparator(true);
      menuOrBar->addAction(separator);
    } else {
      menuOrBar->addAction(actions[*id]);
    }
  }
}

QMenu* SubMenu(QMainWindow* window, QAction* heading) {
  auto* menu = new QMenu(window);
  heading->setMenu(menu);
  return menu;
}

QList<QAction*> RecentItems(QMenu* menu, int firstNumber) {
  QList<QAction*> items;
  for (int k = 0; k < kRecentEntries; ++k) {
    QAction* item = menu->addAction(QString());
    item->setObjectName(QStringLiteral("Recent%1").arg(firstNumber + k));
    item->setData(k + 1);  // the entry it opens
    items.append(item);
  }
  return items;
}

// A tool button whose arrow opens a drop-down menu; the button itself runs the action.
void AddDropDownButton(QToolBar* bar, QAction* action, QMenu* menu) {
  auto* button = new QToolButton(bar);
  button->setDefaultAction(action);
  button->setMenu(menu);
  button->setPopupMode(QToolButton::MenuButtonPopup);
  button->setAutoRaise(true);
  bar->addWidget(button);
}

}  // namespace

MainMenus::MainMenus(QMainWindow* window, const MainActions& a) {
  using enum ActionId;
  constexpr std::nullopt_t _ = std::nullopt;

  // Sub-menus shared by several menus.
  QMenu* copy = SubMenu(window, a[ActCopiarDatos]);
  Fill(copy, a,
       {ActCopUser, ActCopPass, ActCopPreg, ActCopResp, ActCopMail, ActCopURL, ActCopCodigo});
  QMenu* recentSub = SubMenu(window, a[ActRecientes]);
  recentFile = RecentItems(recentSub, 11);

  QMenuBar* bar = window->menuBar();
  Fill(SubMenu(window, a[ActMenuArchivo]), a,
       {ActAbrir, ActRecientes, ActCopiasSeguridad, ActNuevo, ActCerrar, _, ActGuardar,
        ActGuardarComo, ActExportarPerfil, _, ActImprimir, _, ActSalir});
  Fill(SubMenu(window, a[ActMenuEdicion]), a, {ActCopiarDatos, _, ActBorrarCB, _, ActBuscar});
  Fill(SubMenu(window, a[ActMenuHerramientas]), a, {ActGenerador, ActSaludClaves});
  Fill(SubMenu(window, a[ActMenuOpciones]), a, {ActCambPass, ActEditarPerfil, _, ActConfiguracion});
  Fill(SubMenu(window, a[ActMenuAyuda]), a,
       {ActAyuda, _, ActWeb, ActCambios, ActLicencia, _, ActAcercaDe});
  for (ActionId heading :
       {ActMenuArchivo, ActMenuEdicion, ActMenuHerramientas, ActMenuOpciones, ActMenuAyuda})
    bar->addAction(a[heading]);

  popupTree = new QMenu(window);
  popupTree->setObjectName(QStringLiteral("PopupMenuArbol"));
  Fill(popupTree, a, {ActNGrupo, ActNSubGrupo, ActNCuenta, _, ActPopEliminar, _, ActPopEditar});

  popupDetail = new QMenu(window);
  popupDetail->setObjectName(QStringLiteral("PopupMenuVisor"));
  Fill(popupDetail, a, {ActCopiarDatos, ActPopEditar, ActPopEliminar, _, ActVerOcultos});

  popupSort = new QMenu(window);
  popupSort->setObjectName(QStringLiteral("PopupOrdenar"));
  Fill(popupSort, a, {ActOrdenarGrupo, ActOrdenarTodo});

  popupRecent = new QMenu(window);
  popupRecent->setObjectName(QStringLiteral("PopupRecientes"));
  recentPopup = RecentItems(popupRecent, 1);

  toolBar = new QToolBar(window);
  toolBar->setObjectName(QStringLiteral("BarraHerramientas"));
  toolBar->setMovable(false);
  toolBar->setFloatable(false);
  toolBar->setIconSize(QSize(16, 16));
  toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  toolBar->addAction(a[ActSalir]);
  AddDropDownButton(toolBar, a[ActAbrir], popupRecent);
  Fill(toolBar, a,
       {ActGuardar, _, ActNGrupo, ActNSubGrupo, ActEGrupo, ActBGrupo, _, ActNCuenta, ActECuenta,
        ActBCuenta, _});
  AddDropDownButton(toolBar, a[ActOrdenar], popupSort);
  Fill(toolBar, a,
       {ActImprimir, ActBuscar, ActBorrarCB, _, ActEditarPerfil, ActInformacion, _, ActAyuda});
}

}  // namespace bv
