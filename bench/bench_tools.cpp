// The generator's draw from the operating system's random source, and search over a large
// profile: both run while the user waits for a dialog to answer.

#include <benchmark/benchmark.h>

#include <string>

#include "tools/NodeSearch.h"
#include "tools/PasswordPool.h"

namespace {

void BM_GeneratePassword(benchmark::State& state) {
  bv::SystemRandom random;
  const std::string pool(bv::kMixedAndDigits);
  const auto length = static_cast<std::size_t>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(bv::GeneratePassword(pool, length, random));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_GeneratePassword)->Arg(16)->Arg(255);

// Categories of groups of accounts, range(0) nodes in all, every name and user name filled.
bv::ProfileTree LargeTree(int nodes) {
  bv::ProfileTree tree;
  bv::TreeNode* category = nullptr;
  bv::TreeNode* group = nullptr;
  for (int i = 0; i < nodes; ++i) {
    bv::TNodeData data;
    data.Name = "Cuenta de correo n\xFAmero " + std::to_string(i);
    data.UserName = "usuario" + std::to_string(i) + "@Example.com";
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

void BM_SearchTree(benchmark::State& state) {
  const bv::ProfileTree tree = LargeTree(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(bv::SearchTree(tree, 3, "EXAMPLE"));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SearchTree)->Arg(1000)->Arg(20000);

}  // namespace

BENCHMARK_MAIN();
