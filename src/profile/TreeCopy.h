#pragma once
// A copy of a whole tree, node for node: for keeping a version of the nodes apart from the
// tree that goes on being edited.

#include "profile/ProfileTree.h"

namespace bv {

[[nodiscard]] ProfileTree CopyTree(const ProfileTree& tree);

}  // namespace bv
