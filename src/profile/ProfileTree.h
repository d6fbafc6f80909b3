#pragma once
// The tree of categories, groups and accounts: ordered children, one TNodeData per node.
// Node pointers stay valid until the node is removed or the tree is cleared; moves keep them.

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "profile/NodeData.h"

namespace bv {

class ProfileTree {
 public:
  struct Node {
    TNodeData data;
    Node* parent = nullptr;  // null for a top-level node
    std::vector<std::unique_ptr<Node>> children;
    std::size_t row = 0;  // position among its siblings, kept current by the tree

    Node() = default;
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    ~Node();  // dismantles the subtree without recursion, however deep it is
  };
  using Children = std::vector<std::unique_ptr<Node>>;

  ProfileTree() = default;
  ProfileTree(const ProfileTree&) = delete;
  ProfileTree& operator=(const ProfileTree&) = delete;
  ProfileTree(ProfileTree&&) = default;
  ProfileTree& operator=(ProfileTree&&) = default;

  // Structure. A null parent stands for the top level.
  Node* Append(Node* parent, TNodeData data);
  Node* Insert(Node* parent, std::size_t row, TNodeData data);
  void Remove(Node* node);
  // Moves node (with its subtree) to position row among newParent's children, where row
  // counts the children as they are before the move. newParent must not lie in node's subtree.
  void Move(Node* node, Node* newParent, std::size_t row);
  void Clear();

  // Queries.
  const Children& ChildrenOf(const Node* parent) const;
  Node* ChildAt(const Node* parent, std::size_t row) const;
  Node* First() const;
  [[nodiscard]] bool Empty() const { return top_.empty(); }
  [[nodiscard]] std::size_t Count() const { return count_; }
  [[nodiscard]] static int Depth(const Node* node);
  [[nodiscard]] static bool IsInSubtree(const Node* node, const Node* root);  // node == root counts
  // Position in depth-first (pre-order) order; -1 for null or a node not in this tree.
  int TreeIndexOf(const Node* node) const;
  Node* NodeAtTreeIndex(int index) const;

  // Visits every node in pre-order with its depth.
  void ForEachPreOrder(const std::function<void(Node&, int depth)>& visit) const;

  // Orders the children of parent (null: the top level) by less; recursive also orders
  // every level below. The order of equal nodes is kept.
  void SortChildren(Node* parent, bool recursive,
                    const std::function<bool(const TNodeData&, const TNodeData&)>& less);

 private:
  Children& MutableChildrenOf(Node* parent) { return parent ? parent->children : top_; }
  static void Renumber(Children& children, std::size_t from);
  [[nodiscard]] static std::size_t SubtreeSize(const Node* node);

  Children top_;
  std::size_t count_ = 0;
};

using TreeNode = ProfileTree::Node;

}  // namespace bv
