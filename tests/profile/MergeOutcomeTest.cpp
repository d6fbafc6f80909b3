// A merge in brief: the counts the summary window heads its list with, and where the first
// conflict copy stands, among namesakes too.
#include <gtest/gtest.h>

#include "TreeText.h"
#include "profile/MergeOutcome.h"
#include "profile/ProfileMerge.h"

namespace bv {
namespace {

struct OutcomeCase {
  const char* label;
  const char* base;
  const char* ours;
  const char* theirs;
  MergeCounts counts;
  std::vector<std::size_t> firstCopyRows;
};

void PrintTo(const OutcomeCase& c, std::ostream* out) { *out << c.label; }

class MergeOutcomeTest : public testing::TestWithParam<OutcomeCase> {};

TEST_P(MergeOutcomeTest, CountsAndFindsTheFirstConflictCopy) {
  const OutcomeCase& c = GetParam();
  const ProfileTree base = test::TreeFromText(c.base);
  const ProfileTree ours = test::TreeFromText(c.ours);
  const ProfileTree theirs = test::TreeFromText(c.theirs);
  const TProfileHeader header;
  const ProfileVersion baseVersion{header, base};
  const MergedProfile merged =
      MergeProfiles(&baseVersion, {header, ours}, {header, theirs}, "%1 (c)");
  EXPECT_EQ(CountMerge(merged.summary), c.counts);

  const std::vector<std::size_t> rows = FirstConflictCopyRows(merged.summary);
  EXPECT_EQ(rows, c.firstCopyRows);
  if (rows.empty()) return;
  // The rows lead to the summary's node itself.
  const TreeNode* node = nullptr;
  for (const std::size_t row : rows) node = merged.tree.ChildAt(node, row);
  EXPECT_EQ(node, merged.summary.FirstConflictCopy());
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, MergeOutcomeTest,
    testing::Values(OutcomeCase{"NothingToCombine", "A:a", "A:a", "A:a", {}, {}},
                    OutcomeCase{"AddedDeletedChangedRenamed",
                                "A:a{u=9} A:b{u=1} A:c",
                                "A:a{u=9} A:b{u=2}",
                                "A:z{u=9} A:b{u=1} A:c A:n",
                                {1, 1, 2, 0},
                                {}},
                    OutcomeCase{"AnEditKeptAgainstADeletionIsAConflict",
                                "A:a{p=1} A:b",
                                "A:a{p=2} A:b",
                                "A:b",
                                {0, 0, 0, 1},
                                {}},
                    OutcomeCase{"TheFirstCopyAmongNamesakesInADeeperGroup",
                                "C:K(G:g(A:Gmail{u=ana,p=1} A:Gmail{u=eva,p=1})) C:L(A:x{p=1})",
                                "C:K(G:g(A:Gmail{u=ana,p=1} A:Gmail{u=eva,p=2})) C:L(A:x{p=2})",
                                "C:K(G:g(A:Gmail{u=ana,p=1} A:Gmail{u=eva,p=3})) C:L(A:x{p=3})",
                                {0, 0, 0, 2},
                                {0, 0, 2}}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace bv
