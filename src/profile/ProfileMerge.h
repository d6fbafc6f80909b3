#pragma once
// Combining two versions of a profile that were edited apart (the window's tree and the file
// another writer saved, or a profile and a sync tool's conflict copy of it), given the version
// both started from.
//
// Nodes carry no identifiers: a node is known by its path, the kind and name of each ancestor
// and its own; SiblingMatch.h pairs namesakes and spots renames. Node by node:
//   - only one side has it (added there): added, after its nearest predecessor among its
//     siblings on that side that the result keeps (first, when none is kept);
//   - one side deleted it: gone if the other side left it as it was and holds nothing new below
//     it; kept with the other side's change if that side changed it; kept with its ancestors
//     if something inside it is kept (an edit, or a node added below). Nothing edited is lost;
//   - both deleted it: gone;
//   - a field changed on one side: that change; on both to the same value: that value; on both
//     differently: ours stays, and theirs' whole record is added right after it as a copy whose
//     name carries a mark (ConflictName.h); what lies below the node is merged under ours;
//   - a move is a deletion plus an addition: an unchanged node moves; a node moved on one side
//     and edited on the other is in both places;
//   - siblings keep ours' order, or theirs' where theirs reordered them and ours did not.
// Owner and title follow the same rule; a conflict keeps ours. Without a base (two versions
// whose common start is unknown) nothing is deleted, what one side lacks is added and every
// field in which they differ is a conflict.
//
// The result is never deeper than the deeper of ours and theirs: every node keeps the depth it
// has on its side, and conflict copies are siblings.

#include <string_view>

#include "profile/MergeSummary.h"
#include "profile/SplicedRecords.h"
#include "profile/NodeData.h"
#include "profile/ProfileTree.h"

namespace bv {

struct ProfileVersion {
  const TProfileHeader& header;
  const ProfileTree& tree;
};

struct MergedProfile {
  TProfileHeader header;  // ours', with the merged owner and title: written with ours' password
  ProfileTree tree;
  MergeSummary summary;
  // Records of theirs left out before the merge, as spliced from secrets (SplicedRecords.h).
  std::vector<SplicedRecord> leftOut;
};

// base null: the two-way merge. conflictNamePattern is the text of the language files that
// marks a conflict copy's name ("%1 (conflict)").
[[nodiscard]] MergedProfile MergeProfiles(const ProfileVersion* base, const ProfileVersion& ours,
                                          const ProfileVersion& theirs,
                                          std::string_view conflictNamePattern);

}  // namespace bv
