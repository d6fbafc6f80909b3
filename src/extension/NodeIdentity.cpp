#include "extension/NodeIdentity.h"

#include <sodium.h>

#include <vector>

namespace bv {
namespace {

const ProfileTree::Children& SiblingsOf(const TreeNode& node, const ProfileTree::Children* top) {
  return node.parent ? node.parent->children : *top;
}

// Which of the siblings with node's kind and name node is, counting from 0.
std::size_t Namesake(const TreeNode& node, const ProfileTree::Children& siblings) {
  std::size_t before = 0;
  for (const auto& sibling : siblings) {
    if (sibling.get() == &node) break;
    if (sibling->data.Kind() == node.data.Kind() && sibling->data.Name == node.data.Name) {
      ++before;
    }
  }
  return before;
}

std::string Identifier(const TreeNode& node, const ProfileTree::Children* top) {
  std::vector<const TreeNode*> path;
  for (const TreeNode* step = &node; step; step = step->parent) path.push_back(step);
  crypto_generichash_state state;
  crypto_generichash_init(&state, nullptr, 0, 16);
  for (auto it = path.rbegin(); it != path.rend(); ++it) {
    const TreeNode& step = **it;
    // Each step is written with its length, so that no two paths give the same bytes.
    const std::string part = std::to_string(static_cast<int>(step.data.Kind())) + ':' +
                             std::to_string(Namesake(step, SiblingsOf(step, top))) + ':' +
                             std::to_string(step.data.Name.size()) + ':' + step.data.Name;
    crypto_generichash_update(&state, reinterpret_cast<const unsigned char*>(part.data()),
                              part.size());
  }
  unsigned char digest[16];
  crypto_generichash_final(&state, digest, sizeof digest);
  char hex[sizeof digest * 2 + 1];
  sodium_bin2hex(hex, sizeof hex, digest, sizeof digest);
  return hex;
}

}  // namespace

std::string NodeIdentifier(const ProfileTree& tree, const TreeNode& node) {
  return Identifier(node, &tree.ChildrenOf(nullptr));
}

TreeNode* FindByIdentifier(const ProfileTree& tree, std::string_view identifier) {
  TreeNode* found = nullptr;
  int count = 0;
  const auto& top = tree.ChildrenOf(nullptr);
  tree.ForEachPreOrder([&](TreeNode& node, int) {
    if (Identifier(node, &top) == identifier) {
      found = &node;
      ++count;
    }
  });
  return count == 1 ? found : nullptr;
}

}  // namespace bv
