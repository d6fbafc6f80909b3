// Switching actions a category at a time, and the hints in the status bar.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QStatusBar>

#include <functional>

#include "app/ActionTable.h"
#include "app/WindowEvents.h"
#include "support/gui/WindowHarness.h"

namespace bv {
namespace {

using test::Inside;
using test::WindowHarness;
using enum ActionCategory;

// The switched categories with at least one action enabled, by name.
std::string CategoriesOn(WindowHarness& h) {
  std::string on;
  for (ActionCategory c :
       {SiempreOn, PerfilOn, Varios, SelCuenta, SelGrupo, Seleccionado, Copiar}) {
    bool any = false;
    for (const ActionEntry& entry : MainActionTable())
      any = any || (entry.category == c && h.Act(entry.name)->isEnabled());
    if (any) on += (on.empty() ? "" : ",") + std::string(CategoryName(c));
  }
  return on;
}

TEST(WindowEvents, EachEventSwitchesItsCategories) {
  const CategorySet all = {SiempreOn, PerfilOn, Varios, SelCuenta, SelGrupo, Seleccionado, Copiar};
  struct Case {
    const char* event;
    std::function<void(WindowEvents&)> fire;
    const char* fromAll;   // what stays on when every category was on
    const char* fromNone;  // what comes on when none was
  } cases[] = {
      {"no profile", [](WindowEvents& e) { e.NoProfile(); }, "siempreon", "siempreon"},
      {"opened", [](WindowEvents& e) { e.ProfileOpened(); }, "siempreon,perfilon", "perfilon"},
      {"modified", [](WindowEvents& e) { e.ProfileModified(); },
       "siempreon,perfilon,varios,selcuenta,selgrupo,seleccionado,copiar", "varios"},
      {"saved", [](WindowEvents& e) { e.ProfileSaved(); },
       "siempreon,perfilon,selcuenta,selgrupo,seleccionado,copiar", ""},
      {"account", [](WindowEvents& e) { e.NodeSelected(true, false); },
       "siempreon,perfilon,varios,selcuenta,seleccionado", "perfilon,selcuenta,seleccionado"},
      {"group, modified", [](WindowEvents& e) { e.NodeSelected(false, true); },
       "siempreon,perfilon,varios,selgrupo,seleccionado", "perfilon,varios,selgrupo,seleccionado"},
      {"nothing selected", [](WindowEvents& e) { e.NothingSelected(); },
       "siempreon,perfilon,varios", ""},
  };
  for (const Case& c : cases) {
    WindowHarness h;
    TFPrincipal& w = h.Start();
    Inside(w).EnableActionCategories(all, {});
    c.fire(Inside(w).Events());
    EXPECT_EQ(CategoriesOn(h), c.fromAll) << c.event;
    Inside(w).EnableActionCategories({}, all);
    c.fire(Inside(w).Events());
    EXPECT_EQ(CategoriesOn(h), c.fromNone) << c.event;
  }
}

TEST(EnableActionCategories, NamesMatchWithoutRegardToCaseAndDisablingWins) {
  struct Case {
    QStringList enable, disable;
    bool saveEnabled;
  } cases[] = {
      {{"varios"}, {}, true},
      {{"VARIOS"}, {}, true},
      {{"VaRiOs", "perfilon"}, {}, true},
      {{"varios"}, {"Varios"}, false},  // named in both lists: ends disabled
      {{}, {}, false},
      {{"otra"}, {"varios"}, false},
  };
  for (const Case& c : cases) {
    WindowHarness h;
    TFPrincipal& w = h.Start();
    Inside(w).EnableActionCategories(c.enable, c.disable);
    EXPECT_EQ(h.Act("ActGuardar")->isEnabled(), c.saveEnabled) << c.enable.join(',').toStdString();
    // Nothing outside the named categories moves.
    EXPECT_FALSE(h.Act("ActCerrar")->isEnabled() && !c.enable.contains("perfilon"));
    EXPECT_TRUE(h.Act("ActAbrir")->isEnabled());
  }
}

TEST(DisplayHint, AHintCoversThePanelUntilAnEmptyHintBringsItBack) {
  WindowHarness h;
  TFPrincipal& w = h.Start();
  Inside(w).SetStatusPanelText("https://example.org");
  QLabel* panel = w.statusBar()->findChild<QLabel*>();

  // A menu item under the mouse announces its hint.
  h.Act("ActAbrir")->showStatusText(&w);
  EXPECT_EQ(w.statusBar()->currentMessage(), "Abrir perfil");
  EXPECT_FALSE(panel->isVisible());

  Inside(w).DisplayHint(QString());
  EXPECT_TRUE(w.statusBar()->currentMessage().isEmpty());
  EXPECT_TRUE(panel->isVisible());
  EXPECT_EQ(Inside(w).StatusPanelText(), "https://example.org");
}

}  // namespace
}  // namespace bv
