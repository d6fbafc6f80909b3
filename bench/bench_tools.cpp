// The generator's draw from the operating system's random source, and search over a large
// profile: both run while the user waits for a dialog to answer.

#include <benchmark/benchmark.h>

#include <string>

#include "LargeTree.h"
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

void BM_SearchTree(benchmark::State& state) {
  const bv::ProfileTree tree = bench::LargeTree(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(bv::SearchTree(tree, 3, "EXAMPLE"));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SearchTree)->Arg(1000)->Arg(20000);

}  // namespace

BENCHMARK_MAIN();
