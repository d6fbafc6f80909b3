#pragma once
// A small profile for the tree tests, and its shape written out as text.
//
//   C1 ( G1 ( A1  G2 ( A2 ) )  A3  G4 )   C2 ( G3 ( A4 ) )

#include <map>
#include <string>

#include "profile/ProfileTree.h"

namespace bv::test {

TNodeData Node(const std::string& name, NodeKind kind);

// "C1(G1(A1 G2(A2)) A3 G4) C2(G3(A4))"
std::string Shape(const ProfileTree& tree);

struct SampleProfile {
  SampleProfile();
  TreeNode* operator[](const std::string& name) { return nodes.at(name); }

  ProfileTree tree;
  std::map<std::string, TreeNode*> nodes;
  static constexpr const char* kShape = "C1(G1(A1 G2(A2)) A3 G4) C2(G3(A4))";
};

}  // namespace bv::test
