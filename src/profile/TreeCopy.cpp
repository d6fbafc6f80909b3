#include "profile/TreeCopy.h"

#include <utility>
#include <vector>

namespace bv {

ProfileTree CopyTree(const ProfileTree& tree) {
  ProfileTree copy;
  // Iterative, like every walk of a tree that a file may make very deep.
  std::vector<std::pair<const TreeNode*, TreeNode*>> pending;  // (original, copy's parent)
  const auto& top = tree.ChildrenOf(nullptr);
  for (auto it = top.rbegin(); it != top.rend(); ++it) pending.emplace_back(it->get(), nullptr);
  while (!pending.empty()) {
    const auto [original, parent] = pending.back();
    pending.pop_back();
    TreeNode* node = copy.Append(parent, TNodeData{});
    node->data = original->data;
    for (auto it = original->children.rbegin(); it != original->children.rend(); ++it)
      pending.emplace_back(it->get(), node);
  }
  return copy;
}

}  // namespace bv
