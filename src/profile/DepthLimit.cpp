#include "profile/DepthLimit.h"

#include <utility>
#include <vector>

namespace bv {

std::size_t LiftDeepNodes(ProfileTree& tree, int levels) {
  // Each node at the deepest allowed level, with the nodes below it in pre-order.
  std::vector<std::pair<TreeNode*, std::vector<TreeNode*>>> groups;
  tree.ForEachPreOrder([&](TreeNode& node, int depth) {
    if (depth == levels - 1)
      groups.push_back({&node, {}});
    else if (depth >= levels)
      groups.back().second.push_back(&node);
  });
  std::size_t lifted = 0;
  for (auto& [deepest, below] : groups) {
    std::size_t row = deepest->row + 1;
    for (TreeNode* node : below) tree.Move(node, deepest->parent, row++);
    lifted += below.size();
  }
  return lifted;
}

std::size_t LiftToWindowDepth(ProfileTree& tree) { return LiftDeepNodes(tree, kWindowDepthLimit); }

}  // namespace bv
