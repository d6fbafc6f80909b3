#include "profile/ProfileTree.h"

#include <algorithm>
#include <cassert>

namespace bv {

ProfileTree::Node::~Node() {
  WipeNodeData(data);  // each node of the subtree below does the same as it goes
  Children pending = std::move(children);
  while (!pending.empty()) {
    std::unique_ptr<Node> node = std::move(pending.back());
    pending.pop_back();
    for (auto& child : node->children) pending.push_back(std::move(child));
    node->children.clear();
  }
}

ProfileTree::Node* ProfileTree::Append(Node* parent, TNodeData data) {
  return Insert(parent, ChildrenOf(parent).size(), std::move(data));
}

ProfileTree::Node* ProfileTree::Insert(Node* parent, std::size_t row, TNodeData data) {
  auto& siblings = MutableChildrenOf(parent);
  row = std::min(row, siblings.size());
  auto node = std::make_unique<Node>();
  node->data = std::move(data);
  node->parent = parent;
  Node* raw = node.get();
  siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(row), std::move(node));
  Renumber(siblings, row);
  ++count_;
  return raw;
}

void ProfileTree::Remove(Node* node) {
  if (!node) return;
  auto& siblings = MutableChildrenOf(node->parent);
  const std::size_t row = node->row;
  assert(row < siblings.size() && siblings[row].get() == node);
  count_ -= SubtreeSize(node);
  siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(row));
  Renumber(siblings, row);
}

void ProfileTree::Move(Node* node, Node* newParent, std::size_t row) {
  assert(node && !IsInSubtree(newParent, node));
  auto& from = MutableChildrenOf(node->parent);
  const std::size_t oldRow = node->row;
  std::unique_ptr<Node> owned = std::move(from[oldRow]);
  from.erase(from.begin() + static_cast<std::ptrdiff_t>(oldRow));
  Renumber(from, oldRow);

  auto& to = MutableChildrenOf(newParent);
  if (node->parent == newParent && row > oldRow) --row;
  row = std::min(row, to.size());
  owned->parent = newParent;
  to.insert(to.begin() + static_cast<std::ptrdiff_t>(row), std::move(owned));
  Renumber(to, row);
}

void ProfileTree::Clear() {
  top_.clear();
  count_ = 0;
}

const ProfileTree::Children& ProfileTree::ChildrenOf(const Node* parent) const {
  return parent ? parent->children : top_;
}

ProfileTree::Node* ProfileTree::ChildAt(const Node* parent, std::size_t row) const {
  const auto& siblings = ChildrenOf(parent);
  return row < siblings.size() ? siblings[row].get() : nullptr;
}

ProfileTree::Node* ProfileTree::First() const {
  return top_.empty() ? nullptr : top_.front().get();
}

int ProfileTree::Depth(const Node* node) {
  int depth = -1;
  for (; node; node = node->parent) ++depth;
  return depth;
}

bool ProfileTree::IsInSubtree(const Node* node, const Node* root) {
  if (!root) return false;
  for (; node; node = node->parent)
    if (node == root) return true;
  return false;
}

int ProfileTree::TreeIndexOf(const Node* node) const {
  if (!node) return -1;
  // Nodes before it in pre-order: for each ancestor level, the earlier siblings' subtrees,
  // plus the ancestors themselves.
  std::size_t index = 0;
  for (const Node* n = node; n; n = n->parent) {
    const auto& siblings = ChildrenOf(n->parent);
    if (n->row >= siblings.size() || siblings[n->row].get() != n) return -1;
    for (std::size_t k = 0; k < n->row; ++k) index += SubtreeSize(siblings[k].get());
    if (n->parent) ++index;
  }
  return static_cast<int>(index);
}

ProfileTree::Node* ProfileTree::NodeAtTreeIndex(int index) const {
  if (index < 0) return nullptr;
  auto remaining = static_cast<std::size_t>(index);
  const Children* level = &top_;
  while (true) {
    Node* descend = nullptr;
    for (const auto& child : *level) {
      if (remaining == 0) return child.get();
      const std::size_t size = SubtreeSize(child.get());
      if (remaining < size) {
        descend = child.get();
        --remaining;  // the child itself
        break;
      }
      remaining -= size;
    }
    if (!descend) return nullptr;
    level = &descend->children;
  }
}

void ProfileTree::ForEachPreOrder(const std::function<void(Node&, int)>& visit) const {
  // Iterative, so that very deep trees cannot exhaust the stack.
  struct Frame {
    const Children* siblings;
    std::size_t next;
  };
  std::vector<Frame> stack{{&top_, 0}};
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (frame.next == frame.siblings->size()) {
      stack.pop_back();
      continue;
    }
    Node& node = *(*frame.siblings)[frame.next++];
    visit(node, static_cast<int>(stack.size()) - 1);
    if (!node.children.empty()) stack.push_back({&node.children, 0});
  }
}

void ProfileTree::SortChildren(
    Node* parent, bool recursive,
    const std::function<bool(const TNodeData&, const TNodeData&)>& less) {
  auto& siblings = MutableChildrenOf(parent);
  std::stable_sort(siblings.begin(), siblings.end(),
                   [&](const auto& a, const auto& b) { return less(a->data, b->data); });
  Renumber(siblings, 0);
  if (!recursive) return;
  std::vector<Node*> pending;
  for (auto& child : siblings) pending.push_back(child.get());
  while (!pending.empty()) {
    Node* n = pending.back();
    pending.pop_back();
    SortChildren(n, false, less);
    for (auto& child : n->children) pending.push_back(child.get());
  }
}

void ProfileTree::Renumber(Children& children, std::size_t from) {
  for (std::size_t k = from; k < children.size(); ++k) children[k]->row = k;
}

std::size_t ProfileTree::SubtreeSize(const Node* node) {
  std::size_t size = 0;
  std::vector<const Node*> pending{node};
  while (!pending.empty()) {
    const Node* n = pending.back();
    pending.pop_back();
    ++size;
    for (const auto& child : n->children) pending.push_back(child.get());
  }
  return size;
}

}  // namespace bv
