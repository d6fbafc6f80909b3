// The account tree inside the main window: what selecting, clicking, dragging and sorting
// do to the actions, the pages and the profile.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDragMoveEvent>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "support/gui/WindowHarness.h"
#include "browser/AccountTreeView.h"
#include "browser/DetailView.h"
#include "browser/TreeModel.h"
#include "config/QtText.h"
#include "support/gui/SessionBackDoor.h"

namespace bv {
namespace {

using test::FakeBoxes;
using test::Inside;
using test::WindowHarness;

struct TreeWindow : ::testing::Test {
  void SetUp() override {
    h.Start();
    h.LoadSample();
  }
  TFPrincipal& w() { return h.window(); }
  void Select(const char* name) { Inside(w()).SelectNode(h.Node(name)); }
  bool Enabled(const char* action) { return h.Act(action)->isEnabled(); }
  QPoint Centre(const char* name) {
    return Inside(w()).BVTree().visualRect(Inside(w()).TreeModel().IndexOf(h.Node(name))).center();
  }
  void DragOver(const char* name, QPoint at) {
    Select(name);
    std::unique_ptr<QMimeData> data(
        Inside(w()).TreeModel().mimeData({Inside(w()).TreeModel().IndexOf(h.Node(name))}));
    QWidget* viewport = Inside(w()).BVTree().viewport();
    QDragEnterEvent enter(at, Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &enter);
    QDragMoveEvent move(at, Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &move);
    QDropEvent drop(at, Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &drop);
    QApplication::processEvents();  // a refusal is shown once the drop is over
  }
  WindowHarness h;
};

TEST_F(TreeWindow, SelectionSwitchesTheCategoriesByKind) {
  struct Case {
    const char* node;
    bool account;
  } cases[] = {{"A1", true}, {"G1", false}, {"C2", false}, {"A4", true}};
  for (const Case& c : cases) {
    Select(c.node);
    EXPECT_EQ(Inside(w()).SelectedIsAccount(), c.account) << c.node;
    for (const char* a :
         {"ActECuenta", "ActBCuenta", "ActImprimir", "ActVerOcultos", "ActCopiarDatos"})
      EXPECT_EQ(Enabled(a), c.account) << c.node << " " << a;
    for (const char* a : {"ActNSubGrupo", "ActEGrupo", "ActBGrupo", "ActNCuenta", "ActOrdenar"})
      EXPECT_EQ(Enabled(a), !c.account) << c.node << " " << a;
    for (const char* a : {"ActPopEliminar", "ActPopEditar", "ActCerrar", "ActBuscar"})
      EXPECT_TRUE(Enabled(a)) << c.node << " " << a;
    EXPECT_FALSE(Enabled("ActGuardar"));  // nothing changed yet
    EXPECT_EQ(Inside(w()).Resulta().PageKind(), c.account ? PageKind::Account : PageKind::Group);
  }
}

TEST_F(TreeWindow, SelectingWhileModifiedKeepsSaveEnabled) {
  test::SessionOf(w()).Modified = true;
  Select("A3");
  EXPECT_TRUE(Enabled("ActGuardar"));
}

TEST_F(TreeWindow, SelectionByClickRunsTheSameHandling) {
  QTest::mouseClick(Inside(w()).BVTree().viewport(), Qt::LeftButton, {}, Centre("A3"));
  EXPECT_EQ(Inside(w()).SelectedNode(), h.Node("A3"));
  EXPECT_TRUE(Enabled("ActECuenta"));
  EXPECT_EQ(Inside(w()).Resulta().PageKind(), PageKind::Account);
}

TEST_F(TreeWindow, DragOverEmptySpaceMarksTheProfileModified) {
  const std::string before = h.Shape();
  DragOver("A1", QPoint(100, Inside(w()).BVTree().viewport()->height() - 3));
  EXPECT_EQ(h.Shape(), before);
  EXPECT_TRUE(test::SessionOf(w()).Modified);
  EXPECT_TRUE(Enabled("ActGuardar"));
  EXPECT_TRUE(h.fakes.boxes->shown.empty());
}

TEST_F(TreeWindow, RefusedDropsShowTheirMessageAndStayModified) {
  struct Case {
    const char* dragged;
    const char* target;
    int message;
  } cases[] = {{"C2", "G1", 4}, {"C1", "A4", 4}, {"G3", "A1", 5}};
  for (const Case& c : cases) {
    h.fakes.boxes->shown.clear();
    test::SessionOf(w()).Modified = false;
    const std::string before = h.Shape();
    DragOver(c.dragged, Centre(c.target));
    EXPECT_EQ(h.Shape(), before) << c.dragged;
    ASSERT_EQ(h.fakes.boxes->shown.size(), 1u) << c.dragged;
    EXPECT_EQ(h.fakes.boxes->shown[0].kind, FakeBoxes::Kind::Error);
    EXPECT_EQ(h.fakes.boxes->shown[0].text, Msg(c.message));
    EXPECT_FALSE(Msg(c.message).isEmpty());
    EXPECT_TRUE(test::SessionOf(w()).Modified);
  }
}

TEST_F(TreeWindow, AcceptedDropsMoveWithoutChangingSelectionOrPage) {
  Select("A3");
  Inside(w()).ShowWelcomePage();  // some other page: the drop must not redraw
  DragOver("A3", Centre("A4"));
  EXPECT_EQ(Inside(w()).Resulta().PageKind(), PageKind::Welcome);
  EXPECT_EQ(h.Shape(), "C1(G1(A1 G2(A2)) G4) C2(G3(A3 A4))");
  EXPECT_EQ(Inside(w()).SelectedNode(), h.Node("A3"));
  // Refused moves into a node's own subtree leave everything as it was.
  DragOver("G1", Centre("A2"));
  DragOver("G1", Centre("G2"));
  EXPECT_EQ(h.Shape(), "C1(G1(A1 G2(A2)) G4) C2(G3(A3 A4))");
}

struct SortWindow : TreeWindow {
  void SetUp() override {
    TreeWindow::SetUp();
    auto& model = Inside(w()).TreeModel();
    root = model.Append(nullptr, Named("Sort", NodeKind::Category));
    for (const char* name : {"beta", "Alfa", "alfa"})
      model.Append(root, Named(name, NodeKind::Account));
    TreeNode* sub = model.Append(root, Named("Grupo", NodeKind::Group));
    for (const char* name : {"zz", "Mm", "mm"}) model.Append(sub, Named(name, NodeKind::Account));
    Inside(w()).BVTree().expandAll();
  }
  static TNodeData Named(const char* name, NodeKind kind) {
    TNodeData data = TNodeData::Create(kind, 23);
    data.Name = name;
    return data;
  }
  std::string Branch() {
    std::string out;
    Inside(w()).Tree().ForEachPreOrder([&](TreeNode& node, int) {
      if (ProfileTree::IsInSubtree(&node, root) && &node != root) out += node.data.Name + " ";
    });
    return out;
  }
  TreeNode* root = nullptr;
};

TEST_F(SortWindow, OneLevelOrBranchInTheLanguagesOrder) {
  struct Case {
    const char* action;
    const char* order;
  } cases[] = {
      {"ActOrdenarGrupo", "alfa Alfa beta Grupo zz Mm mm "},
      {"ActOrdenar", "alfa Alfa beta Grupo zz Mm mm "},
      {"ActOrdenarTodo", "alfa Alfa beta Grupo mm Mm zz "},
  };
  for (const Case& c : cases) {
    SetUp();
    Inside(w()).SelectNode(root);
    h.Act(c.action)->trigger();
    EXPECT_EQ(Branch(), c.order) << c.action;
    EXPECT_TRUE(test::SessionOf(w()).Modified);
    EXPECT_TRUE(Enabled("ActGuardar"));
    EXPECT_EQ(Inside(w()).SelectedNode(), root);
    // The view shows the new order.
    const QModelIndex first =
        Inside(w()).TreeModel().index(0, 0, Inside(w()).TreeModel().IndexOf(root));
    EXPECT_EQ(first.data().toString(), "alfa");
  }
}

TEST_F(SortWindow, NothingSelectedSortsNothing) {
  Inside(w()).BVTree().clearSelection();
  const std::string before = Branch();
  Inside(w()).EnableActionCategories({ActionCategory::SelGrupo}, {});
  h.Act("ActOrdenarTodo")->trigger();
  EXPECT_EQ(Branch(), before);
  EXPECT_FALSE(test::SessionOf(w()).Modified);
}

TEST_F(TreeWindow, ClickingTheOnlyNodeBringsItsPageBack) {
  Inside(w()).TreeModel().Rebuild([](ProfileTree& tree) {
    tree.Clear();
    TNodeData only = TNodeData::Create(NodeKind::Category, 24);
    only.Name = "Unica";
    tree.Append(nullptr, only);
  });
  Inside(w()).SelectNode(Inside(w()).Tree().First());
  Inside(w()).ShowWelcomePage();
  const QPoint at = Inside(w()).BVTree().visualRect(Inside(w()).TreeModel().index(0, 0)).center();
  QTest::mouseClick(Inside(w()).BVTree().viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(Inside(w()).Resulta().PageKind(), PageKind::Group);
}

TEST_F(TreeWindow, ClickingTheSelectedNodeOfSeveralChangesNothing) {
  Select("G1");
  Inside(w()).ShowWelcomePage();
  QTest::mouseClick(Inside(w()).BVTree().viewport(), Qt::LeftButton, {}, Centre("G1"));
  EXPECT_EQ(Inside(w()).Resulta().PageKind(), PageKind::Welcome);
}

TEST_F(TreeWindow, DoubleClickingAnAccountEditsIt) {
  // Only the triggering is checked here: the edit dialog itself is modal.
  QObject::disconnect(h.Act("ActECuenta"), &QAction::triggered, nullptr, nullptr);
  // Only whether the edit command runs matters here, not its dialog.
  QObject::disconnect(h.Act("ActECuenta"), &QAction::triggered, nullptr, nullptr);
  QSignalSpy edits(h.Act("ActECuenta"), &QAction::triggered);
  QTest::mouseDClick(Inside(w()).BVTree().viewport(), Qt::LeftButton, {}, Centre("G1"));
  EXPECT_EQ(edits.size(), 0);
  QTest::mouseClick(Inside(w()).BVTree().viewport(), Qt::LeftButton, {}, Centre("A3"));
  QTest::mouseDClick(Inside(w()).BVTree().viewport(), Qt::LeftButton, {}, Centre("A3"));
  EXPECT_EQ(edits.size(), 1);
}

TEST_F(TreeWindow, TreeIndexOfCountsInSavingOrder) {
  EXPECT_EQ(Inside(w()).TreeIndexOf(h.Node("C1")), 0);
  EXPECT_EQ(Inside(w()).TreeIndexOf(h.Node("G1")), 1);
  EXPECT_EQ(Inside(w()).TreeIndexOf(h.Node("C2")), 7);
  EXPECT_EQ(Inside(w()).TreeIndexOf(nullptr), -1);
  EXPECT_EQ(Inside(w()).TreeIndexOf(h.Node("C1")->parent), -1);
}

TEST_F(TreeWindow, TheTreeOffersItsPopUpMenu) {
  Select("A1");
  QMenu* popup = nullptr;
  for (QMenu* menu : w().findChildren<QMenu*>())
    if (menu->objectName() == "PopupMenuArbol") popup = menu;
  ASSERT_TRUE(popup);
  bool shown = false;
  QObject::connect(popup, &QMenu::aboutToShow, [&] {
    shown = true;
    QMetaObject::invokeMethod(popup, &QMenu::close, Qt::QueuedConnection);
  });
  const QPoint at = Centre("A1");
  QContextMenuEvent event(QContextMenuEvent::Mouse, at,
                          Inside(w()).BVTree().viewport()->mapToGlobal(at));
  QApplication::sendEvent(Inside(w()).BVTree().viewport(), &event);
  EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace bv
