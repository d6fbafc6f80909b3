// The main window as the program starts it: layout, actions and their categories, menus,
// tool bar, pictures and texts.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include "app/ActionTable.h"
#include "app/AppIcon.h"
#include "app/MainActions.h"
#include "app/MainMenus.h"
#include "app/TFAcerca.h"
#include "browser/AccountTreeView.h"
#include "browser/DetailView.h"
#include "config/QtText.h"
#include "config/Translation.h"
#include "support/gui/WindowHarness.h"
#include "ui/Pictures.h"

namespace bv {
namespace {

using test::Inside;
using test::MenuOutline;
using test::WindowHarness;

TEST(StartUp, OnlyAlwaysOnActionsAreEnabled) {
  WindowHarness h;
  TFPrincipal& w = h.Start();
  for (const ActionEntry& entry : MainActionTable()) {
    // Menu headings are never switched.
    const bool expected =
        entry.category == ActionCategory::SiempreOn || entry.category == ActionCategory::MenuPpal;
    EXPECT_EQ(h.Act(entry.name)->isEnabled(), expected) << entry.name;
  }
  EXPECT_FALSE(Inside(w).Session().ProfileOpen);
  EXPECT_FALSE(Inside(w).Session().Modified);
}

TEST(StartUp, WindowLayoutAsTheUserSeesIt) {
  WindowHarness h;
  TFPrincipal& w = h.Start();
  EXPECT_EQ(w.objectName(), "FPrincipal");
  EXPECT_EQ(w.windowTitle(), "Brindlevault 3.5");
  EXPECT_EQ(w.size(), QSize(689, 429));
  EXPECT_EQ(Inside(w).TreeWidth(), 233);  // no settings file yet
  EXPECT_TRUE(Inside(w).BVTree().isHeaderHidden());
  EXPECT_EQ(Inside(w).BVTree().indentation(), 19);
  EXPECT_EQ(Inside(w).BVTree().selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_EQ(Inside(w).BVTree().editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_EQ(Inside(w).Resulta().objectName(), "Resulta");
  EXPECT_EQ(Inside(w).Resulta().parentWidget()->objectName(), "PanelDetalles");
  EXPECT_EQ(w.findChild<QSplitter*>()->handleWidth(), 4);
  // The first activation drew the welcome page.
  EXPECT_EQ(Inside(w).Resulta().PageKind(), PageKind::Welcome);
  // The window's font: MS Sans Serif 8 pt, or what stands in for it.
  EXPECT_EQ(w.font().pointSize(), 8);
  EXPECT_EQ(w.statusBar()->objectName(), "BarraEstado");
  const auto panels = w.statusBar()->findChildren<QLabel*>();
  ASSERT_EQ(panels.size(), 1);
  EXPECT_EQ(panels.front()->width(), 120);
}

TEST(StartUp, MenusHoldTheirActionsInOrder) {
  WindowHarness h;
  TFPrincipal& w = h.Start();
  auto sub = [&](const char* heading) { return MenuOutline(h.Act(heading)->menu()); };
  EXPECT_EQ(MenuOutline(w.menuBar()),
            QStringList({"ActMenuArchivo", "ActMenuEdicion", "ActMenuHerramientas",
                         "ActMenuOpciones", "ActMenuAyuda"}));
  EXPECT_EQ(sub("ActMenuArchivo"),
            QStringList({"ActAbrir", "ActRecientes", "ActCopiasSeguridad", "ActNuevo", "ActCerrar",
                         "-", "ActGuardar", "ActGuardarComo", "ActExportarPerfil", "-",
                         "ActImprimir", "-", "ActSalir"}));
  EXPECT_EQ(sub("ActMenuEdicion"),
            QStringList({"ActCopiarDatos", "-", "ActBorrarCB", "-", "ActBuscar"}));
  EXPECT_EQ(sub("ActCopiarDatos"),
            QStringList({"ActCopUser", "ActCopPass", "ActCopPreg", "ActCopResp", "ActCopMail",
                         "ActCopURL", "ActCopCodigo"}));
  EXPECT_EQ(sub("ActMenuHerramientas"), QStringList({"ActGenerador", "ActSaludClaves"}));
  EXPECT_EQ(sub("ActMenuOpciones"),
            QStringList({"ActCambPass", "ActEditarPerfil", "-", "ActConfiguracion"}));
  EXPECT_EQ(sub("ActMenuAyuda"), QStringList({"ActAyuda", "-", "ActWeb", "ActCambios",
                                              "ActLicencia", "-", "ActAcercaDe"}));
  EXPECT_EQ(sub("ActRecientes"),
            QStringList({"Recent11", "Recent12", "Recent13", "Recent14", "Recent15", "Recent16"}));

  const MainMenus& m = Inside(w).Menus();
  EXPECT_EQ(m.popupTree->objectName(), "PopupMenuArbol");
  EXPECT_EQ(MenuOutline(m.popupTree), QStringList({"ActNGrupo", "ActNSubGrupo", "ActNCuenta", "-",
                                                   "ActPopEliminar", "-", "ActPopEditar"}));
  EXPECT_EQ(m.popupDetail->objectName(), "PopupMenuVisor");
  EXPECT_EQ(MenuOutline(m.popupDetail), QStringList({"ActCopiarDatos", "ActPopEditar",
                                                     "ActPopEliminar", "-", "ActVerOcultos"}));
  EXPECT_EQ(MenuOutline(m.popupSort), QStringList({"ActOrdenarGrupo", "ActOrdenarTodo"}));
  EXPECT_EQ(MenuOutline(m.popupRecent),
            QStringList({"Recent1", "Recent2", "Recent3", "Recent4", "Recent5", "Recent6"}));
}

TEST(StartUp, ToolBarButtonsInOrderWithDropDownsAndHints) {
  WindowHarness h;
  TFPrincipal& w = h.Start();
  QToolBar* bar = Inside(w).Menus().toolBar;
  EXPECT_EQ(bar->objectName(), "BarraHerramientas");
  EXPECT_EQ(MenuOutline(bar), QStringList({"ActSalir",
                                           "ActAbrir",
                                           "ActGuardar",
                                           "-",
                                           "ActNGrupo",
                                           "ActNSubGrupo",
                                           "ActEGrupo",
                                           "ActBGrupo",
                                           "-",
                                           "ActNCuenta",
                                           "ActECuenta",
                                           "ActBCuenta",
                                           "-",
                                           "ActOrdenar",
                                           "ActImprimir",
                                           "ActBuscar",
                                           "ActBorrarCB",
                                           "-",
                                           "ActEditarPerfil",
                                           "ActInformacion",
                                           "-",
                                           "ActAyuda"}));
  auto button = [&](const char* name) {
    return qobject_cast<QToolButton*>(bar->widgetForAction(h.Act(name)));
  };
  // Plain buttons are 23 x 22; the drop-down ones keep room for their arrow.
  ASSERT_TRUE(button("ActGuardar"));
  EXPECT_EQ(button("ActGuardar")->size(), QSize(23, 22));
  EXPECT_EQ(button("ActGuardar")->toolTip(), "Guardar los cambios realizados en el perfil");
  for (auto [action, popup] : {std::pair{"ActAbrir", Inside(w).Menus().popupRecent},
                               std::pair{"ActOrdenar", Inside(w).Menus().popupSort}}) {
    QToolButton* dropDown = nullptr;
    for (auto* b : bar->findChildren<QToolButton*>())
      if (b->defaultAction() == h.Act(action)) dropDown = b;
    ASSERT_TRUE(dropDown) << action;
    EXPECT_EQ(dropDown->menu(), popup);
    EXPECT_EQ(dropDown->popupMode(), QToolButton::MenuButtonPopup);
    EXPECT_EQ(dropDown->height(), 22);
  }
}

TEST(StartUp, ActionsCarryShortcutsPicturesAndTranslatedTexts) {
  WindowHarness h;
  h.Start();
  // A few keys as the user knows them (the table gives the rest the same way).
  EXPECT_EQ(h.Act("ActCopPass")->shortcut(), QKeySequence(Qt::Key_F2));
  EXPECT_EQ(h.Act("ActCopCodigo")->shortcut(), QKeySequence(Qt::Key_F7));
  EXPECT_EQ(h.Act("ActBorrarCB")->shortcut(), QKeySequence(Qt::Key_F10));
  EXPECT_EQ(h.Act("ActSalir")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
  EXPECT_EQ(h.Act("ActAcercaDe")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F1));

  for (const ActionEntry& entry : MainActionTable()) {
    QAction* action = h.Act(entry.name);
    EXPECT_EQ(MainActions::CategoryOf(action), entry.category) << entry.name;
    if (entry.picture >= 0) {
      EXPECT_FALSE(action->icon().pixmap(16, 16).isNull()) << entry.name;
    }
    // The language file gives every action its caption; none shows its own name.
    EXPECT_NE(action->text(), action->objectName()) << entry.name;
    // The Linux desktop takes Ctrl+Alt+F1 to F12 (text consoles) before the program sees
    // them.
    const QKeyCombination key =
        action->shortcut().isEmpty() ? QKeyCombination() : action->shortcut()[0];
    const bool console = key.keyboardModifiers() == (Qt::ControlModifier | Qt::AltModifier) &&
                         key.key() >= Qt::Key_F1 && key.key() <= Qt::Key_F12;
    EXPECT_FALSE(console) << entry.name;
  }
  EXPECT_EQ(h.Act("ActEGrupo")->text(), "&Editar grupo");
  // The copy commands share the copy picture (18); the clipboard is emptied with 22.
  EXPECT_EQ(h.Act("ActCopPass")->icon().pixmap(16).toImage(),
            ButtonPicture(18).pixmap(16).toImage());
  EXPECT_EQ(h.Act("ActBorrarCB")->icon().pixmap(16).toImage(),
            ButtonPicture(22).pixmap(16).toImage());
}

TEST(StartUp, RecentEntriesStayEmptyUntilTheListIsFilled) {
  WindowHarness h;
  TFPrincipal& w = h.Start();
  ASSERT_FALSE(Msg(41).isEmpty());
  for (const QList<QAction*>& items : {Inside(w).Menus().recentFile, Inside(w).Menus().recentPopup})
    for (QAction* item : items) {
      EXPECT_FALSE(item->isEnabled());
      EXPECT_EQ(item->text(), Msg(41));
    }
}

TEST(StartUp, EveryPictureOfBothListsLoads) {
  for (int k = 0; k < kNodePictureCount; ++k)
    EXPECT_EQ(NodePicture(k).pixmap(16, 16).size(), QSize(16, 16))
        << NodePicturePath(k).toStdString();
  for (int k = 0; k < kButtonPictureCount; ++k)
    EXPECT_EQ(ButtonPicture(k).pixmap(16, 16).size(), QSize(16, 16)) << k;
  // The detail view finds its bullets by these paths.
  EXPECT_EQ(ButtonPicturePath(28), ":/buttons/28.png");
  EXPECT_EQ(ButtonPicturePath(29), ":/buttons/29.png");
  EXPECT_EQ(NodePicturePath(0), ":/nodes/00.png");
  EXPECT_TRUE(NodePicture(kNodePictureCount).isNull());
  EXPECT_TRUE(NodePicture(-1).isNull());
}

TEST(StartUp, EveryWindowHandsTheApplicationIconToTheWindowSystem) {
  InstallApplicationIcon();
  WindowHarness h;
  TFPrincipal& w = h.Start();
  TFAcerca about([](const QString&) {}, &w);
  about.show();
  const QList<QSize> sizes{{16, 16}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};
  for (QWidget* window : {static_cast<QWidget*>(&w), static_cast<QWidget*>(&about)}) {
    ASSERT_NE(window->windowHandle(), nullptr) << window->objectName().toStdString();
    const QIcon icon = window->windowHandle()->icon();
    EXPECT_EQ(icon.availableSizes(), sizes) << window->objectName().toStdString();
    // Drawn pixels, not an empty picture of the right size.
    const QImage image = icon.pixmap(QSize(48, 48)).toImage();
    EXPECT_EQ(image.size(), QSize(48, 48));
    EXPECT_NE(image.pixelColor(24, 24).alpha(), 0);
  }
  about.close();
}

}  // namespace
}  // namespace bv
