#pragma once
// Which nodes of two sibling lists are one and the same node. Nodes carry no identifiers, so a
// node is known by its kind and name. Among siblings that share both (two "Gmail" accounts) the
// pairs whose fields agree most are taken first: identical records, then the likeliest, and
// order decides only between equally likely pairs. So a namesake that one side deleted is not
// mistaken for the one it kept, and the other side's edit of the deleted one never lands on it.

#include <cstddef>
#include <vector>

#include "profile/ProfileTree.h"

namespace bv {

using SiblingList = std::vector<const TreeNode*>;

struct SiblingPair {
  std::size_t left;   // index into the left list
  std::size_t right;  // index into the right list
};

// Pairs as many namesakes as the two lists hold: a kind and name found twice on the left and
// three times on the right makes two pairs.
[[nodiscard]] std::vector<SiblingPair> PairNamesakes(const SiblingList& left,
                                                     const SiblingList& right);

// Pairs a node that one side removed (left) with one it added (right) as a rename: the same
// kind, every field but the name alike, and at least half of the children (by kind and name)
// in common; or, for a node renamed while its own fields changed too, at least half of the
// children identical records. A node that holds nothing but its name and picture is never
// taken for a rename (two such nodes say nothing about being one), so a rename is recognised
// only where there is something to carry. Each node pairs at most once, in list order.
[[nodiscard]] std::vector<SiblingPair> PairRenames(const SiblingList& left,
                                                   const SiblingList& right);

// For each node of the base, its place in side's list (kNoRow: deleted there): namesakes, then
// renames among the rest. A side that renamed a node and added a namesake of its old name
// keeps its renamed node: a rename that agrees with the base in every field but the name is
// preferred to a namesake that agrees in fewer.
[[nodiscard]] std::vector<std::size_t> PairWithBase(const SiblingList& base,
                                                    const SiblingList& side);

}  // namespace bv
