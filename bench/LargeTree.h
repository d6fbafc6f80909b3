#pragma once
// A large profile for benchmarks: categories of groups of accounts, `nodes` nodes in all,
// every name holding an "a" and every user name an address, pictures taken in turn.

#include <string>

#include "profile/ProfileTree.h"

namespace bench {

inline bv::ProfileTree LargeTree(int nodes) {
  bv::ProfileTree tree;
  bv::TreeNode* category = nullptr;
  bv::TreeNode* group = nullptr;
  for (int i = 0; i < nodes; ++i) {
    bv::TNodeData data;
    data.Name = "Cuenta de correo n\xFAmero " + std::to_string(i);
    data.UserName = "usuario" + std::to_string(i) + "@Example.com";
    data.ImageIndex = i % 26;
    if (i % 100 == 0) {
      data.IsCategory = 1;
      group = category = tree.Append(nullptr, data);
    } else if (i % 10 == 0) {
      group = tree.Append(category, data);
    } else {
      data.IsAccount = 1;
      tree.Append(group, data);
    }
  }
  return tree;
}

}  // namespace bench
