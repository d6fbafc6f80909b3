#include "browser/TreeDropRules.h"

#include "config/MessageIds.h"

namespace bv {

int RefusalMessage(DropEffect effect) {
  switch (effect) {
    case DropEffect::RefuseCategory: return msg::kCategoryDropRefused;
    case DropEffect::RefuseGroupOnAccount: return msg::kGroupOnAccountRefused;
    default: return -1;
  }
}

DropEffect DecideDrop(const TreeNode& dragged, const TreeNode* target) {
  if (!target) return DropEffect::None;
  const NodeKind from = dragged.data.Kind();
  const NodeKind onto = target->data.Kind();
  // Two nodes have the same parent exactly when their parents' tree positions are equal;
  // comparing the parent pointers says the same without walking the tree.
  const bool sameParent = dragged.parent == target->parent;

  DropEffect effect;
  if (from == NodeKind::Category) {
    if (onto != NodeKind::Category) return DropEffect::RefuseCategory;
    effect = DropEffect::InsertBefore;
  } else if (from == NodeKind::Group && onto == NodeKind::Account) {
    return DropEffect::RefuseGroupOnAccount;
  } else if (onto == NodeKind::Account || sameParent) {
    effect = DropEffect::InsertBefore;
  } else {
    effect = DropEffect::AppendTo;
  }
  // Either place would hang the node below itself.
  if (ProfileTree::IsInSubtree(target, &dragged)) return DropEffect::None;
  return effect;
}

DropPlace PlaceOf(DropEffect effect, TreeNode& target) {
  if (effect == DropEffect::AppendTo) return {&target, target.children.size()};
  return {target.parent, target.row};
}

DropEffect ApplyDrop(ProfileTree& tree, TreeNode& dragged, TreeNode* target) {
  const DropEffect effect = DecideDrop(dragged, target);
  if (effect == DropEffect::InsertBefore || effect == DropEffect::AppendTo) {
    const DropPlace place = PlaceOf(effect, *target);
    tree.Move(&dragged, place.parent, place.row);
  }
  return effect;
}

}  // namespace bv
