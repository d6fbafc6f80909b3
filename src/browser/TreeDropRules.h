#pragma once
// What dropping one node of the account tree onto another does. The tree view only asks
// these functions; the rules live here so that they can be tested without a window.

#include "profile/ProfileTree.h"

namespace bv {

enum class DropEffect {
  None,                 // no node under the drop point, or a move onto the node's own subtree
  InsertBefore,         // the dragged node becomes the sibling just before the target
  AppendTo,             // the dragged node becomes the target's last child
  RefuseCategory,       // a category dropped on anything but a category: message 4
  RefuseGroupOnAccount  // a group dropped on an account: message 5
};

// The message that tells the user why a drop was refused; -1 for the other effects.
[[nodiscard]] int RefusalMessage(DropEffect effect);

// The effect of dropping `dragged` onto `target` (null: empty space).
[[nodiscard]] DropEffect DecideDrop(const TreeNode& dragged, const TreeNode* target);

// Where the dragged node would land: its new parent (null: the top level) and its row there,
// counted among the children as they are before the move.
struct DropPlace {
  TreeNode* parent;
  std::size_t row;
};
[[nodiscard]] DropPlace PlaceOf(DropEffect effect, TreeNode& target);

// Carries the drop out in the tree. Returns the effect, so that a refusal can be reported.
[[nodiscard]] DropEffect ApplyDrop(ProfileTree& tree, TreeNode& dragged, TreeNode* target);

}  // namespace bv
