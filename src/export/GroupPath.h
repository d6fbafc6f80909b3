#pragma once
// The Group column of a CSV row: the names of the nodes above an account, from the top,
// joined by "/". In a name "\" is written "\\" and "/" is written "\/".
//
// A node that is not what its place makes it (the first name: a category, the others:
// groups) carries a mark after its name: "\a" an account that holds other nodes, "\g" a
// group at the top, "\c" a category below it. An empty name always carries its mark, so
// no name in a path is empty. A path that ends with "/" is a row of the category or group
// itself (for its description, or for one that holds nothing); the path "/" alone is the
// top of the tree (an account outside every category).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "profile/NodeData.h"

namespace bv {

inline constexpr std::string_view kTopPath = "/";

// Appends the name of a node at depth to the path of its parent (empty at the top).
void AppendPathStep(std::string& path, std::string_view name, NodeKind kind, int depth);

struct PathStep {
  std::string name;
  NodeKind kind;
  bool marked = false;  // the kind was written; otherwise it follows from the place
};

struct GroupPath {
  std::vector<PathStep> steps;
  bool ownRow = false;  // the path ended with "/"
  bool top = false;     // the path "/"
};

GroupPath ParseGroupPath(std::string_view text);

// Leaves out the first name (the root group other managers write first); the names after it
// take the kinds of their new places.
void DropFirstStep(GroupPath& path);

}  // namespace bv
