#include "tools/NodeSearch.h"

#include <algorithm>

namespace bv {

namespace {

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Compares in place, so that searching a large profile allocates nothing per node.
bool ContainsFolded(std::string_view field, std::string_view foldedQuery) {
  return std::search(field.begin(), field.end(), foldedQuery.begin(), foldedQuery.end(),
                     [](char a, char b) { return FoldAscii(a) == b; }) != field.end();
}

}  // namespace

const std::string* SearchFieldOf(const TNodeData& data, int fieldIndex) {
  switch (static_cast<SearchField>(fieldIndex)) {
    case SearchField::Name: return &data.Name;
    case SearchField::Description: return &data.Description;
    case SearchField::Notes: return &data.Notes;
    case SearchField::UserName: return &data.UserName;
    case SearchField::Question: return &data.Question;
    case SearchField::Url: return &data.Url;
    case SearchField::AccountType: return &data.AccountType;
  }
  return nullptr;
}

std::string FoldAsciiLower(std::string_view text) {
  std::string folded(text);
  std::transform(folded.begin(), folded.end(), folded.begin(), FoldAscii);
  return folded;
}

bool FieldContains(std::string_view field, std::string_view query) {
  if (query.empty() || field.empty()) return false;
  return ContainsFolded(field, FoldAsciiLower(query));
}

std::vector<SearchHit> SearchTree(const ProfileTree& tree, int fieldIndex, std::string_view query) {
  std::vector<SearchHit> hits;
  if (query.empty()) return hits;
  const std::string folded = FoldAsciiLower(query);
  int index = 0;
  tree.ForEachPreOrder([&](TreeNode& node, int) {
    const std::string* field = SearchFieldOf(node.data, fieldIndex);
    if (field && !field->empty() && ContainsFolded(*field, folded)) hits.push_back({&node, index});
    ++index;
  });
  return hits;
}

}  // namespace bv
