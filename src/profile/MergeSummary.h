#pragma once
// What a merge did, node by node, for the user to read: each entry names the node by its path
// and says which version's edit it is.

#include <cstddef>
#include <string>
#include <vector>

#include "profile/MergeFields.h"
#include "profile/ProfileTree.h"

namespace bv {

// "Ours" is the version the merge keeps on conflicts (the window's tree, the first file of
// the command line); "theirs" the other one (the file on disk, the second file).
enum class MergeSide {
  Ours,
  Theirs
};

enum class MergeChange {
  Added,           // a node (with what it holds) that only this side has
  Deleted,         // a node this side deleted and the other left alone: gone
  Changed,         // fields this side changed and the other did not: taken
  Renamed,         // a node this side renamed (value: the new name)
  Conflict,        // fields both changed differently: ours kept, theirs beside it (value: its name)
  KeptDeleted,     // deleted on this side, kept: the other side changed it (fields) or kept
                   // something inside it (no fields)
  HeaderChanged,   // owner or title changed on this side only: taken
  HeaderConflict,  // owner or title changed on both sides differently: ours kept (value and
                   // otherValue: theirs' owner and title)
};

struct MergeEvent {
  MergeChange change = MergeChange::Added;
  MergeSide side = MergeSide::Theirs;
  NodeKind kind = NodeKind::Account;
  std::vector<std::string> path;  // names from the top level down to the node; the old name
                                  // for Renamed and Deleted
  FieldSet fields = 0;            // Changed, Conflict, KeptDeleted
  std::string value;
  std::string otherValue;
  std::size_t nodes = 1;  // Added and Deleted: the node and every node below it
  // In the merged tree: the node added, changed, renamed or kept, or the conflict copy; null
  // for a deletion and for the header. Valid as long as the merged tree keeps the node.
  const TreeNode* node = nullptr;
};

struct MergeSummary {
  std::vector<MergeEvent> events;  // in the order of the merged tree, the header first
  // No base was known: a conflict is a difference, not a change made on both sides.
  bool withoutBase = false;

  [[nodiscard]] std::size_t Count(MergeChange change) const;
  // The first conflict copy in the tree, for the window to select; null when there is none.
  [[nodiscard]] const TreeNode* FirstConflictCopy() const;
};

}  // namespace bv
