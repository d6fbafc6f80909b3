#pragma once
// The order of a node's children after a merge. One side leads: its children keep their order.
// A child only the other side has comes right after its nearest predecessor on that side that
// the result holds (after that one's own followers), or first when there is none; a run of
// such children keeps its order.

#include <cstddef>
#include <vector>

namespace bv {

inline constexpr std::size_t kNoRow = static_cast<std::size_t>(-1);

struct ChildRows {
  std::size_t leadRow = kNoRow;      // place among the leading side's siblings
  std::size_t followerRow = kNoRow;  // place among the other side's siblings
};

// children: every child the result holds, each with at least one row. followerSiblings: how
// many siblings the other side has (rows run below it). Returns indexes into children.
[[nodiscard]] std::vector<std::size_t> MergedSiblingOrder(const std::vector<ChildRows>& children,
                                                          std::size_t followerSiblings);

}  // namespace bv
