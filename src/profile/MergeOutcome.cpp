#include "profile/MergeOutcome.h"

#include <algorithm>

namespace bv {

MergeCounts CountMerge(const MergeSummary& summary) {
  MergeCounts counts;
  for (const MergeEvent& event : summary.events) {
    switch (event.change) {
      case MergeChange::Added: ++counts.added; break;
      case MergeChange::Deleted: ++counts.deleted; break;
      case MergeChange::Changed:
      case MergeChange::Renamed:
      case MergeChange::HeaderChanged: ++counts.changed; break;
      case MergeChange::Conflict:
      case MergeChange::KeptDeleted:
      case MergeChange::HeaderConflict: ++counts.conflicts; break;
    }
  }
  return counts;
}

std::vector<std::size_t> FirstConflictCopyRows(const MergeSummary& summary) {
  std::vector<std::size_t> rows;
  for (const TreeNode* node = summary.FirstConflictCopy(); node; node = node->parent)
    rows.push_back(node->row);
  std::reverse(rows.begin(), rows.end());
  return rows;
}

}  // namespace bv
