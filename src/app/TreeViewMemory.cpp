#include "app/TreeViewMemory.h"

#include <QTreeView>
#include <algorithm>

#include "browser/TreeModel.h"

namespace bv {
namespace {

bool SameKindAndName(const TNodeData& a, int isAccount, int isCategory, const std::string& name) {
  return a.IsAccount == isAccount && a.IsCategory == isCategory && a.Name == name;
}

}  // namespace

TreeViewMemory::Path TreeViewMemory::PathOf(const ProfileTree& tree, const TreeNode* node) {
  Path path;
  for (; node; node = node->parent) {
    Step step{node->data.IsAccount, node->data.IsCategory, node->data.Name, 0};
    const ProfileTree::Children& siblings = tree.ChildrenOf(node->parent);
    for (std::size_t row = 0; row < node->row; ++row)
      if (SameKindAndName(siblings[row]->data, step.isAccount, step.isCategory, step.name))
        ++step.nth;
    path.push_back(std::move(step));
  }
  std::reverse(path.begin(), path.end());
  return path;
}

TreeNode* TreeViewMemory::Find(const ProfileTree& tree, const Path& path, const TNodeData* like) {
  TreeNode* node = nullptr;
  for (std::size_t depth = 0; depth < path.size(); ++depth) {
    const Step& step = path[depth];
    const bool last = depth + 1 == path.size();
    TreeNode* atPlace = nullptr;
    TreeNode* alike = nullptr;
    std::size_t seen = 0;
    for (const auto& child : tree.ChildrenOf(node)) {
      if (!SameKindAndName(child->data, step.isAccount, step.isCategory, step.name)) continue;
      if (seen++ == step.nth) atPlace = child.get();
      if (last && like && !alike && child->data == *like) alike = child.get();
    }
    node = alike ? alike : atPlace;
    if (!node) return nullptr;
  }
  return node;
}

void TreeViewMemory::Remember(const QTreeView& view, const ProfileTreeModel& model,
                              const TreeNode* selected) {
  const ProfileTree& tree = model.Tree();
  Forget();
  if (selected) {
    selected_ = PathOf(tree, selected);
    selectedData_ = selected->data;
  }
  tree.ForEachPreOrder([&](TreeNode& node, int) {
    if (!node.children.empty() && view.isExpanded(model.IndexOf(&node)))
      expanded_.push_back(PathOf(tree, &node));
  });
}

TreeNode* TreeViewMemory::Restore(QTreeView& view, ProfileTreeModel& model) {
  const ProfileTree& tree = model.Tree();
  for (const Path& path : expanded_)
    if (const TreeNode* node = Find(tree, path)) view.expand(model.IndexOf(node));
  TreeNode* selected = selected_ ? Find(tree, *selected_, &selectedData_) : nullptr;
  Forget();
  return selected;
}

void TreeViewMemory::Forget() {
  selected_.reset();
  WipeNodeData(selectedData_);
  expanded_.clear();
}

}  // namespace bv
