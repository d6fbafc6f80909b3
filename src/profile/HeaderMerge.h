#pragma once
// Owner and title of a merged profile, by the rule of every field: a change on one side is
// taken, the same change on both is that value, different changes keep ours (and report
// theirs). Without a base, any difference is a conflict. The rest of the header is ours'.

#include <vector>

#include "profile/MergeSummary.h"
#include "profile/NodeData.h"

namespace bv {

// Sets merged and appends HeaderChanged / HeaderConflict entries to events.
void MergeHeader(const TProfileHeader* base, const TProfileHeader& ours,
                 const TProfileHeader& theirs, TProfileHeader& merged,
                 std::vector<MergeEvent>& events);

}  // namespace bv
