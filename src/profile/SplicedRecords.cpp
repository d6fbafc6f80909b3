#include "profile/SplicedRecords.h"

#include <iterator>
#include <set>
#include <string_view>

#include "profile/NodeData.h"

namespace bv {
namespace {

constexpr std::size_t kCipherBlock = 8;

bool IsSecretField(std::string TNodeData::*member) {
  return member == &TNodeData::Password || member == &TNodeData::Answer;
}

void CollectSecrets(const ProfileTree& tree, std::set<std::string, std::less<>>& secrets) {
  tree.ForEachPreOrder([&](const TreeNode& node, int) {
    for (const std::string* secret : {&node.data.Password, &node.data.Answer})
      if (!secret->empty()) secrets.insert(*secret);
  });
}

bool RepeatsSecret(std::string_view value, const std::set<std::string, std::less<>>& secrets) {
  if (value.empty()) return false;
  if (secrets.contains(value)) return true;
  if (value.size() < kCipherBlock) return false;
  // A cut copy of an enciphered secret reads as its start.
  const auto from = secrets.lower_bound(value);
  return from != secrets.end() && std::string_view(*from).starts_with(value);
}

std::string ParentPath(const TreeNode& node) {
  std::string path;
  for (const TreeNode* up = node.parent; up; up = up->parent)
    path = up->data.Name + (path.empty() ? "" : "/" + path);
  return path;
}

// Each spliced node with the field that gave it away, in pre-order; not those inside one
// found before (they go with it, and their path would show its secret).
std::vector<std::pair<TreeNode*, int>> Find(const ProfileTree& incoming, const ProfileTree& own) {
  std::set<std::string, std::less<>> secrets;
  CollectSecrets(incoming, secrets);
  CollectSecrets(own, secrets);
  std::vector<std::pair<TreeNode*, int>> found;
  if (secrets.empty()) return found;
  std::set<const TreeNode*> spliced;
  incoming.ForEachPreOrder([&](TreeNode& node, int) {
    for (const TreeNode* up = node.parent; up; up = up->parent)
      if (spliced.contains(up)) return;
    for (int field = 0; field < static_cast<int>(std::size(kTextFields)); ++field) {
      const auto member = kTextFields[field].member;
      if (IsSecretField(member) || !RepeatsSecret(node.data.*member, secrets)) continue;
      found.emplace_back(&node, field);
      spliced.insert(&node);
      return;
    }
  });
  return found;
}

}  // namespace

std::vector<SplicedRecord> FindSplicedRecords(const ProfileTree& incoming, const ProfileTree& own) {
  std::vector<SplicedRecord> records;
  for (const auto& [node, field] : Find(incoming, own))
    records.push_back({ParentPath(*node), node->row, field});
  return records;
}

std::vector<SplicedRecord> RemoveSplicedRecords(ProfileTree& incoming, const ProfileTree& own) {
  const auto found = Find(incoming, own);
  std::vector<SplicedRecord> records;
  for (const auto& [node, field] : found) records.push_back({ParentPath(*node), node->row, field});
  // None lies inside another; from the last, so that the rows of those before stay true.
  for (auto it = found.rbegin(); it != found.rend(); ++it) incoming.Remove(it->first);
  return records;
}

}  // namespace bv
