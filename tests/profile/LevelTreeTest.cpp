// Rebuilding the tree from the records' levels.
#include <gtest/gtest.h>

#include <vector>

#include "profile/DepthLimit.h"
#include "profile/LevelTree.h"
#include "support/ProfileFixtures.h"

namespace bv {
namespace {

struct LevelCase {
  const char* label;
  std::vector<std::int32_t> levels;
  const char* shape;  // nodes are named n0, n1, ... in record order
};

class LevelTreeTest : public testing::TestWithParam<LevelCase> {};

TEST_P(LevelTreeTest, BuildsTheShape) {
  ProfileTree tree;
  LevelTreeBuilder builder(tree);
  for (std::size_t k = 0; k < GetParam().levels.size(); ++k) {
    TNodeData data;
    data.Name = "n" + std::to_string(k);
    TreeNode* node = builder.Attach(GetParam().levels[k], data);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->data.Name, data.Name);
  }
  EXPECT_EQ(test::Shape(tree), GetParam().shape);
  EXPECT_EQ(tree.Count(), GetParam().levels.size());
}

INSTANTIATE_TEST_SUITE_P(
    LevelTree, LevelTreeTest,
    testing::Values(LevelCase{"DownAndBack", {0, 1, 2, 1, 0}, "n0(n1(n2) n3) n4"},
                    LevelCase{"ChainThenTop", {0, 1, 2, 0}, "n0(n1(n2)) n3"},
                    LevelCase{"Siblings", {0, 0, 0}, "n0 n1 n2"},
                    LevelCase{"ClimbTwoLevels", {0, 1, 2, 3, 1, 2}, "n0(n1(n2(n3)) n4(n5))"},
                    LevelCase{"FirstRecordIsTopLevelWhateverItsLevel", {4, 1, 0}, "n0(n1) n2"},
                    LevelCase{"JumpBecomesChildOfPrevious", {0, 3}, "n0(n1)"},
                    LevelCase{
                        "AfterAJumpLevelsCountFromTheActualDepth", {0, 3, 2, 1}, "n0(n1(n2) n3)"},
                    LevelCase{"JumpThenSibling", {0, 5, 1}, "n0(n1 n2)"},
                    LevelCase{"NegativeCountsAsZero", {0, 1, -1, -7}, "n0(n1) n2 n3"},
                    LevelCase{"NegativeFirst", {-3, 1}, "n0(n1)"},
                    LevelCase{"ExtremeLevels", {0, 2147483647, -2147483647 - 1}, "n0(n1) n2"}),
    [](const auto& info) { return info.param.label; });

TEST(LevelTree, AppendsAfterNodesAlreadyInTheTree) {
  ProfileTree tree;
  TNodeData old;
  old.Name = "old";
  tree.Append(nullptr, old);
  LevelTreeBuilder builder(tree);
  TNodeData first;
  first.Name = "new";
  builder.Attach(1, first);
  EXPECT_EQ(test::Shape(tree), "old new");
}

TEST(LevelTree, DeepChainsDoNotExhaustTheStack) {
  ProfileTree tree;
  LevelTreeBuilder builder(tree);
  constexpr int kDepth = 100000;
  for (int level = 0; level < kDepth; ++level) builder.Attach(level, TNodeData{});
  builder.Attach(0, TNodeData{});
  EXPECT_EQ(tree.ChildrenOf(nullptr).size(), 2u);
  EXPECT_EQ(tree.Count(), static_cast<std::size_t>(kDepth) + 1);
}

// Built from levels, then lifted to three levels: the record order (pre-order) is kept.
TEST(DepthLimit, LiftsDeepNodesUnderTheDeepestAllowedLevelInTheirOrder) {
  const struct {
    std::vector<std::int32_t> levels;
    const char* shape;
    std::size_t lifted;
  } cases[] = {
      {{0, 1, 2}, "n0(n1(n2))", 0},
      {{0, 1, 2, 3, 4, 2, 3, 1}, "n0(n1(n2 n3 n4 n5 n6) n7)", 3},
      {{0, 1, 2, 3, 3, 0, 1, 2, 3}, "n0(n1(n2 n3 n4)) n5(n6(n7 n8))", 3},
  };
  for (const auto& c : cases) {
    ProfileTree tree;
    LevelTreeBuilder builder(tree);
    for (std::size_t k = 0; k < c.levels.size(); ++k) {
      TNodeData data;
      data.Name = "n" + std::to_string(k);
      builder.Attach(c.levels[k], data);
    }
    EXPECT_EQ(LiftDeepNodes(tree, 3), c.lifted);
    EXPECT_EQ(test::Shape(tree), c.shape);
    EXPECT_EQ(tree.Count(), c.levels.size());
  }
}

TEST(DepthLimit, AChainOfThirtyThousandLevelsEndsAtTheWindowLimit) {
  ProfileTree tree;
  LevelTreeBuilder builder(tree);
  constexpr int kDepth = 30000;
  for (int level = 0; level < kDepth; ++level) {
    TNodeData data;
    data.Name = std::to_string(level);
    builder.Attach(level, data);
  }
  EXPECT_EQ(LiftDeepNodes(tree, kWindowDepthLimit), std::size_t{kDepth - kWindowDepthLimit});
  int deepest = 0, index = 0;
  tree.ForEachPreOrder([&](TreeNode& node, int depth) {
    deepest = std::max(deepest, depth);
    EXPECT_EQ(node.data.Name, std::to_string(index++));
  });
  EXPECT_EQ(deepest, kWindowDepthLimit - 1);
  EXPECT_EQ(index, kDepth);
}

}  // namespace
}  // namespace bv
