// The merge of two versions of a profile, rule by rule: each row a base, ours and theirs
// written as tree text (TreeText.h), the merged tree and what the summary says.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "TreeText.h"
#include "config/MessageIds.h"
#include "profile/ConflictName.h"
#include "profile/MergeReport.h"
#include "profile/ProfileMerge.h"
#include "profile/TreeCopy.h"

namespace bv {
namespace {

constexpr const char* kMark = "%1 (c)";

// A summary entry in short: "changed theirs K/x p", "conflict K/y p>y (c)", "added ours n(3)".
std::string Brief(const MergeEvent& event) {
  static constexpr char kFieldKeys[] = "Nupqrmwtdni";
  std::string fields;
  for (int field = 0; field < kMergedFieldCount; ++field)
    if (event.fields & FieldBit(field)) fields += kFieldKeys[field];
  const std::string side = event.side == MergeSide::Ours ? "ours " : "theirs ";
  const std::string path = ShownPath(event.path);
  const std::string count = event.nodes > 1 ? "(" + std::to_string(event.nodes) + ")" : "";
  switch (event.change) {
    case MergeChange::Added: return "added " + side + path + count;
    case MergeChange::Deleted: return "deleted " + side + path + count;
    case MergeChange::Changed: return "changed " + side + path + " " + fields;
    case MergeChange::Renamed: return "renamed " + side + path + ">" + event.value;
    case MergeChange::Conflict: return "conflict " + path + " " + fields + ">" + event.value;
    case MergeChange::KeptDeleted:
      return "kept " + side + path + (fields.empty() ? "" : " " + fields);
    case MergeChange::HeaderChanged: return "header " + side + event.value + "/" + event.otherValue;
    case MergeChange::HeaderConflict:
      return "header-conflict " + event.value + "/" + event.otherValue;
  }
  return "?";
}

std::string Briefs(const MergeSummary& summary) {
  std::string all;
  for (const MergeEvent& event : summary.events) all += (all.empty() ? "" : "; ") + Brief(event);
  return all;
}

TProfileHeader Header(const std::string& ownerAndTitle) {
  TProfileHeader header;
  const auto slash = ownerAndTitle.find('/');
  header.Owner = ownerAndTitle.substr(0, slash);
  header.Title = ownerAndTitle.substr(slash + 1);
  return header;
}

struct MergeCase {
  const char* label;
  std::optional<std::string> base;  // none: the two-way merge
  std::string ours, theirs;
  std::string merged;
  std::string summary;
  std::string headers = "Ana/T Ana/T Ana/T";  // base, ours, theirs
  std::string mergedHeader = "Ana/T";
};

void PrintTo(const MergeCase& c, std::ostream* out) { *out << c.label; }

class MergeRuleTest : public testing::TestWithParam<MergeCase> {};

TEST_P(MergeRuleTest, MergesAndReports) {
  const MergeCase& c = GetParam();
  std::istringstream headers(c.headers);
  std::string baseHeader, oursHeader, theirsHeader;
  headers >> baseHeader >> oursHeader >> theirsHeader;
  const TProfileHeader bh = Header(baseHeader), oh = Header(oursHeader), th = Header(theirsHeader);
  const ProfileTree base = test::TreeFromText(c.base.value_or(""));
  const ProfileTree ours = test::TreeFromText(c.ours);
  const ProfileTree theirs = test::TreeFromText(c.theirs);
  const ProfileVersion baseVersion{bh, base};
  const MergedProfile merged =
      MergeProfiles(c.base ? &baseVersion : nullptr, {oh, ours}, {th, theirs}, kMark);
  EXPECT_EQ(test::TextOf(merged.tree), c.merged);
  EXPECT_EQ(Briefs(merged.summary), c.summary);
  EXPECT_EQ(merged.header.Owner + "/" + merged.header.Title, c.mergedHeader);

  // The summary's nodes are the merged tree's own; the first conflict copy is the one to show.
  for (const MergeEvent& event : merged.summary.events)
    if (event.node) {
      EXPECT_GE(merged.tree.TreeIndexOf(event.node), 0) << Brief(event);
    }
  if (merged.summary.Count(MergeChange::Conflict) > 0) {
    EXPECT_TRUE(merged.summary.FirstConflictCopy()->data.Name.ends_with(" (c)"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Merge, MergeRuleTest,
    testing::Values(
        MergeCase{"AddedOnOneSideFollowsItsNearestPredecessor", "C:K(A:x A:y)", "C:K(A:x A:o A:y)",
                  "C:First C:K(A:x A:t1 A:t2 A:y)", "C:First C:K(A:x A:t1 A:t2 A:o A:y)",
                  "added theirs First; added theirs K/t1; added theirs K/t2; added ours K/o"},
        MergeCase{"AnAdditionWhosePredecessorIsGoneFollowsTheOneBeforeIt", "A:a A:b A:c", "A:a A:c",
                  "A:a A:b A:n A:c", "A:a A:n A:c", "deleted ours b; added theirs n"},
        MergeCase{"DeletedOnOneSideAndUnchangedOnTheOtherIsGone", "C:K(A:x G:y(A:z))",
                  "C:K(A:x G:y(A:z))", "C:K(A:x)", "C:K(A:x)", "deleted theirs K/y(2)"},
        MergeCase{"DeletedOnOneSideAndChangedOnTheOtherIsKeptWithTheChange", "C:K(A:x{p=1} A:y)",
                  "C:K(A:x{p=2} A:y)", "C:K(A:y)", "C:K(A:x{p=2} A:y)", "kept theirs K/x p"},
        MergeCase{"DeletedOnBothSidesIsGone", "A:a A:b", "A:a", "A:a", "A:a", ""},
        MergeCase{"AdditionUnderABranchTheOtherSideDeletedKeepsItsAncestors",
                  "C:K(G:g(A:a A:b) A:c) C:L", "C:L", "C:K(G:g(A:a A:b A:new) A:c) C:L",
                  "C:K(G:g(A:new)) C:L",
                  "kept ours K; deleted ours K/c; kept ours K/g; deleted ours K/g/a; "
                  "deleted ours K/g/b; added theirs K/g/new"},
        MergeCase{"AFieldChangedOnOneSideIsTaken", "A:x{u=a,p=1}", "A:x{u=b,p=1}", "A:x{u=a,p=2}",
                  "A:x{u=b,p=2}", "changed ours x u; changed theirs x p"},
        MergeCase{"TheSameChangeOnBothSidesIsThatValue", "A:x{p=1}", "A:x{p=2,i=4}", "A:x{p=2,i=4}",
                  "A:x{p=2,i=4}", ""},
        MergeCase{"DifferentChangesKeepOursAndPutTheirsBesideIt", "C:K(G:g{d=1}(A:a) A:y{u=a,p=1})",
                  "C:K(G:g{d=2}(A:a) A:y{u=a,p=2})", "C:K(G:g{d=3}(A:a A:b) A:y{u=z,p=3})",
                  "C:K(G:g{d=2}(A:a A:b) G:g_(c){d=3} A:y{u=z,p=2} A:y_(c){u=z,p=3})",
                  "conflict K/g d>g (c); added theirs K/g/b; changed theirs K/y u; "
                  "conflict K/y p>y (c)"},
        MergeCase{"BothAddingANodeIsOneNodeOrAConflict", "C:K", "C:K(A:n{u=1} A:m{u=1})",
                  "C:K(A:n{u=1} A:m{u=2})", "C:K(A:n{u=1} A:m{u=1} A:m_(c){u=2})",
                  "conflict K/m u>m (c)"},
        // The naive k-th-to-k-th match would give ours' eva theirs' new password and delete ana.
        MergeCase{"ANamesakeNeverReceivesTheEditOfOneDeletedHere", "A:Gmail{u=ana} A:Gmail{u=eva}",
                  "A:Gmail{u=eva}", "A:Gmail{u=ana,p=new} A:Gmail{u=eva}",
                  "A:Gmail{u=ana,p=new} A:Gmail{u=eva}", "kept ours Gmail p"},
        MergeCase{"NamesakesArePairedByTheirFieldsNotTheirOrder",
                  "A:Gmail{u=ana,m=a@x} A:Gmail{u=eva,m=e@x}",
                  "A:Gmail{u=eva,m=e@x} A:Gmail{u=ana,p=1,m=a@x}",
                  "A:Gmail{u=ana,m=a@x} A:Gmail{u=eva,m=e@x,n=hi}",
                  "A:Gmail{u=eva,m=e@x,n=hi} A:Gmail{u=ana,p=1,m=a@x}",
                  "changed theirs Gmail n; changed ours Gmail p"},
        // Every namesake changed on both sides: only their agreeing fields pair them.
        MergeCase{"NamesakesChangedOnBothSidesArePairedByTheirFields",
                  "A:Gmail{u=ana,m=a@x} A:Gmail{u=eva,m=e@x}",
                  "A:Gmail{u=eva,p=2,m=e@x} A:Gmail{u=ana,p=1,m=a@x}",
                  "A:Gmail{u=ana,m=a@x,n=A} A:Gmail{u=eva,m=e@x,n=E}",
                  "A:Gmail{u=eva,p=2,m=e@x,n=E} A:Gmail{u=ana,p=1,m=a@x,n=A}",
                  "changed ours Gmail p; changed theirs Gmail n; changed ours Gmail p; "
                  "changed theirs Gmail n"},
        // Theirs renamed ana's account and added luis's under its old name: ours' new password
        // is ana's.
        MergeCase{"ARenameBesideANewNamesakeKeepsTheEditsOfTheRenamedNode",
                  "C:Correo(A:Gmail{u=ana,p=viejo})", "C:Correo(A:Gmail{u=ana,p=nueva})",
                  "C:Correo(A:Gmail_Ana{u=ana,p=viejo} A:Gmail{u=luis,p=luis})",
                  "C:Correo(A:Gmail_Ana{u=ana,p=nueva} A:Gmail{u=luis,p=luis})",
                  "changed ours Correo/Gmail Ana p; renamed theirs Correo/Gmail>Gmail Ana; "
                  "added theirs Correo/Gmail"},
        // Renamed with a new picture: still the node that holds the base's children, so the
        // other side's edits inside it apply there and nothing comes back or is doubled.
        MergeCase{
            "ARenamedNodeWithChangedFieldsIsKnownByItsChildren",
            "C:Trabajo(A:Slack{u=s} A:Jira{u=j})", "C:Oficina{i=3}(A:Slack{u=s} A:Jira{u=j})",
            "C:Trabajo(A:Slack{u=s})", "C:Oficina{i=3}(A:Slack{u=s})",
            "renamed ours Trabajo>Oficina; changed ours Oficina i; deleted theirs Oficina/Jira"},
        MergeCase{
            "ARenamedNodeWithChangedFieldsTakesTheEditsInside",
            "C:Trabajo(A:Slack{u=s} A:Jira{u=j})", "C:Oficina{i=3}(A:Slack{u=s} A:Jira{u=j})",
            "C:Trabajo(A:Slack{u=s,p=new})", "C:Oficina{i=3}(A:Slack{u=s,p=new})",
            "renamed ours Trabajo>Oficina; changed ours Oficina i; deleted theirs Oficina/Jira; "
            "changed theirs Oficina/Slack p"},
        MergeCase{"ARenameIsAChangeOfTheName", "C:K(A:Gmail{u=ana,p=1})",
                  "C:K(A:Gmail_personal{u=ana,p=1})", "C:K(A:Gmail{u=ana,p=2})",
                  "C:K(A:Gmail_personal{u=ana,p=2})",
                  "renamed ours K/Gmail>Gmail personal; changed theirs K/Gmail personal p"},
        MergeCase{"ARenamedGroupKeepsWhatTheOtherSideAddedInside", "C:K(G:Old(A:a))",
                  "C:K(G:New(A:a))", "C:K(G:Old(A:a A:b))", "C:K(G:New(A:a A:b))",
                  "renamed ours K/Old>New; added theirs K/New/b"},
        MergeCase{"ANodeWithNothingButANameIsNotTakenForARename", "C:K(G:Old)", "C:K(G:New)",
                  "C:K(G:Old{d=note})", "C:K(G:Old{d=note} G:New)",
                  "kept ours K/Old d; added ours K/New"},
        MergeCase{"RenamedDifferentlyOnBothSidesIsAConflict", "A:x{u=1}", "A:y{u=1}", "A:z{u=1}",
                  "A:y{u=1} A:z_(c){u=1}", "conflict y N>z (c)"},
        MergeCase{"AnUnchangedMovedNodeMoves", "C:K(A:x{u=1}) C:L", "C:K C:L(A:x{u=1})",
                  "C:K(A:x{u=1}) C:L", "C:K C:L(A:x{u=1})", "deleted ours K/x; added ours L/x"},
        MergeCase{"ANodeMovedOnOneSideAndEditedOnTheOtherIsInBothPlaces", "C:K(A:x{u=1}) C:L",
                  "C:K C:L(A:x{u=1})", "C:K(A:x{u=2}) C:L", "C:K(A:x{u=2}) C:L(A:x{u=1})",
                  "kept ours K/x u; added ours L/x"},
        MergeCase{"TheirOrderStandsWhereOnlyTheyReorderedTheSiblings", "A:a A:b A:c",
                  "A:a A:b A:c A:d", "A:c A:a A:b", "A:c A:d A:a A:b", "added ours d"},
        MergeCase{"OwnerAndTitleFollowTheFieldRule", "", "", "", "",
                  "header ours Ana/T2; header theirs Bea/T2; header-conflict Bea/T3",
                  "Ana/T Ana/T2 Bea/T3", "Bea/T2"},
        MergeCase{"WithoutABaseNothingIsDeletedAndEveryDifferenceIsAConflict", std::nullopt,
                  "C:K(A:x A:y{p=1})", "C:K(A:y{p=2} A:z) C:L",
                  "C:K(A:x A:y{p=1} A:y_(c){p=2} A:z) C:L",
                  "header-conflict Ana/U; added ours K/x; conflict K/y p>y (c); "
                  "added theirs K/z; added theirs L",
                  "Ana/T Ana/T Ana/U", "Ana/T"}),
    [](const auto& info) { return std::string(info.param.label); });

// A file may nest nodes far deeper than any call stack: the merge walks without recursion.
TEST(MergeDepth, ADeepChainMergesLikeAShallowOne) {
  constexpr int kDepth = 100'000;
  const auto deepest = [](const ProfileTree& tree) {
    TreeNode* node = tree.First();
    while (!node->children.empty()) node = node->children.front().get();
    return node;
  };
  ProfileTree base;
  TreeNode* parent = nullptr;
  for (int k = 0; k < kDepth; ++k) {
    TNodeData group = TNodeData::Create(NodeKind::Group, 1);
    group.Name = "g";
    parent = base.Append(parent, group);
  }
  ProfileTree ours = CopyTree(base), theirs = CopyTree(base);
  ours.Append(deepest(ours), TNodeData::Create(NodeKind::Account, 2));
  theirs.First()->data.Description = "top";
  const TProfileHeader header;
  const ProfileVersion b{header, base};
  const MergedProfile merged = MergeProfiles(&b, {header, ours}, {header, theirs}, kMark);
  ASSERT_EQ(merged.tree.Count(), static_cast<std::size_t>(kDepth + 1));
  EXPECT_EQ(merged.tree.First()->data.Description, "top");
  EXPECT_TRUE(deepest(merged.tree)->data.IsAccount);
  EXPECT_EQ(ProfileTree::Depth(deepest(merged.tree)), kDepth);
  EXPECT_EQ(merged.summary.events.size(), 2u);  // theirs' description, ours' account
}

TEST(ConflictCopyName, MarksTheNameWithinWhatASaveKeeps) {
  EXPECT_EQ(ConflictCopyName("Gmail", "%1 (conflicto)"), "Gmail (conflicto)");
  EXPECT_EQ(ConflictCopyName("Gmail", "[!] %1"), "[!] Gmail");
  EXPECT_EQ(ConflictCopyName("Gmail", "(conflict)"), "Gmail (conflict)");
  EXPECT_EQ(ConflictCopyName("Gmail", ""), "Gmail (*)");
  EXPECT_EQ(ConflictCopyName("100% %2", "%1 (c)"), "100% %2 (c)");
  // A long name is cut so that the mark stays whole in the 87 characters a save keeps.
  const std::string longName(120, 'n');
  const std::string marked = ConflictCopyName(longName, "%1 (conflict)");
  EXPECT_EQ(marked, std::string(76, 'n') + " (conflict)");
  EXPECT_EQ(marked.size(), kTextFields[kNameField].survivingLength);
  EXPECT_EQ(ConflictCopyName("x", std::string(100, 'm') + "%1").size(), 87u);
}

TEST(DescribeMerge, WritesOneLineAnEntryInTheLanguageGiven) {
  const TProfileHeader header = Header("Ana/T");
  const ProfileTree base = test::TreeFromText("C:K(A:x{u=1,p=1} A:y)");
  const ProfileTree ours = test::TreeFromText("C:K(A:x{u=1,p=2})");
  const ProfileTree theirs = test::TreeFromText("C:K(A:x{u=2,p=3,i=5} A:y)");
  const ProfileVersion baseVersion{header, base};
  const MergedProfile merged =
      MergeProfiles(&baseVersion, {header, ours}, {Header("Bea/T"), theirs}, kMark);
  const auto text = [](int n) -> std::string {
    switch (n) {
      case msg::kMergeDeleted: return "Deleted in %1: %2";
      case msg::kMergeChanged: return "Changed in %1: %2 (%3)";
      case msg::kMergeConflict: return "Both: %1 (%2), see %3";
      case msg::kMergeDiffers: return "Differs: %1 (%2), see %3";
      case msg::kMergeHeaderChanged: return "Header in %1: %2 / %3";
      case msg::kMergeThisVersion: return "this version";
      case msg::kMergeOtherVersion: return "the other version";
      case msg::kMergePictureField: return "Picture";
      case msg::kUserNameLabel: return "User name:";
      case msg::kPasswordLabel: return "Password: ";
      case msg::kMergeNothing: return "Nothing to do";
      default: return "?" + std::to_string(n);
    }
  };
  EXPECT_EQ(DescribeMerge(merged, text),
            (std::vector<std::string>{"Header in the other version: Bea / T",
                                      "Deleted in this version: K/y",
                                      "Changed in the other version: K/x (User name, Picture)",
                                      "Both: K/x (Password), see x (c)"}));
  // Without a base a conflict is only a difference: nobody knows who changed what.
  EXPECT_THAT(DescribeMerge(MergeProfiles(nullptr, {header, ours}, {header, theirs}, kMark), text),
              testing::Contains("Differs: K/x (User name, Password, Picture), see x (c)"));
  const ProfileVersion same{header, ours};
  EXPECT_EQ(DescribeMerge(MergeProfiles(&same, same, same, kMark), text),
            std::vector<std::string>{"Nothing to do"});
}

}  // namespace
}  // namespace bv
