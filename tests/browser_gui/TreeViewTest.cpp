// The tree control BVTree on its own: drags reported to the window, drops carried out by the
// model, labels drawn in their colours.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "browser/AccountTreeView.h"
#include "browser/TreeItemDelegate.h"
#include "browser/TreeModel.h"
#include "ui/Pictures.h"

namespace bv {
namespace {

TNodeData Named(const char* name, NodeKind kind) {
  TNodeData data = TNodeData::Create(kind, 23);
  data.Name = name;
  return data;
}

struct ViewFixture : ::testing::Test {
  ViewFixture() : model(tree, &NodePicture) {
    c1 = tree.Append(nullptr, Named("Categoria uno", NodeKind::Category));
    g1 = tree.Append(c1, Named("Grupo uno", NodeKind::Group));
    a1 = tree.Append(g1, Named("Cuenta uno", NodeKind::Account));
    c2 = tree.Append(nullptr, Named("Categoria dos", NodeKind::Category));
    view.SetTreeModel(&model);
    view.resize(240, 300);
    view.expandAll();
    view.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
  }
  QPoint Centre(TreeNode* node) { return view.visualRect(model.IndexOf(node)).center(); }
  QPoint EmptySpace() { return QPoint(100, view.viewport()->height() - 5); }

  // Drags the selected node over `at` and drops it there, as the toolkit would.
  bool DragAndDrop(TreeNode* dragged, QPoint at, bool drop = true) {
    view.SelectNode(dragged);
    std::unique_ptr<QMimeData> data(model.mimeData({model.IndexOf(dragged)}));
    QDragEnterEvent enter(at, Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(view.viewport(), &enter);
    QDragMoveEvent move(at, Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(view.viewport(), &move);
    if (!move.isAccepted() || !drop) return move.isAccepted();
    QDropEvent dropEvent(at, Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(view.viewport(), &dropEvent);
    // The view must not remove the dragged rows after the model moved them.
    EXPECT_EQ(dropEvent.dropAction(), Qt::IgnoreAction);
    return true;
  }

  ProfileTree tree;
  ProfileTreeModel model;
  AccountTreeView view;
  TreeNode *c1, *g1, *a1, *c2;
};

TEST_F(ViewFixture, EveryDragOfItsOwnIsAcceptedAndReported) {
  QSignalSpy over(&view, &AccountTreeView::dragOverTree);
  // Over empty space, and over a node the rules will refuse on drop.
  EXPECT_TRUE(DragAndDrop(a1, EmptySpace(), false));
  EXPECT_TRUE(DragAndDrop(c1, Centre(g1), false));
  EXPECT_EQ(over.size(), 2);

  QMimeData foreign;
  foreign.setText("texto");
  QDragEnterEvent enter(Centre(c1), Qt::CopyAction | Qt::MoveAction, &foreign, Qt::LeftButton, {});
  QApplication::sendEvent(view.viewport(), &enter);
  EXPECT_FALSE(enter.isAccepted());
  EXPECT_EQ(over.size(), 2);
}

TEST_F(ViewFixture, DroppingOntoANodeMovesTheDraggedOneOnlyOnce) {
  ASSERT_TRUE(DragAndDrop(a1, Centre(c2)));
  EXPECT_EQ(a1->parent, c2);
  EXPECT_EQ(tree.Count(), 4u);
  EXPECT_TRUE(g1->children.empty());
  // The drop selects nothing else.
  EXPECT_EQ(view.SelectedNode(), a1);
}

TEST_F(ViewFixture, DroppingOnEmptySpaceChangesNothing) {
  QSignalSpy refused(&model, &ProfileTreeModel::dropRefused);
  ASSERT_TRUE(DragAndDrop(c2, EmptySpace()));
  EXPECT_EQ(tree.First(), c1);
  EXPECT_EQ(a1->parent, g1);
  EXPECT_EQ(refused.size(), 0);
}

TEST_F(ViewFixture, ARefusedDropIsAnnouncedAndMovesNothing) {
  QSignalSpy refused(&model, &ProfileTreeModel::dropRefused);
  ASSERT_TRUE(DragAndDrop(c2, Centre(a1)));
  ASSERT_EQ(refused.size(), 1);
  EXPECT_EQ(refused[0][0].toInt(), 4);
  EXPECT_EQ(c2->parent, nullptr);
  EXPECT_EQ(c2->row, 1u);
}

TEST_F(ViewFixture, RightClickKeepsTheSelection) {
  view.SelectNode(a1);
  QTest::mouseClick(view.viewport(), Qt::RightButton, {}, Centre(c2));
  EXPECT_EQ(view.SelectedNode(), a1);
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, Centre(c2));
  EXPECT_EQ(view.SelectedNode(), c2);
}

// Exposes the option a label is drawn with, on the tree's palette.
class ProbeDelegate : public TreeItemDelegate {
 public:
  using TreeItemDelegate::TreeItemDelegate;
  QStyleOptionViewItem OptionFor(const QModelIndex& index, bool selected,
                                 const QPalette& palette) const {
    QStyleOptionViewItem option;
    option.palette = palette;
    option.state =
        selected ? QStyle::State_Selected | QStyle::State_Enabled : QStyle::State_Enabled;
    initStyleOption(&option, index);
    return option;
  }
};

// Exact colours on a light palette; on a dark one, lighter forms of the same hues, and the
// selection red on white as ever.
TEST_F(ViewFixture, LabelsTakeTheColourAndWeightOfTheirKind) {
  ProbeDelegate delegate;
  QPalette light;
  light.setColor(QPalette::Base, Qt::white);
  QPalette dark;
  dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
  struct Case {
    TreeNode* node;
    bool selected;
    bool onDark;
    QColor text;
    bool bold;
  } cases[] = {
      {a1, false, false, QColor(0, 128, 0), false},
      {c1, false, false, QColor(0, 0, 255), true},
      {g1, false, false, QColor(0, 0, 0), true},
      {a1, true, false, QColor(255, 0, 0), false},
      {c1, true, false, QColor(255, 0, 0), true},
      {g1, true, false, QColor(255, 0, 0), true},
      {a1, false, true, QColor(0x66, 0xcc, 0x66), false},
      {c1, false, true, QColor(0x8c, 0x8c, 0xff), true},
      {g1, false, true, QColor(0xe0, 0xe0, 0xe0), true},
      {a1, true, true, QColor(255, 0, 0), false},
  };
  for (const Case& c : cases) {
    const QStyleOptionViewItem option =
        delegate.OptionFor(model.IndexOf(c.node), c.selected, c.onDark ? dark : light);
    const auto role = c.selected ? QPalette::HighlightedText : QPalette::Text;
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
      EXPECT_EQ(option.palette.color(group, role), c.text) << c.node->data.Name;
      if (c.selected) {
        EXPECT_EQ(option.palette.color(group, QPalette::Highlight), QColor(Qt::white));
      }
    }
    if (c.onDark && !c.selected) {
      const QColor onLight =
          delegate.OptionFor(model.IndexOf(c.node), false, light).palette.color(QPalette::Text);
      EXPECT_EQ(c.text.hue(), onLight.hue()) << c.node->data.Name;
      EXPECT_GT(c.text.lightness(), 128) << c.node->data.Name;
    }
    EXPECT_EQ(option.font.bold(), c.bold) << c.node->data.Name;
    EXPECT_FALSE(option.font.italic());
  }
}

TEST_F(ViewFixture, TheSelectedLabelIsDrawnRedOnWhiteEvenWithoutFocus) {
  view.SelectNode(a1);
  view.clearFocus();
  const QImage shot = view.viewport()->grab().toImage();
  const QRect row = view.visualRect(model.IndexOf(a1));
  int red = 0, other = 0;
  for (int y = row.top(); y <= row.bottom(); ++y)
    for (int x = row.left() + 20; x <= std::min(row.right(), shot.width() - 1); ++x) {
      const QColor c = shot.pixelColor(x, y);
      if (c.red() > 200 && c.green() < 80 && c.blue() < 80) {
        ++red;
      } else if (c != QColor(Qt::white) && c.red() < 200) {
        ++other;  // neither red text nor white background
      }
    }
  EXPECT_GT(red, 10);
  EXPECT_LT(other, red);
  // The indentation left of the label is not painted in the desktop's selection colour.
  EXPECT_EQ(shot.pixelColor(row.left() - 4, row.center().y()), QColor(Qt::white));
}

}  // namespace
}  // namespace bv
