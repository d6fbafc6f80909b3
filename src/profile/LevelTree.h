#pragma once
// Rebuilding the tree from the Level of each record, in file (pre-order) order.
//
// With p the node attached for the previous record and L the record's Level:
//   - the first record becomes a top-level node, whatever L is;
//   - L = depth(p): a new last sibling of p;
//   - L = depth(p) + 1: a new last child of p;
//   - L < depth(p): a new last sibling of p's ancestor at depth L;
//   - L > depth(p) + 1 (never written by a sound writer): a new last child of p, so that a
//     gap in the levels neither loses p nor reorders anything;
//   - L < 0 (never written either) counts as 0.
// The node then has its actual depth; the next record's Level is compared with that.

#include <cstdint>

#include "profile/ProfileTree.h"

namespace bv {

class LevelTreeBuilder {
 public:
  // Appends to tree as it stands (normally empty).
  explicit LevelTreeBuilder(ProfileTree& tree) : tree_(tree) {}

  TreeNode* Attach(std::int32_t level, TNodeData data);

 private:
  ProfileTree& tree_;
  TreeNode* previous_ = nullptr;
  int previousDepth_ = -1;
};

}  // namespace bv
