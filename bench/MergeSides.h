#pragma once
// Two versions of a large profile edited apart, for the merge benchmarks: each a copy of the
// base with 1 % of its nodes changed (passwords edited, accounts deleted, accounts added).

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "LargeTree.h"
#include "profile/TreeCopy.h"

namespace bench {

// LargeTree's nodes are 90 % accounts: this many nodes hold 100,000 of them.
inline constexpr int kNodesFor100kAccounts = 111'112;

inline bv::ProfileTree EditedCopy(const bv::ProfileTree& base, unsigned seed,
                                  const std::string& mark) {
  bv::ProfileTree side = bv::CopyTree(base);
  std::vector<bv::TreeNode*> accounts;
  side.ForEachPreOrder([&](bv::TreeNode& node, int) {
    if (node.data.IsAccount) accounts.push_back(&node);
  });
  std::mt19937 random(seed);
  std::shuffle(accounts.begin(), accounts.end(), random);
  const std::size_t changes = side.Count() / 100;
  for (std::size_t k = 0; k < changes; ++k) {
    bv::TreeNode* account = accounts[k];
    switch (k % 5) {
      case 0: side.Remove(account); break;
      case 1: {
        bv::TNodeData added = account->data;
        added.Name = "Nueva " + mark + std::to_string(k);
        side.Insert(account->parent, account->row + 1, added);
        break;
      }
      default: account->data.Password = "clave " + mark + std::to_string(k);
    }
  }
  return side;
}

}  // namespace bench
