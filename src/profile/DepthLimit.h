#pragma once
// The deepest tree the window shows. The toolkit's tree view lays out each level by a
// recursive call and runs out of stack some 26,000 levels down; no person nests anywhere
// near 1,000, so deeper nodes of a damaged or hostile file are lifted to that level.

#include <cstddef>

#include "profile/ProfileTree.h"

namespace bv {

inline constexpr int kWindowDepthLimit = 1000;  // levels: depths 0 to 999

// Lifts every node at depth levels or more to depth levels - 1: it becomes a child of its
// ancestor at depth levels - 2, right after its ancestor at depth levels - 1 and the nodes
// lifted before it. The pre-order of the tree (the order of the records in the file) stays
// as it was, and no node is lost. Returns how many nodes were lifted. levels must be >= 1.
std::size_t LiftDeepNodes(ProfileTree& tree, int levels);

// Lifts a tree the window is about to show (opened, reloaded, merged or combined) to
// kWindowDepthLimit levels. Every such tree passes here, so none can be deeper.
std::size_t LiftToWindowDepth(ProfileTree& tree);

}  // namespace bv
