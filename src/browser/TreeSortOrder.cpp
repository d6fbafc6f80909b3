#include "browser/TreeSortOrder.h"

namespace bv {

void SortByLabel(ProfileTree& tree, TreeNode* node, SortScope scope, const LabelLess& less) {
  if (!node) return;
  tree.SortChildren(node, scope == SortScope::WholeBranch,
                    [&](const TNodeData& a, const TNodeData& b) { return less(a.Name, b.Name); });
}

}  // namespace bv
