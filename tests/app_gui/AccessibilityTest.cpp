// What a screen reader is handed of the main window and the dialogs, read through the
// toolkit's accessibility interfaces as the desktop's bridge reads them: a name for every
// control that takes the focus, and no secret anywhere.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "app/TFPrincipal.h"
#include "browser/AccountTreeView.h"
#include "browser/DetailView.h"
#include "config/AccessibleNames.h"
#include "config/MessageIds.h"
#include "config/QtText.h"
#include "config/TFOpciones.h"
#include "profiledialogs/TFInicioSesion.h"
#include "tools/TFBusqueda.h"
#include "tools/TFGenPass.h"
#include "support/gui/WindowHarness.h"

namespace bv {
namespace {

using test::Inside;
bool IsItem(QAccessible::Role role) {
  return role == QAccessible::Cell || role == QAccessible::ListItem ||
         role == QAccessible::TreeItem || role == QAccessible::Row ||
         role == QAccessible::ColumnHeader || role == QAccessible::RowHeader;
}

// "Class (objectName)" of every focusable, visible control below iface that has no name.
void CollectUnnamed(QAccessibleInterface* iface, QStringList& unnamed, int depth = 0) {
  if (!iface || depth > 30) return;
  const QAccessible::State state = iface->state();
  if (state.focusable && !state.invisible && !IsItem(iface->role()) &&
      iface->text(QAccessible::Name).trimmed().isEmpty()) {
    const QObject* object = iface->object();
    unnamed << (object ? QStringLiteral("%1 (%2)").arg(
                             QLatin1String(object->metaObject()->className()), object->objectName())
                       : QStringLiteral("?"));
  }
  for (int i = 0; i < iface->childCount(); ++i) CollectUnnamed(iface->child(i), unnamed, depth + 1);
}

QStringList UnnamedControls(QWidget* window) {
  QStringList unnamed;
  CollectUnnamed(QAccessible::queryAccessibleInterface(window), unnamed);
  return unnamed;
}

// Everything a reader may ask of a control: name, description, value and its text.
QString EverythingSaid(QWidget* control) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
  QString said = iface->text(QAccessible::Name) + iface->text(QAccessible::Description) +
                 iface->text(QAccessible::Value);
  if (QAccessibleTextInterface* text = iface->textInterface())
    said += text->text(0, text->characterCount());
  return said;
}

TEST(Accessibility, MainWindowNamesItsTreePageAndToolBarButtons) {
  test::WindowHarness h;
  h.Start();
  h.LoadSample();
  TFPrincipal& w = h.window();
  EXPECT_EQ(Inside(w).BVTree().accessibleName(), Msg(msg::kTreeAccessibleName));
  EXPECT_FALSE(Inside(w).BVTree().accessibleDescription().isEmpty());
  EXPECT_EQ(Inside(w).Resulta().accessibleName(), Msg(msg::kPageAccessibleName));
  QToolBar* bar = w.findChild<QToolBar*>();
  const auto button = [bar](QAction* action) {
    return QAccessible::queryAccessibleInterface(bar->widgetForAction(action));
  };
  for (QAction* entry : bar->actions()) {
    if (entry->isSeparator()) continue;
    // The buttons with a drop-down menu run the action they show.
    QAction* action = static_cast<QToolButton*>(bar->widgetForAction(entry))->defaultAction();
    if (!action) action = entry;
    SCOPED_TRACE(action->objectName().toStdString());
    const QString name = button(entry)->text(QAccessible::Name);
    EXPECT_FALSE(name.isEmpty());
    EXPECT_NE(name, action->objectName()) << "a reader would say the internal name";
    EXPECT_EQ(button(entry)->text(QAccessible::Description),
              action->statusTip().isEmpty() ? action->toolTip() : action->statusTip());
  }
  // A language file without an action's caption leaves its internal name as the caption:
  // the button is then named by the hint.
  QAction* edit = Inside(w).Action(ActionId::ActECuenta);
  edit->setText(edit->objectName());
  NameForScreenReaders(&w);
  EXPECT_EQ(button(edit)->text(QAccessible::Name), edit->toolTip());
  EXPECT_EQ(UnnamedControls(&w), QStringList());
}

TEST(Accessibility, HiddenValuesOfThePageAreNotReadShownOnesAre) {
  test::WindowHarness h;
  h.Start();
  h.LoadSample();
  TFPrincipal& w = h.window();
  TreeNode* account = h.Node("A1");
  account->data.Password = "Oculta-987";
  account->data.Answer = "Respuesta-654";
  Inside(w).SelectNode(account);
  ASSERT_EQ(Inside(w).Resulta().PageKind(), PageKind::Account);
  EXPECT_FALSE(EverythingSaid(&Inside(w).Resulta()).contains(QLatin1String("Oculta-987")));
  EXPECT_FALSE(EverythingSaid(&Inside(w).Resulta()).contains(QLatin1String("Respuesta-654")));
  // On screen, a value may be read aloud.
  Inside(w).Action(ActionId::ActVerOcultos)->trigger();
  EXPECT_TRUE(EverythingSaid(&Inside(w).Resulta()).contains(QLatin1String("Oculta-987")));
}

TEST(Accessibility, DialogsNameEveryControlThatTakesTheFocus) {
  test::WindowHarness h;
  h.Start();
  h.LoadSample();
  TFBusqueda search(Inside(h.window()).Tree());
  search.show();
  EXPECT_EQ(UnnamedControls(&search), QStringList());
  TFGenPass generator;
  generator.show();
  EXPECT_EQ(UnnamedControls(&generator), QStringList());
}

TEST(Accessibility, PasswordBoxesSayNothingOfWhatIsTyped) {
  test::WindowHarness h;
  h.Start();
  TFInicioSesion login;
  login.show();
  auto* box = login.findChild<QLineEdit*>(QStringLiteral("Ed_Pass"));
  ASSERT_NE(box, nullptr);
  QTest::keyClicks(box, "Secreto-1234");
  ASSERT_EQ(box->text(), "Secreto-1234");
  EXPECT_FALSE(EverythingSaid(box).contains(QLatin1String("Secreto")));
  EXPECT_FALSE(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name).isEmpty());
}

}  // namespace
}  // namespace bv
