// The item model over the profile tree: structure as Qt checks it, labels, pictures, drops.

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QMimeData>
#include <QSignalSpy>
#include <memory>

#include "browser/LabelCollator.h"
#include "browser/TreeModel.h"
#include "support/TestLanguage.h"
#include "ui/Pictures.h"

namespace bv {
namespace {

TNodeData Named(const char* name, NodeKind kind, int picture = 23) {
  TNodeData data = TNodeData::Create(kind, picture);
  data.Name = name;
  return data;
}

struct ModelFixture : ::testing::Test {
  ModelFixture() : model(tree, &NodePicture) {
    c1 = tree.Append(nullptr, Named("C1", NodeKind::Category));
    g1 = tree.Append(c1, Named("G1", NodeKind::Group));
    a1 = tree.Append(g1, Named("A1", NodeKind::Account, 17));
    a2 = tree.Append(c1, Named("A2", NodeKind::Account));
    c2 = tree.Append(nullptr, Named("C2", NodeKind::Category));
    g2 = tree.Append(c2, Named("G2", NodeKind::Group));
    // Every change below is checked by Qt's own model tester as it happens.
    tester = std::make_unique<QAbstractItemModelTester>(
        &model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  }
  std::unique_ptr<QMimeData> Drag(TreeNode* node) {
    return std::unique_ptr<QMimeData>(model.mimeData({model.IndexOf(node)}));
  }
  bool Drop(TreeNode* dragged, TreeNode* target) {
    auto data = Drag(dragged);
    return model.dropMimeData(data.get(), Qt::MoveAction, -1, -1, model.IndexOf(target));
  }
  ProfileTree tree;
  ProfileTreeModel model;
  std::unique_ptr<QAbstractItemModelTester> tester;
  TreeNode *c1, *g1, *a1, *a2, *c2, *g2;
};

TEST_F(ModelFixture, TellsScreenReadersEachItemsKindAndLevel) {
  // The toolkit hands a reader the item's label as its name and nothing of its depth.
  const test::TestLanguage language(
      {}, {{8, "Cuenta"}, {11, "Grupo"}, {254, "Categoría"}, {255, "%1, nivel %2"}});
  const auto description = [&](TreeNode* node) {
    return model.IndexOf(node).data(Qt::AccessibleDescriptionRole).toString().toStdString();
  };
  EXPECT_EQ(description(c1), "Categoría, nivel 1");
  EXPECT_EQ(description(g1), "Grupo, nivel 2");
  EXPECT_EQ(description(a1), "Cuenta, nivel 3");
  EXPECT_EQ(description(a2), "Cuenta, nivel 2");
}

TEST_F(ModelFixture, ShowsLabelsPicturesAndNoEditing) {
  const QModelIndex account = model.IndexOf(a1);
  EXPECT_EQ(account.data().toString(), "A1");
  EXPECT_EQ(model.parent(account), model.IndexOf(g1));
  EXPECT_EQ(model.rowCount(), 2);
  EXPECT_EQ(model.rowCount(model.IndexOf(c1)), 2);
  const QIcon picture = account.data(Qt::DecorationRole).value<QIcon>();
  EXPECT_EQ(picture.pixmap(16).toImage(), NodePicture(17).pixmap(16).toImage());
  // Selected or not, a node shows the same picture.
  EXPECT_EQ(picture.pixmap(16, QIcon::Selected).toImage(), picture.pixmap(16).toImage());
  EXPECT_FALSE(model.flags(account).testFlag(Qt::ItemIsEditable));
  EXPECT_FALSE(account.data(Qt::ToolTipRole).isValid());
  // A picture number outside the list draws no picture.
  a2->data.ImageIndex = 26;
  EXPECT_FALSE(model.IndexOf(a2).data(Qt::DecorationRole).isValid());
  // Windows-1252 labels.
  a2->data.Name = "Contrase\361a";
  EXPECT_EQ(model.IndexOf(a2).data().toString(), QString::fromUtf8("Contraseña"));
}

TEST_F(ModelFixture, DropsFollowTheRulesAndAnnounceRefusals) {
  QSignalSpy refused(&model, &ProfileTreeModel::dropRefused);
  EXPECT_TRUE(Drop(a1, c2));  // another parent: last child of C2
  EXPECT_EQ(a1->parent, c2);
  EXPECT_EQ(a1->row, 1u);
  EXPECT_FALSE(Drop(c1, g2));  // a category onto a group: message 4
  EXPECT_FALSE(Drop(g1, a1));  // a group onto an account: message 5
  ASSERT_EQ(refused.size(), 2);
  EXPECT_EQ(refused[0][0].toInt(), 4);
  EXPECT_EQ(refused[1][0].toInt(), 5);
  EXPECT_FALSE(Drop(c2, c2));  // onto itself: nothing, and no message
  EXPECT_TRUE(Drop(c2, c1));   // before it
  EXPECT_EQ(tree.First(), c2);
  EXPECT_EQ(refused.size(), 2);
}

TEST_F(ModelFixture, OnlyItsOwnLatestDragIsAccepted) {
  auto stale = Drag(a1);
  auto current = Drag(a2);
  EXPECT_FALSE(model.canDropMimeData(stale.get(), Qt::MoveAction, -1, -1, {}));
  EXPECT_TRUE(model.canDropMimeData(current.get(), Qt::MoveAction, -1, -1, {}));
  // Any drag of this tree is welcome anywhere, even where the rules will refuse it.
  EXPECT_TRUE(model.canDropMimeData(current.get(), Qt::MoveAction, -1, -1, model.IndexOf(a1)));

  QMimeData foreign;
  foreign.setData("application/x-brindlevault-node", "1:2:3");
  EXPECT_FALSE(model.canDropMimeData(&foreign, Qt::MoveAction, -1, -1, {}));
  ProfileTree otherTree;
  ProfileTreeModel other(otherTree, &NodePicture);
  EXPECT_FALSE(other.canDropMimeData(current.get(), Qt::MoveAction, -1, -1, {}));
  EXPECT_FALSE(model.dropMimeData(stale.get(), Qt::MoveAction, -1, -1, model.IndexOf(c2)));
  EXPECT_EQ(a1->parent, g1);
}

TEST_F(ModelFixture, ADroppedNodeIsForgottenWhenRemovedDuringTheDrag) {
  auto data = Drag(g1);
  model.Remove(c1);  // takes G1 with it
  EXPECT_FALSE(model.dropMimeData(data.get(), Qt::MoveAction, -1, -1, model.IndexOf(c2)));
  EXPECT_EQ(tree.Count(), 2u);
}

TEST_F(ModelFixture, PersistentIndexesFollowTheirNodesThroughMovesAndSorts) {
  const QPersistentModelIndex kept(model.IndexOf(a2));
  ASSERT_TRUE(Drop(a2, g2));
  EXPECT_EQ(model.NodeAt(kept), a2);
  EXPECT_EQ(kept.parent(), model.IndexOf(g2));

  const QPersistentModelIndex group(model.IndexOf(g1));
  model.Append(c1, Named("A0", NodeKind::Account));
  model.Sort(c1, SortScope::OneLevel, MakeLabelLess());
  EXPECT_EQ(model.index(0, 0, model.IndexOf(c1)).data().toString(), "A0");
  EXPECT_EQ(model.NodeAt(group), g1);
  EXPECT_EQ(group.row(), static_cast<int>(g1->row));
}

TEST(LabelOrder, LocaleAwareAndCaseSensitive) {
  for (const QLocale& locale : {QLocale(QLocale::Spanish, QLocale::Spain), QLocale::c(),
                                QLocale(QLocale::English, QLocale::UnitedKingdom)}) {
    const LabelLess less = MakeLabelLess(locale);
    std::vector<std::string> labels = {"beta", "Alfa", "alfa", "\xC1rbol", "zeta", "Beta"};
    std::stable_sort(labels.begin(), labels.end(), less);
    EXPECT_EQ(labels,
              (std::vector<std::string>{"alfa", "Alfa", "\xC1rbol", "beta", "Beta", "zeta"}))
        << locale.name().toStdString();
  }
}

}  // namespace
}  // namespace bv
