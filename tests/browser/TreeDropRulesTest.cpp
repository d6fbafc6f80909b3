#include <gtest/gtest.h>

#include "TreeFixture.h"
#include "browser/TreeDropRules.h"

namespace bv {
namespace {

using test::SampleProfile;

struct DropCase {
  const char* dragged;
  const char* target;  // nullptr: empty space
  DropEffect effect;
  const char* shape;  // the tree afterwards
};

void PrintTo(const DropCase& c, std::ostream* os) {
  *os << c.dragged << " onto " << (c.target ? c.target : "empty space");
}

class DropRuleTable : public ::testing::TestWithParam<DropCase> {};

TEST_P(DropRuleTable, MovesOrRefusesAsTheTableSays) {
  const DropCase& c = GetParam();
  SampleProfile p;
  TreeNode* target = c.target ? p[c.target] : nullptr;
  const TNodeData before = p[c.dragged]->data;

  EXPECT_EQ(ApplyDrop(p.tree, *p[c.dragged], target), c.effect);
  EXPECT_EQ(test::Shape(p.tree), c.shape);
  EXPECT_EQ(p.tree.Count(), 10u);
  // The node moves with its data unchanged.
  EXPECT_EQ(p[c.dragged]->data.Name, before.Name);
  EXPECT_EQ(p[c.dragged]->data.IsCategory, before.IsCategory);
}

constexpr const char* kUnchanged = SampleProfile::kShape;
using E = DropEffect;

INSTANTIATE_TEST_SUITE_P(
    Rules, DropRuleTable,
    ::testing::Values(
        // category onto category: before it; onto anything else: message 4
        DropCase{"C2", "C1", E::InsertBefore, "C2(G3(A4)) C1(G1(A1 G2(A2)) A3 G4)"},
        DropCase{"C1", "G3", E::RefuseCategory, kUnchanged},
        DropCase{"C1", "A4", E::RefuseCategory, kUnchanged},
        DropCase{"C1", "G1", E::RefuseCategory, kUnchanged},  // even its own child
        // group onto account: message 5
        DropCase{"G1", "A4", E::RefuseGroupOnAccount, kUnchanged},
        DropCase{"G2", "A1", E::RefuseGroupOnAccount, kUnchanged},
        // group onto a sibling: before it; onto another parent's node: its last child
        DropCase{"G4", "G1", E::InsertBefore, "C1(G4 G1(A1 G2(A2)) A3) C2(G3(A4))"},
        DropCase{"G1", "C2", E::AppendTo, "C1(A3 G4) C2(G3(A4) G1(A1 G2(A2)))"},
        DropCase{"G2", "G3", E::AppendTo, "C1(G1(A1) A3 G4) C2(G3(A4 G2(A2)))"},
        // the category holding the group has another parent (none): last child again
        DropCase{"G1", "C1", E::AppendTo, "C1(A3 G4 G1(A1 G2(A2))) C2(G3(A4))"},
        // account onto any account: before it, in that account's parent
        DropCase{"A3", "A4", E::InsertBefore, "C1(G1(A1 G2(A2)) G4) C2(G3(A3 A4))"},
        DropCase{"A2", "A1", E::InsertBefore, "C1(G1(A2 A1 G2) A3 G4) C2(G3(A4))"},
        // account onto a category or group
        DropCase{"A3", "G1", E::InsertBefore, "C1(A3 G1(A1 G2(A2)) G4) C2(G3(A4))"},
        DropCase{"A1", "G3", E::AppendTo, "C1(G1(G2(A2)) A3 G4) C2(G3(A4 A1))"},
        DropCase{"A1", "C2", E::AppendTo, "C1(G1(G2(A2)) A3 G4) C2(G3(A4) A1)"},
        // moves onto the node itself or into its own subtree are not carried out
        DropCase{"C1", "C1", E::None, kUnchanged}, DropCase{"G1", "G1", E::None, kUnchanged},
        DropCase{"G1", "G2", E::None, kUnchanged}, DropCase{"A1", "A1", E::None, kUnchanged},
        // nothing under the drop point
        DropCase{"A1", nullptr, E::None, kUnchanged},
        DropCase{"C1", nullptr, E::None, kUnchanged}));

TEST(DropRules, RefusalsNameTheirMessages) {
  EXPECT_EQ(RefusalMessage(DropEffect::RefuseCategory), 4);
  EXPECT_EQ(RefusalMessage(DropEffect::RefuseGroupOnAccount), 5);
  for (DropEffect e : {DropEffect::None, DropEffect::InsertBefore, DropEffect::AppendTo})
    EXPECT_EQ(RefusalMessage(e), -1);
}

TEST(DropRules, AccountHoldingNodesOfADamagedProfileIsNotMovedIntoItself) {
  // A profile whose levels put a node below an account still cannot form a loop.
  ProfileTree tree;
  TreeNode* account = tree.Append(nullptr, test::Node("A", NodeKind::Account));
  TreeNode* inner = tree.Append(account, test::Node("B", NodeKind::Account));
  EXPECT_EQ(ApplyDrop(tree, *account, inner), DropEffect::None);
  EXPECT_EQ(test::Shape(tree), "A(B)");
}

}  // namespace
}  // namespace bv
