#include "profile/SiblingOrder.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

namespace bv {

std::vector<std::size_t> MergedSiblingOrder(const std::vector<ChildRows>& children,
                                            std::size_t followerSiblings) {
  std::vector<std::size_t> leading, following;
  for (std::size_t k = 0; k < children.size(); ++k)
    (children[k].leadRow != kNoRow ? leading : following).push_back(k);
  std::sort(leading.begin(), leading.end(), [&](std::size_t a, std::size_t b) {
    return children[a].leadRow < children[b].leadRow;
  });
  std::sort(following.begin(), following.end(), [&](std::size_t a, std::size_t b) {
    return children[a].followerRow < children[b].followerRow;
  });

  // Where each child goes: after the leading child at that place, -1 for the front.
  std::vector<std::int64_t> anchor(children.size(), -1);
  for (std::size_t p = 0; p < leading.size(); ++p)
    anchor[leading[p]] = static_cast<std::int64_t>(p);
  std::vector<std::size_t> atFollowerRow(followerSiblings, kNoRow);
  for (std::size_t k = 0; k < children.size(); ++k)
    if (children[k].followerRow != kNoRow) atFollowerRow[children[k].followerRow] = k;
  for (std::size_t k : following) {
    // Each row is passed over by one search at most: the next search stops at this child.
    for (std::size_t row = children[k].followerRow; row-- > 0;) {
      if (atFollowerRow[row] == kNoRow) continue;
      anchor[k] = anchor[atFollowerRow[row]];
      break;
    }
  }
  std::stable_sort(following.begin(), following.end(),
                   [&](std::size_t a, std::size_t b) { return anchor[a] < anchor[b]; });

  std::vector<std::size_t> order;
  order.reserve(children.size());
  std::size_t next = 0;
  auto followersOf = [&](std::int64_t place) {
    for (; next < following.size() && anchor[following[next]] == place; ++next)
      order.push_back(following[next]);
  };
  followersOf(-1);
  for (std::size_t p = 0; p < leading.size(); ++p) {
    order.push_back(leading[p]);
    followersOf(static_cast<std::int64_t>(p));
  }
  return order;
}

}  // namespace bv
