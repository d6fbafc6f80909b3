#include "profile/MergeSummary.h"

#include <algorithm>

namespace bv {

std::size_t MergeSummary::Count(MergeChange change) const {
  return static_cast<std::size_t>(std::count_if(
      events.begin(), events.end(), [&](const MergeEvent& e) { return e.change == change; }));
}

const TreeNode* MergeSummary::FirstConflictCopy() const {
  for (const MergeEvent& event : events)
    if (event.change == MergeChange::Conflict) return event.node;
  return nullptr;
}

}  // namespace bv
