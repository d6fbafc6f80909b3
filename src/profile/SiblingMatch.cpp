#include "profile/SiblingMatch.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string_view>
#include <tuple>
#include <utility>

#include "profile/MergeFields.h"
#include "profile/SiblingOrder.h"

namespace bv {
namespace {

// Namesake groups larger than this on both sides (a product of sizes) are paired by order once
// the identical records are paired: scoring every pair would cost their product.
constexpr std::size_t kMostScoredPairs = 1 << 16;

using Key = std::pair<NodeKind, std::string_view>;
Key KeyOf(const TreeNode* node) { return {node->data.Kind(), node->data.Name}; }

// The list's indexes ordered by kind and name, with the key of each.
std::vector<std::pair<Key, std::size_t>> IndexesByKey(const SiblingList& list) {
  std::vector<std::pair<Key, std::size_t>> order;
  order.reserve(list.size());
  for (std::size_t k = 0; k < list.size(); ++k) order.emplace_back(KeyOf(list[k]), k);
  std::sort(order.begin(), order.end());  // equal keys stay in list order: the index decides
  return order;
}

// Pairs left[i] with a right node for which hashOf agrees and same() holds, the first such
// right node in list order that is still free. Appends to pairs; marks what it took.
template <typename HashOf, typename Same>
void PairByHash(const SiblingList& left, const std::vector<std::size_t>& leftIndexes,
                const SiblingList& right, const std::vector<std::size_t>& rightIndexes,
                std::vector<bool>& leftTaken, std::vector<bool>& rightTaken, HashOf hashOf,
                Same same, std::vector<SiblingPair>& pairs) {
  std::vector<std::pair<std::size_t, std::size_t>> byHash;  // (hash, right index)
  byHash.reserve(rightIndexes.size());
  for (std::size_t r : rightIndexes)
    if (!rightTaken[r]) byHash.emplace_back(hashOf(right[r]->data), r);
  std::sort(byHash.begin(), byHash.end());
  for (std::size_t l : leftIndexes) {
    if (leftTaken[l]) continue;
    const std::size_t hash = hashOf(left[l]->data);
    auto at = std::lower_bound(byHash.begin(), byHash.end(), std::make_pair(hash, std::size_t{0}));
    for (; at != byHash.end() && at->first == hash; ++at) {
      const std::size_t r = at->second;
      if (rightTaken[r] || !same(left[l], right[r])) continue;
      leftTaken[l] = rightTaken[r] = true;
      pairs.push_back({l, r});
      break;
    }
  }
}

// One group of namesakes: identical records first, then by agreeing fields, then by order.
void PairGroup(const SiblingList& left, const std::vector<std::size_t>& group,
               const SiblingList& right, const std::vector<std::size_t>& rightGroup,
               std::vector<bool>& leftTaken, std::vector<bool>& rightTaken,
               std::vector<SiblingPair>& pairs) {
  if (group.size() == 1 && rightGroup.size() == 1) {
    pairs.push_back({group[0], rightGroup[0]});
    return;
  }
  PairByHash(
      left, group, right, rightGroup, leftTaken, rightTaken,
      [](const TNodeData& data) { return ContentHash(data); },
      [](const TreeNode* a, const TreeNode* b) { return a->data == b->data; }, pairs);

  std::vector<std::size_t> freeLeft, freeRight;
  for (std::size_t l : group)
    if (!leftTaken[l]) freeLeft.push_back(l);
  for (std::size_t r : rightGroup)
    if (!rightTaken[r]) freeRight.push_back(r);
  if (freeLeft.empty() || freeRight.empty()) return;

  if (freeLeft.size() * freeRight.size() > kMostScoredPairs) {
    for (std::size_t k = 0; k < std::min(freeLeft.size(), freeRight.size()); ++k)
      pairs.push_back({freeLeft[k], freeRight[k]});
    return;
  }
  struct Candidate {
    int agreeing;
    std::size_t distance;  // of the two places among the namesakes
    std::size_t l, r;      // places in freeLeft and freeRight
  };
  std::vector<Candidate> candidates;
  candidates.reserve(freeLeft.size() * freeRight.size());
  for (std::size_t l = 0; l < freeLeft.size(); ++l)
    for (std::size_t r = 0; r < freeRight.size(); ++r)
      candidates.push_back({AgreeingFieldCount(left[freeLeft[l]]->data, right[freeRight[r]]->data),
                            l > r ? l - r : r - l, l, r});
  std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
    if (a.agreeing != b.agreeing) return a.agreeing > b.agreeing;
    return std::tie(a.distance, a.l, a.r) < std::tie(b.distance, b.l, b.r);
  });
  for (const Candidate& c : candidates) {
    const std::size_t l = freeLeft[c.l], r = freeRight[c.r];
    if (leftTaken[l] || rightTaken[r]) continue;
    leftTaken[l] = rightTaken[r] = true;
    pairs.push_back({l, r});
  }
}

std::vector<Key> ChildKeys(const TreeNode* node) {
  std::vector<Key> keys;
  keys.reserve(node->children.size());
  for (const auto& child : node->children) keys.push_back(KeyOf(child.get()));
  std::sort(keys.begin(), keys.end());
  return keys;
}

bool CarriesMoreThanItsName(const TreeNode* node) {
  if (!node->children.empty()) return true;
  for (int field = kNameField + 1; field < kPictureField; ++field)
    if (!(node->data.*kTextFields[field].member).empty()) return true;
  return false;
}

// At least half of the larger list of children, by kind and name, is in the other list: a
// group renamed while a few of its nodes were added or deleted is still the same group.
bool ShareMostChildren(const TreeNode* a, const TreeNode* b) {
  const std::vector<Key> left = ChildKeys(a), right = ChildKeys(b);
  std::size_t common = 0;
  for (std::size_t l = 0, r = 0; l < left.size() && r < right.size();) {
    if (left[l] < right[r]) {
      ++l;
    } else if (right[r] < left[l]) {
      ++r;
    } else {
      ++common, ++l, ++r;
    }
  }
  return 2 * common >= std::max(left.size(), right.size());
}

// The same kind and every field but the name alike, with something beside the name to tell.
bool AlikeButTheName(const TreeNode* removed, const TreeNode* added) {
  if (removed->data.Kind() != added->data.Kind()) return false;
  if ((DifferingFields(removed->data, added->data) & ~FieldBit(kNameField)) != 0) return false;
  return CarriesMoreThanItsName(removed);
}

bool IsRename(const TreeNode* removed, const TreeNode* added) {
  return AlikeButTheName(removed, added) && ShareMostChildren(removed, added);
}

// How many children of a have an identical record (kind, name and every field) among b's,
// each of b's counted once.
std::size_t IdenticalChildren(const TreeNode* a, const TreeNode* b) {
  std::vector<std::pair<std::size_t, std::size_t>> byHash;  // (hash, place among b's)
  byHash.reserve(b->children.size());
  for (std::size_t k = 0; k < b->children.size(); ++k)
    byHash.emplace_back(ContentHash(b->children[k]->data), k);
  std::sort(byHash.begin(), byHash.end());
  std::vector<bool> used(b->children.size());
  std::size_t identical = 0;
  for (const auto& child : a->children) {
    const std::size_t hash = ContentHash(child->data);
    auto at = std::lower_bound(byHash.begin(), byHash.end(), std::make_pair(hash, std::size_t{0}));
    for (; at != byHash.end() && at->first == hash; ++at) {
      if (used[at->second] || !(b->children[at->second]->data == child->data)) continue;
      used[at->second] = true;
      ++identical;
      break;
    }
  }
  return identical;
}

// A container renamed while its own fields changed (a new picture, say) is still known by what
// it holds: at least half of the larger list of children are the same records.
bool IsRenameOfItsChildren(const TreeNode* removed, const TreeNode* added) {
  if (removed->data.Kind() != added->data.Kind()) return false;
  const std::size_t fewer = std::min(removed->children.size(), added->children.size());
  const std::size_t more = std::max(removed->children.size(), added->children.size());
  if (fewer == 0 || 2 * fewer < more) return false;  // half of them cannot be alike
  const std::size_t identical = IdenticalChildren(removed, added);
  return identical > 0 && 2 * identical >= more;
}

// How many of base's filled fields (the name aside; the picture counts) node has alike.
int FilledFieldsAlike(const TNodeData& base, const TNodeData& node, int& filled) {
  int alike = 0;
  filled = 0;
  for (int field = kNameField + 1; field < kMergedFieldCount; ++field) {
    if (field != kPictureField && (base.*kTextFields[field].member).empty()) continue;
    ++filled;
    alike += FieldAgrees(base, node, field);
  }
  return alike;
}

// Whether free, a node the side added, is base renamed and a better match for it than the
// namesake paired with it by name: free agrees with base in every field but the name where
// the namesake agrees in fewer; or free keeps most of what base holds in its fields where the
// namesake keeps less than half of it and less than free (a node renamed and edited, beside a
// new namesake); or free holds base's children where the namesake does not.
bool RenamedRatherThanNamesake(const TreeNode* base, const TreeNode* namesake,
                               const TreeNode* free) {
  if (base->data.Kind() != free->data.Kind()) return false;
  if (AlikeButTheName(base, free) &&
      AgreeingFieldCount(base->data, free->data) > AgreeingFieldCount(base->data, namesake->data))
    return true;
  int filled = 0;
  const int freeKeeps = FilledFieldsAlike(base->data, free->data, filled);
  const int namesakeKeeps = FilledFieldsAlike(base->data, namesake->data, filled);
  if (CarriesMoreThanItsName(base) && freeKeeps > namesakeKeeps && 2 * freeKeeps > filled &&
      2 * namesakeKeeps < filled)
    return true;
  return IsRenameOfItsChildren(base, free) && !IsRenameOfItsChildren(base, namesake);
}

// A side that renamed a node and added a namesake of its old name: the namesake paired by name
// gives way to the renamed node, and counts as added.
void PreferRenamesToNewNamesakes(const SiblingList& base, const SiblingList& side,
                                 std::vector<std::size_t>& sideOfBase, std::vector<bool>& paired) {
  std::vector<std::size_t> changed, free;
  for (std::size_t k = 0; k < side.size(); ++k)
    if (!paired[k]) free.push_back(k);
  if (free.empty()) return;  // the usual case: nothing added here
  for (std::size_t b = 0; b < base.size(); ++b)
    if (sideOfBase[b] != kNoRow && !(side[sideOfBase[b]]->data == base[b]->data))
      changed.push_back(b);
  // Long lists of both are paired by name alone: comparing each pair would cost their product.
  if (changed.empty() || free.empty() || changed.size() * free.size() > kMostScoredPairs) return;
  for (std::size_t b : changed) {
    const std::size_t s = sideOfBase[b];
    for (std::size_t r : free) {
      if (paired[r] || !RenamedRatherThanNamesake(base[b], side[s], side[r])) continue;
      sideOfBase[b] = r;
      paired[r] = true;
      paired[s] = false;
      break;
    }
  }
}

}  // namespace

std::vector<SiblingPair> PairNamesakes(const SiblingList& left, const SiblingList& right) {
  std::vector<SiblingPair> pairs;
  if (left.empty() || right.empty()) return pairs;
  const auto leftOrder = IndexesByKey(left);
  const auto rightOrder = IndexesByKey(right);
  std::vector<bool> leftTaken(left.size()), rightTaken(right.size());
  std::vector<std::size_t> group, rightGroup;
  std::size_t l = 0, r = 0;
  while (l < leftOrder.size() && r < rightOrder.size()) {
    const Key& key = leftOrder[l].first;
    const Key& rightKey = rightOrder[r].first;
    if (key < rightKey) {
      ++l;
    } else if (rightKey < key) {
      ++r;
    } else if ((l + 1 == leftOrder.size() || leftOrder[l + 1].first != key) &&
               (r + 1 == rightOrder.size() || rightOrder[r + 1].first != key)) {
      pairs.push_back({leftOrder[l++].second, rightOrder[r++].second});  // the usual: one each
    } else {
      group.clear();
      rightGroup.clear();
      for (; l < leftOrder.size() && leftOrder[l].first == key; ++l)
        group.push_back(leftOrder[l].second);
      for (; r < rightOrder.size() && rightOrder[r].first == key; ++r)
        rightGroup.push_back(rightOrder[r].second);
      PairGroup(left, group, right, rightGroup, leftTaken, rightTaken, pairs);
    }
  }
  return pairs;
}

std::vector<SiblingPair> PairRenames(const SiblingList& left, const SiblingList& right) {
  std::vector<SiblingPair> pairs;
  if (left.empty() || right.empty()) return pairs;
  std::vector<std::size_t> leftIndexes(left.size()), rightIndexes(right.size());
  std::iota(leftIndexes.begin(), leftIndexes.end(), 0);
  std::iota(rightIndexes.begin(), rightIndexes.end(), 0);
  std::vector<bool> leftTaken(left.size()), rightTaken(right.size());
  PairByHash(
      left, leftIndexes, right, rightIndexes, leftTaken, rightTaken,
      [](const TNodeData& data) { return ContentHashWithoutName(data); }, IsRename, pairs);

  std::vector<std::size_t> freeLeft, freeRight;
  for (std::size_t l = 0; l < left.size(); ++l)
    if (!leftTaken[l] && !left[l]->children.empty()) freeLeft.push_back(l);
  for (std::size_t r = 0; r < right.size(); ++r)
    if (!rightTaken[r] && !right[r]->children.empty()) freeRight.push_back(r);
  if (freeLeft.size() * freeRight.size() > kMostScoredPairs) return pairs;
  for (std::size_t l : freeLeft)
    for (std::size_t r : freeRight) {
      if (rightTaken[r] || !IsRenameOfItsChildren(left[l], right[r])) continue;
      rightTaken[r] = true;
      pairs.push_back({l, r});
      break;
    }
  return pairs;
}

std::vector<std::size_t> PairWithBase(const SiblingList& base, const SiblingList& side) {
  std::vector<std::size_t> sideOfBase(base.size(), kNoRow);
  std::vector<bool> paired(side.size());
  for (const SiblingPair& p : PairNamesakes(base, side)) {
    sideOfBase[p.left] = p.right;
    paired[p.right] = true;
  }
  PreferRenamesToNewNamesakes(base, side, sideOfBase, paired);
  SiblingList gone, fresh;
  std::vector<std::size_t> goneAt, freshAt;
  for (std::size_t k = 0; k < base.size(); ++k)
    if (sideOfBase[k] == kNoRow) gone.push_back(base[k]), goneAt.push_back(k);
  for (std::size_t k = 0; k < side.size(); ++k)
    if (!paired[k]) fresh.push_back(side[k]), freshAt.push_back(k);
  for (const SiblingPair& p : PairRenames(gone, fresh))
    sideOfBase[goneAt[p.left]] = freshAt[p.right];
  return sideOfBase;
}

}  // namespace bv
