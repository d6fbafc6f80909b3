#pragma once
// Where the user was in the tree view, remembered by paths of names, so that the view can
// return there once the nodes are replaced by another version of the same profile (a reload
// or a combination): the selected node and the expanded branches, where they still exist.
// A step of a path is the kind and name of a node and which of its same-kind namesakes among
// its siblings it is; the selected node is found among its namesakes by all its values first,
// so that a namesake added before it does not take the selection.

#include <optional>
#include <string>
#include <vector>

#include "profile/ProfileTree.h"

class QTreeView;

namespace bv {

class ProfileTreeModel;

class TreeViewMemory {
 public:
  TreeViewMemory() = default;
  TreeViewMemory(const TreeViewMemory&) = delete;
  TreeViewMemory& operator=(const TreeViewMemory&) = delete;
  ~TreeViewMemory() { Forget(); }

  void Remember(const QTreeView& view, const ProfileTreeModel& model, const TreeNode* selected);
  // Expands the remembered branches that exist in the model's tree now (the others stay
  // collapsed) and returns the node at the remembered selection, or null. Forgets after.
  TreeNode* Restore(QTreeView& view, ProfileTreeModel& model);
  // Nothing remembered; the selected node's values (a password among them) are wiped.
  void Forget();

 private:
  struct Step {
    int isAccount = 0;
    int isCategory = 0;
    std::string name;
    std::size_t nth = 0;
  };
  using Path = std::vector<Step>;

  static Path PathOf(const ProfileTree& tree, const TreeNode* node);
  // like: a namesake with exactly these values is taken before the one at the step's place.
  static TreeNode* Find(const ProfileTree& tree, const Path& path, const TNodeData* like = nullptr);

  std::optional<Path> selected_;
  TNodeData selectedData_;
  std::vector<Path> expanded_;
};

}  // namespace bv
