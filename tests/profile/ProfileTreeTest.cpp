#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profile/ProfileTree.h"

namespace bv {
namespace {

TNodeData Named(const std::string& name, NodeKind kind = NodeKind::Group) {
  TNodeData data = TNodeData::Create(kind, 0);
  data.Name = name;
  return data;
}

// "name:depth" for every node in pre-order.
std::string Outline(const ProfileTree& tree) {
  std::string out;
  tree.ForEachPreOrder([&](TreeNode& node, int depth) {
    if (!out.empty()) out += ' ';
    out += node.data.Name + ":" + std::to_string(depth);
  });
  return out;
}

// a(b(c) d) e
struct Sample {
  Sample() {
    a = tree.Append(nullptr, Named("a", NodeKind::Category));
    b = tree.Append(a, Named("b"));
    c = tree.Append(b, Named("c", NodeKind::Account));
    d = tree.Append(a, Named("d", NodeKind::Account));
    e = tree.Append(nullptr, Named("e", NodeKind::Category));
  }
  ProfileTree tree;
  TreeNode *a, *b, *c, *d, *e;
};
struct SampleTree : ::testing::Test, Sample {};

TEST(NodeData, KindsAreToldByTheTwoFlags) {
  EXPECT_EQ(TNodeData::Create(NodeKind::Category, 3).Kind(), NodeKind::Category);
  EXPECT_EQ(TNodeData::Create(NodeKind::Category, 3).IsAccount, 0);
  EXPECT_EQ(TNodeData::Create(NodeKind::Account, 3).IsCategory, 0);
  EXPECT_TRUE(TNodeData::Create(NodeKind::Group, 3).IsGroup());
  EXPECT_EQ(TNodeData::Create(NodeKind::Group, 7).ImageIndex, 7);
}

TEST(NodeData, StoreTextCutsLongValues) {
  std::string field;
  StoreText(field, std::string(130, 'x'), 120);
  EXPECT_EQ(field.size(), 120u);
  StoreText(field, "short", 120);
  EXPECT_EQ(field, "short");
}

TEST_F(SampleTree, PreOrderDepthsAndCount) {
  EXPECT_EQ(Outline(tree), "a:0 b:1 c:2 d:1 e:0");
  EXPECT_EQ(tree.Count(), 5u);
  EXPECT_EQ(ProfileTree::Depth(c), 2);
  EXPECT_EQ(ProfileTree::Depth(e), 0);
  EXPECT_EQ(tree.First(), a);
}

TEST_F(SampleTree, TreeIndexOfFollowsPreOrderBothWays) {
  const std::vector<TreeNode*> order{a, b, c, d, e};
  for (int k = 0; k < static_cast<int>(order.size()); ++k) {
    EXPECT_EQ(tree.TreeIndexOf(order[k]), k);
    EXPECT_EQ(tree.NodeAtTreeIndex(k), order[k]);
  }
  EXPECT_EQ(tree.TreeIndexOf(nullptr), -1);
  EXPECT_EQ(tree.NodeAtTreeIndex(5), nullptr);
  EXPECT_EQ(tree.NodeAtTreeIndex(-1), nullptr);

  ProfileTree other;
  TreeNode* stranger = other.Append(nullptr, Named("x"));
  other.Append(nullptr, Named("y"));
  EXPECT_EQ(tree.TreeIndexOf(other.ChildAt(nullptr, 1)), -1);
  (void)stranger;
}

TEST_F(SampleTree, RemoveTakesTheSubtreeAndRenumbers) {
  tree.Remove(b);
  EXPECT_EQ(Outline(tree), "a:0 d:1 e:0");
  EXPECT_EQ(tree.Count(), 3u);
  EXPECT_EQ(d->row, 0u);
  EXPECT_EQ(tree.TreeIndexOf(e), 2);
}

TEST_F(SampleTree, MovesKeepNodesAndSubtrees) {
  struct Case {
    const char* what;
    TreeNode* Sample::*node;
    TreeNode* Sample::*parent;  // null member: top level
    std::size_t row;
    const char* outline;
  };
  const Case cases[] = {
      {"group to the end of another category", &Sample::b, &Sample::e, 0, "a:0 d:1 e:0 b:1 c:2"},
      {"account up among its siblings", &Sample::d, &Sample::a, 0, "a:0 d:1 b:1 c:2 e:0"},
      {"forward within the same parent", &Sample::b, &Sample::a, 2, "a:0 d:1 b:1 c:2 e:0"},
      {"category before the first", &Sample::e, nullptr, 0, "e:0 a:0 b:1 c:2 d:1"},
      {"deep account to the top level", &Sample::c, nullptr, 1, "a:0 b:1 d:1 c:0 e:0"},
  };
  for (const Case& k : cases) {
    Sample fresh;
    TreeNode* node = fresh.*(k.node);
    TreeNode* parent = k.parent ? fresh.*(k.parent) : nullptr;
    fresh.tree.Move(node, parent, k.row);
    EXPECT_EQ(Outline(fresh.tree), k.outline) << k.what;
    EXPECT_EQ(node->parent, parent) << k.what;
    EXPECT_EQ(fresh.tree.Count(), 5u) << k.what;
    for (std::size_t r = 0; r < fresh.tree.ChildrenOf(parent).size(); ++r)
      EXPECT_EQ(fresh.tree.ChildAt(parent, r)->row, r) << k.what;
  }
}

TEST(ProfileTree, SubtreeQueries) {
  ProfileTree tree;
  TreeNode* a = tree.Append(nullptr, Named("a"));
  TreeNode* b = tree.Append(a, Named("b"));
  TreeNode* c = tree.Append(nullptr, Named("c"));
  EXPECT_TRUE(ProfileTree::IsInSubtree(b, a));
  EXPECT_TRUE(ProfileTree::IsInSubtree(a, a));
  EXPECT_FALSE(ProfileTree::IsInSubtree(a, b));
  EXPECT_FALSE(ProfileTree::IsInSubtree(c, a));
  EXPECT_FALSE(ProfileTree::IsInSubtree(nullptr, a));
}

TEST(ProfileTree, SortOneLevelOrAWholeBranchStably) {
  ProfileTree tree;
  TreeNode* top = tree.Append(nullptr, Named("top"));
  TreeNode* z = tree.Append(top, Named("z"));
  tree.Append(top, Named("m1"));
  tree.Append(top, Named("a"));
  tree.Append(z, Named("y"));
  tree.Append(z, Named("x"));
  // Equal keys ("m") keep their order.
  tree.Append(top, Named("m2"));
  auto byFirstLetter = [](const TNodeData& l, const TNodeData& r) { return l.Name[0] < r.Name[0]; };

  tree.SortChildren(top, false, byFirstLetter);
  EXPECT_EQ(Outline(tree), "top:0 a:1 m1:1 m2:1 z:1 y:2 x:2");
  tree.SortChildren(nullptr, true, byFirstLetter);
  EXPECT_EQ(Outline(tree), "top:0 a:1 m1:1 m2:1 z:1 x:2 y:2");
  EXPECT_EQ(tree.TreeIndexOf(z), 4);
}

TEST(ProfileTree, VeryDeepTreesAreWalkedAndFreedWithoutRecursion) {
  ProfileTree tree;
  TreeNode* node = nullptr;
  for (int k = 0; k < 200000; ++k) node = tree.Append(node, Named("n"));
  int deepest = 0;
  tree.ForEachPreOrder([&](TreeNode&, int depth) { deepest = depth; });
  EXPECT_EQ(deepest, 199999);
  EXPECT_EQ(tree.TreeIndexOf(node), 199999);
  tree.Clear();
  EXPECT_TRUE(tree.Empty());
  EXPECT_EQ(tree.Count(), 0u);
}

}  // namespace
}  // namespace bv
