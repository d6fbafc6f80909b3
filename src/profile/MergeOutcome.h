#pragma once
// A merge's summary in brief, for the window that shows it: the counts of its heading, and
// where the first conflict copy stands in the merged tree.

#include <cstddef>
#include <vector>

#include "profile/MergeSummary.h"

namespace bv {

// Entries of the summary, as its lines list them. A node deleted on one side and kept for the
// other side's edit counts as a conflict: the user has to look at it. Renames and header
// changes count as changes.
struct MergeCounts {
  std::size_t added = 0;
  std::size_t deleted = 0;
  std::size_t changed = 0;
  std::size_t conflicts = 0;

  bool operator==(const MergeCounts&) const = default;
};

[[nodiscard]] MergeCounts CountMerge(const MergeSummary& summary);

// The rows from the top level down to the first conflict copy (summary.FirstConflictCopy()):
// unlike names, rows tell namesakes apart, and they hold in the merged tree wherever it is
// moved. Empty when the merge made no conflict copy.
[[nodiscard]] std::vector<std::size_t> FirstConflictCopyRows(const MergeSummary& summary);

}  // namespace bv
