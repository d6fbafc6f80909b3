#include "profile/LevelTree.h"

#include <algorithm>
#include <utility>

namespace bv {

TreeNode* LevelTreeBuilder::Attach(std::int32_t level, TNodeData data) {
  const int wanted = std::max<std::int32_t>(level, 0);
  TreeNode* parent = nullptr;
  int depth = 0;
  if (previous_) {
    if (wanted > previousDepth_) {
      parent = previous_;
      depth = previousDepth_ + 1;
    } else {
      // Climb from p to its ancestor at the wanted depth; the new node is that one's sibling.
      TreeNode* sibling = previous_;
      for (int d = previousDepth_; d > wanted; --d) sibling = sibling->parent;
      parent = sibling->parent;
      depth = wanted;
    }
  }
  previous_ = tree_.Append(parent, std::move(data));
  previousDepth_ = depth;
  return previous_;
}

}  // namespace bv
