#include <gtest/gtest.h>

#include "TreeFixture.h"
#include "browser/TreeSortOrder.h"

namespace bv {
namespace {

using test::Node;

// Plain byte order is enough here: the locale-aware order is the window's (tested there).
const LabelLess kBytes = [](const std::string& a, const std::string& b) { return a < b; };

struct Branch {
  Branch() {
    root = tree.Append(nullptr, Node("root", NodeKind::Category));
    tree.Append(root, Node("d", NodeKind::Account));
    TreeNode* b = tree.Append(root, Node("b", NodeKind::Group));
    tree.Append(b, Node("z", NodeKind::Account));
    TreeNode* y = tree.Append(b, Node("y", NodeKind::Group));
    tree.Append(y, Node("q", NodeKind::Account));
    tree.Append(y, Node("p", NodeKind::Account));
    tree.Append(root, Node("c", NodeKind::Account));
    tree.Append(root, Node("a", NodeKind::Group));
    tree.Append(nullptr, Node("other", NodeKind::Category));
  }
  ProfileTree tree;
  TreeNode* root;
};

TEST(SortByLabel, ScopesSortOneLevelOrTheWholeBranch) {
  struct Case {
    SortScope scope;
    const char* shape;
  } cases[] = {
      // kinds interleave; sub-groups keep their order under OneLevel
      {SortScope::OneLevel, "root(a b(z y(q p)) c d) other"},
      {SortScope::WholeBranch, "root(a b(y(p q) z) c d) other"},
  };
  for (const Case& c : cases) {
    Branch b;
    SortByLabel(b.tree, b.root, c.scope, kBytes);
    EXPECT_EQ(test::Shape(b.tree), c.shape);
  }
}

TEST(SortByLabel, NothingSelectedDoesNothing) {
  Branch b;
  const std::string before = test::Shape(b.tree);
  SortByLabel(b.tree, nullptr, SortScope::WholeBranch, kBytes);
  EXPECT_EQ(test::Shape(b.tree), before);
}

TEST(SortByLabel, EqualLabelsKeepTheirOrderAndNodesKeepTheirData) {
  ProfileTree tree;
  TreeNode* root = tree.Append(nullptr, Node("r", NodeKind::Category));
  TreeNode* first = tree.Append(root, Node("same", NodeKind::Account));
  tree.Append(root, Node("a", NodeKind::Account));
  TreeNode* second = tree.Append(root, Node("same", NodeKind::Group));
  first->data.Password = "one";
  SortByLabel(tree, root, SortScope::OneLevel, kBytes);
  ASSERT_EQ(test::Shape(tree), "r(a same same)");
  EXPECT_EQ(tree.ChildAt(root, 1), first);
  EXPECT_EQ(tree.ChildAt(root, 2), second);
  EXPECT_EQ(first->data.Password, "one");
  EXPECT_EQ(first->row, 1u);
}

}  // namespace
}  // namespace bv
