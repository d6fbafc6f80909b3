// Switching actions a category at a time, and the hints in the status bar.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QStatusBar>

#include "support/gui/WindowHarness.h"

namespace bv {
namespace {

using test::WindowHarness;

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
    w.EnableActionCategories(c.enable, c.disable);
    EXPECT_EQ(h.Act("ActGuardar")->isEnabled(), c.saveEnabled) << c.enable.join(',').toStdString();
    // Nothing outside the named categories moves.
    EXPECT_FALSE(h.Act("ActCerrar")->isEnabled() && !c.enable.contains("perfilon"));
    EXPECT_TRUE(h.Act("ActAbrir")->isEnabled());
  }
}

TEST(DisplayHint, AHintCoversThePanelUntilAnEmptyHintBringsItBack) {
  WindowHarness h;
  TFPrincipal& w = h.Start();
  w.SetStatusPanelText("https://example.org");
  QLabel* panel = w.statusBar()->findChild<QLabel*>();

  // A menu item under the mouse announces its hint.
  h.Act("ActAbrir")->showStatusText(&w);
  EXPECT_EQ(w.statusBar()->currentMessage(), "Abrir perfil");
  EXPECT_FALSE(panel->isVisible());

  w.DisplayHint(QString());
  EXPECT_TRUE(w.statusBar()->currentMessage().isEmpty());
  EXPECT_TRUE(panel->isVisible());
  EXPECT_EQ(w.StatusPanelText(), "https://example.org");
}

}  // namespace
}  // namespace bv
