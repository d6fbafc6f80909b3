// Two random edit scripts applied to one base, then merged: every edit of either side must be
// in the result. Nodes are found by content, never by path: each node carries an identity of
// its own in its description, which no script edits, so a node is known wherever it went.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

#include "TreeText.h"
#include "profile/ConflictName.h"
#include "profile/ProfileMerge.h"
#include "profile/TreeCopy.h"

namespace bv {
namespace {

constexpr const char* kMark = "%1 (c)";
// Few names, so that siblings often share theirs.
const std::vector<std::string> kNames = {"Gmail", "Banco", "Steam", "Correo"};

class RandomEdits {
 public:
  RandomEdits(std::mt19937& random, std::string prefix, int firstPicture)
      : random_(random), prefix_(prefix), firstPicture_(firstPicture) {}

  // A new node differs from every older one in its identity and its picture (each script
  // draws pictures of its own), as a new account differs from any other in more than one
  // field: a namesake that differs in one field alone is as likely the old node edited.
  TNodeData NewNode(NodeKind kind) {
    TNodeData data = TNodeData::Create(kind, static_cast<std::int32_t>(firstPicture_ + Pick(26)));
    data.Name = kNames[Pick(kNames.size())];
    data.Description = "#" + prefix_ + std::to_string(++made_);
    if (kind == NodeKind::Account) {
      data.UserName = kNames[Pick(kNames.size())];  // often alike, so fields decide less
      data.Password = Token();
    }
    return data;
  }

  void Fill(ProfileTree& tree, int nodes) {
    while (static_cast<int>(tree.Count()) < nodes) Add(tree);
  }

  void Apply(ProfileTree& tree, int edits) {
    for (int k = 0; k < edits; ++k) {
      switch (Pick(6)) {
        case 0: Add(tree); break;
        case 1: Delete(tree); break;
        case 2: Edit(tree); break;
        case 3: RenameBesideANewNamesake(tree); break;
        case 4: RenameWithANewPicture(tree); break;
        default: Move(tree); break;
      }
    }
  }

 private:
  std::size_t Pick(std::size_t count) {
    return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_);
  }
  std::string Token() { return prefix_ + "-" + std::to_string(++tokens_); }

  static std::vector<TreeNode*> Nodes(const ProfileTree& tree, bool containersOnly) {
    std::vector<TreeNode*> nodes;
    tree.ForEachPreOrder([&](TreeNode& node, int) {
      if (!containersOnly || !node.data.IsAccount) nodes.push_back(&node);
    });
    return nodes;
  }

  // Each draw in a statement of its own: the order in which a call's arguments are worked
  // out is the compiler's, and every compiler must make the same cases.
  void Add(ProfileTree& tree) {
    const std::vector<TreeNode*> containers = Nodes(tree, true);
    if (containers.empty() || Pick(6) == 0) {
      const std::size_t row = Pick(tree.ChildrenOf(nullptr).size() + 1);
      tree.Insert(nullptr, row, NewNode(NodeKind::Category));
      return;
    }
    TreeNode* parent = containers[Pick(containers.size())];
    const std::size_t row = Pick(parent->children.size() + 1);
    const NodeKind kind = Pick(3) == 0 ? NodeKind::Group : NodeKind::Account;
    tree.Insert(parent, row, NewNode(kind));
  }

  void Delete(ProfileTree& tree) {
    const std::vector<TreeNode*> nodes = Nodes(tree, false);
    if (!nodes.empty()) tree.Remove(nodes[Pick(nodes.size())]);
  }

  void Edit(ProfileTree& tree) {
    const std::vector<TreeNode*> nodes = Nodes(tree, false);
    if (nodes.empty()) return;
    TNodeData& data = nodes[Pick(nodes.size())]->data;
    // Every edit writes a value of its own, so that it can be found wherever it ends up.
    switch (data.IsAccount ? Pick(4) : 0) {
      case 0: data.Name = Token(); break;
      case 1: data.UserName = Token(); break;
      case 2: data.Password = Token(); break;
      default: data.Notes = Token(); break;
    }
  }

  // A node renamed, and a new one given its old name in its place.
  void RenameBesideANewNamesake(ProfileTree& tree) {
    const std::vector<TreeNode*> nodes = Nodes(tree, false);
    if (nodes.empty()) return;
    TreeNode* node = nodes[Pick(nodes.size())];
    TNodeData namesake = NewNode(node->data.Kind());
    namesake.Name = node->data.Name;
    node->data.Name = Token();
    tree.Insert(node->parent, node->row, namesake);
  }

  // A container renamed while its picture changed: known by what it holds.
  void RenameWithANewPicture(ProfileTree& tree) {
    std::vector<TreeNode*> containers;
    for (TreeNode* node : Nodes(tree, true))
      if (!node->children.empty()) containers.push_back(node);
    if (containers.empty()) return;
    TNodeData& data = containers[Pick(containers.size())]->data;
    data.Name = Token();
    data.ImageIndex = static_cast<std::int32_t>(firstPicture_ + Pick(26));
  }

  void Move(ProfileTree& tree) {
    const std::vector<TreeNode*> nodes = Nodes(tree, false);
    if (nodes.empty()) return;
    TreeNode* node = nodes[Pick(nodes.size())];
    if (node->data.IsCategory) {
      tree.Move(node, nullptr, Pick(tree.ChildrenOf(nullptr).size() + 1));
      return;
    }
    std::vector<TreeNode*> targets;
    for (TreeNode* target : Nodes(tree, true))
      if (!ProfileTree::IsInSubtree(target, node)) targets.push_back(target);
    TreeNode* target = targets[Pick(targets.size())];  // its own parent at least
    tree.Move(node, target, Pick(target->children.size() + 1));
  }

  std::mt19937& random_;
  std::string prefix_;
  int firstPicture_;
  int made_ = 0;
  int tokens_ = 0;
};

const std::string& IdOf(const TreeNode* node) {
  static const std::string kTop = "top";
  return node ? node->data.Description : kTop;
}

std::multimap<std::string, const TreeNode*> ById(const ProfileTree& tree) {
  std::multimap<std::string, const TreeNode*> byId;
  tree.ForEachPreOrder([&](TreeNode& node, int) { byId.emplace(IdOf(&node), &node); });
  return byId;
}

// What a deletion on the other side leaves in place, by identity: the nodes a side added,
// edited or moved, every ancestor they have there, and what a moved node holds (a move takes
// its subtree along); also what a renamed node holds, as a rename that the merge does not
// recognise (its fields or children changed too much) is a deletion plus an addition.
std::set<std::string> KeptBy(const ProfileTree& side,
                             const std::multimap<std::string, const TreeNode*>& base) {
  std::set<std::string> kept;
  std::map<const TreeNode*, bool> carried;  // by a move or a rename of itself or an ancestor
  side.ForEachPreOrder([&](TreeNode& node, int) {
    const auto found = base.find(IdOf(&node));
    const bool arrived = found == base.end() || IdOf(found->second->parent) != IdOf(node.parent) ||
                         found->second->data.Name != node.data.Name ||
                         (node.parent && carried[node.parent]);
    carried[&node] = arrived;
    if (!arrived && found->second->data == node.data) return;
    for (const TreeNode* n = &node; n; n = n->parent) kept.insert(IdOf(n));
  });
  return kept;
}

// Every edit of side (against base) is in merged; other is the other side. Edited values are
// unique to the edit that made them, so an edit is found by its value wherever it went: the
// rule that a node is known by its path lets a namesake that took a deleted node's place
// receive its edits, which is what the user sees there. Where the other side kept the node
// in its place, the edit must be on that very node.
void ExpectEditsOf(const char* sideName, const ProfileTree& side, const ProfileTree& other,
                   const ProfileTree& base, const ProfileTree& merged) {
  SCOPED_TRACE(sideName);
  const auto inBase = ById(base), inSide = ById(side), inOther = ById(other),
             inMerged = ById(merged);
  std::set<std::string> mergedValues[kPictureField];
  merged.ForEachPreOrder([&](TreeNode& node, int) {
    for (int field = 0; field < kPictureField; ++field)
      mergedValues[field].insert(node.data.*kTextFields[field].member);
  });
  for (const auto& [id, node] : inSide) {
    const auto was = inBase.find(id);
    // Added or moved: there, under its own identity (as itself or as a conflict copy).
    if (was == inBase.end() || IdOf(was->second->parent) != IdOf(node->parent)) {
      EXPECT_TRUE(inMerged.count(id)) << "lost " << id << " " << node->data.Name;
    }
    if (was == inBase.end()) continue;
    for (int field = 0; field < kPictureField; ++field) {
      const std::string& value = node->data.*kTextFields[field].member;
      if (value == was->second->data.*kTextFields[field].member) continue;
      EXPECT_TRUE(
          mergedValues[field].count(value) ||
          (field == kNameField && mergedValues[field].count(ConflictCopyName(value, kMark))))
          << "edit of " << kTextFields[field].name << " of " << id << " lost";
      bool onItsNode = false;
      for (auto [at, end] = inMerged.equal_range(id); at != end; ++at) {
        const std::string& there = at->second->data.*kTextFields[field].member;
        onItsNode = onItsNode || there == value ||
                    (field == kNameField && there == ConflictCopyName(value, kMark));
      }
      // Where the other side kept the node in its place (renamed, edited, beside new
      // namesakes), the edit is on that node and on no namesake.
      EXPECT_TRUE(onItsNode || !inMerged.count(id) || !inOther.count(id) ||
                  IdOf(inOther.find(id)->second->parent) != IdOf(was->second->parent))
          << "edit of " << kTextFields[field].name << " of " << id << " on another node";
    }
  }
  const std::set<std::string> otherKept = KeptBy(other, inBase);
  for (const auto& [id, node] : inBase)
    if (!inSide.count(id) && !otherKept.count(id)) {
      EXPECT_EQ(inMerged.count(id), 0u) << "deletion of " << id << " undone";
    }
}

TEST(MergeRandom, EveryEditOfEitherSideIsInTheResult) {
  for (unsigned seed = 1; seed <= 400; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    ProfileTree base;
    RandomEdits(random, "b", 0).Fill(base, 30 + static_cast<int>(seed % 40));
    ProfileTree ours = CopyTree(base), theirs = CopyTree(base);
    const int edits = 1 + static_cast<int>(seed % 12);
    RandomEdits(random, "o", 30).Apply(ours, edits);
    RandomEdits(random, "t", 60).Apply(theirs, edits);
    TProfileHeader header;
    const ProfileVersion b{header, base}, o{header, ours}, t{header, theirs};

    const MergedProfile merged = MergeProfiles(&b, o, t, kMark);
    ExpectEditsOf("ours", ours, theirs, base, merged.tree);
    ExpectEditsOf("theirs", theirs, ours, base, merged.tree);
    const auto known = ById(base), oursIds = ById(ours), theirsIds = ById(theirs);
    for (const auto& [id, node] : ById(merged.tree))
      EXPECT_TRUE(known.count(id) || oursIds.count(id) || theirsIds.count(id)) << id;

    // A side alone is reproduced exactly, order included; so is the same work done twice.
    EXPECT_EQ(test::TextOf(MergeProfiles(&b, o, b, kMark).tree), test::TextOf(ours));
    EXPECT_EQ(test::TextOf(MergeProfiles(&b, b, t, kMark).tree), test::TextOf(theirs));
    EXPECT_EQ(test::TextOf(MergeProfiles(&b, t, t, kMark).tree), test::TextOf(theirs));

    // Without a base nothing is deleted.
    const auto twoWay = ById(MergeProfiles(nullptr, o, t, kMark).tree);
    for (const auto* side : {&oursIds, &theirsIds})
      for (const auto& [id, node] : *side) EXPECT_TRUE(twoWay.count(id)) << "two-way lost " << id;
    if (HasFailure()) {
      ADD_FAILURE() << "base   " << test::TextOf(base) << "\nours   " << test::TextOf(ours)
                    << "\ntheirs " << test::TextOf(theirs) << "\nmerged "
                    << test::TextOf(merged.tree);
      return;
    }
  }
}

}  // namespace
}  // namespace bv
