#include "extension/NodeIdentity.h"

#include <sodium.h>

#include <map>
#include <utility>
#include <vector>

namespace bv {
namespace {

using NamesakeCounts = std::map<std::pair<NodeKind, std::string>, std::size_t>;

// One step of a path: kind, place among the siblings of that kind and name, and the name,
// each step written with its length so that no two paths give the same bytes.
std::string Step(const TreeNode& node, std::size_t namesake) {
  return std::to_string(static_cast<int>(node.data.Kind())) + ':' + std::to_string(namesake) + ':' +
         std::to_string(node.data.Name.size()) + ':' + node.data.Name;
}

std::string Digest(const std::string& path) {
  unsigned char digest[16];
  crypto_generichash(digest, sizeof digest, reinterpret_cast<const unsigned char*>(path.data()),
                     path.size(), nullptr, 0);
  char hex[sizeof digest * 2 + 1];
  sodium_bin2hex(hex, sizeof hex, digest, sizeof digest);
  return hex;
}

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

}  // namespace

std::string NodeIdentifier(const ProfileTree& tree, const TreeNode& node) {
  std::vector<const TreeNode*> path;
  for (const TreeNode* step = &node; step; step = step->parent) path.push_back(step);
  std::string bytes;
  for (auto it = path.rbegin(); it != path.rend(); ++it) {
    const TreeNode& step = **it;
    bytes +=
        Step(step, Namesake(step, step.parent ? step.parent->children : tree.ChildrenOf(nullptr)));
  }
  return Digest(bytes);
}

TreeNode* FindByIdentifier(const ProfileTree& tree, std::string_view identifier) {
  // One pass over the tree, each node's path bytes built from its parent's, so that a
  // profile with many namesakes is not walked once per node.
  struct Pending {
    const ProfileTree::Children* children;
    std::string prefix;
  };
  std::vector<Pending> pending{{&tree.ChildrenOf(nullptr), {}}};
  TreeNode* found = nullptr;
  int count = 0;
  while (!pending.empty()) {
    Pending level = std::move(pending.back());
    pending.pop_back();
    NamesakeCounts seen;
    for (const auto& child : *level.children) {
      std::string bytes =
          level.prefix + Step(*child, seen[{child->data.Kind(), child->data.Name}]++);
      if (Digest(bytes) == identifier) {
        found = child.get();
        ++count;
      }
      if (!child->children.empty()) pending.push_back({&child->children, std::move(bytes)});
    }
  }
  return count == 1 ? found : nullptr;
}

}  // namespace bv
