#pragma once
// Identifiers the browser holds for nodes, which the profile does not store: 32 hex digits
// derived from the node's path, each step its kind, its name and its place among the
// siblings of that kind and name. It survives a reload; a rename or a move changes it. An
// identifier that names no node, or more than one, finds nothing, never another node.

#include <string>
#include <string_view>

#include "profile/ProfileTree.h"

namespace bv {

[[nodiscard]] std::string NodeIdentifier(const ProfileTree& tree, const TreeNode& node);
[[nodiscard]] TreeNode* FindByIdentifier(const ProfileTree& tree, std::string_view identifier);

}  // namespace bv
