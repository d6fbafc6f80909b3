// Three trees made from arbitrary bytes (base, ours, theirs) through the merge, the two-way and
// the three-way one. Nothing may fail; what the window would show of the result, lifted to its
// depth limit, must keep every node and stay within that limit.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <span>
#include <string>

#include "profile/DepthLimit.h"
#include "profile/ProfileMerge.h"

namespace {

// Each byte adds a node: bits 0-1 its kind (category, group, account) or, as 3, a step up;
// bits 2-4 its name, a letter of eight; bits 5-7 its password. The first group whose byte has
// all of bits 5-7 set opens a chain of groups deeper than the window shows (one a tree, so
// that a merge stays quick).
bv::ProfileTree TreeOf(std::span<const std::uint8_t> bytes) {
  bv::ProfileTree tree;
  bv::TreeNode* parent = nullptr;
  bool chained = false;
  for (const std::uint8_t byte : bytes) {
    const int kind = byte & 3;
    if (kind == 3) {
      if (parent) parent = parent->parent;
      continue;
    }
    const auto nodeKind = parent == nullptr ? bv::NodeKind::Category
                          : kind == 2       ? bv::NodeKind::Account
                                            : bv::NodeKind::Group;
    bv::TNodeData data = bv::TNodeData::Create(nodeKind, 3);
    data.Name = std::string(1, static_cast<char>('a' + ((byte >> 2) & 7)));
    if (nodeKind == bv::NodeKind::Account) {
      data.Password = std::string(1, static_cast<char>('0' + (byte >> 5)));
      tree.Append(parent, data);
      continue;
    }
    parent = tree.Append(parent, data);
    if (nodeKind != bv::NodeKind::Group || (byte >> 5) != 7 || chained) continue;
    chained = true;
    for (int level = 0; level < bv::kWindowDepthLimit + 10; ++level)
      parent = tree.Append(parent, data);
  }
  return tree;
}

void CheckShown(bv::ProfileTree& tree) {
  const std::size_t count = tree.Count();
  (void)bv::LiftToWindowDepth(tree);
  int deepest = 0;
  tree.ForEachPreOrder([&](const bv::TreeNode&, int depth) { deepest = std::max(deepest, depth); });
  if (tree.Count() != count || deepest >= bv::kWindowDepthLimit) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  const std::size_t third = size / 3;
  const bv::ProfileTree base = TreeOf(input.first(third));
  const bv::ProfileTree ours = TreeOf(input.subspan(third, third));
  const bv::ProfileTree theirs = TreeOf(input.subspan(2 * third));
  const bv::TProfileHeader header;
  const bv::ProfileVersion baseVersion{header, base};
  for (const bv::ProfileVersion* from :
       {&baseVersion, static_cast<const bv::ProfileVersion*>(nullptr)}) {
    bv::MergedProfile merged = bv::MergeProfiles(from, {header, ours}, {header, theirs}, "%1 (*)");
    CheckShown(merged.tree);
  }
  return 0;
}
