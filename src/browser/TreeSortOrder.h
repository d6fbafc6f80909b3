#pragma once
// Sorting the account tree: the children of one node by label, alone or with every level
// below it. The kind of node plays no part, so accounts and groups are interleaved, and
// nothing moves between parents.

#include <functional>
#include <string>

#include "profile/ProfileTree.h"

namespace bv {

// Strict weak order of two labels (Windows-1252 bytes); the window supplies the
// locale-aware one.
using LabelLess = std::function<bool(const std::string&, const std::string&)>;

enum class SortScope {
  OneLevel,
  WholeBranch
};

// Does nothing when node is null (nothing selected). Labels that compare equal keep
// their order.
void SortByLabel(ProfileTree& tree, TreeNode* node, SortScope scope, const LabelLess& less);

}  // namespace bv
