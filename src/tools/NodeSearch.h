#pragma once
// Finding categories, groups and accounts by a word in one of their text fields.
// Case is folded for the letters A to Z only: accented capitals such as "Á" or "Ñ" match
// only themselves. An empty query or an empty field never matches.

#include <string>
#include <string_view>
#include <vector>

#include "profile/ProfileTree.h"

namespace bv {

// The searchable fields in the order of the dialog's drop-down list, which a language
// file must keep. The password and the answer cannot be searched.
enum class SearchField {
  Name,
  Description,
  Notes,
  UserName,
  Question,
  Url,
  AccountType
};
inline constexpr int kSearchFieldCount = 7;

// The field of data chosen by the drop-down item index; null for an index outside 0..6.
[[nodiscard]] const std::string* SearchFieldOf(const TNodeData& data, int fieldIndex);

[[nodiscard]] std::string FoldAsciiLower(std::string_view text);
[[nodiscard]] bool FieldContains(std::string_view field, std::string_view query);

struct SearchHit {
  TreeNode* node;
  int treeIndex;  // position in the tree's pre-order
};

// Every node whose chosen field contains the query, in tree (pre-)order.
[[nodiscard]] std::vector<SearchHit> SearchTree(const ProfileTree& tree, int fieldIndex,
                                                std::string_view query);

}  // namespace bv
