// Merging two versions of a profile of 100,000 accounts, each side with 1 % of the base
// changed: the merge itself in memory, and brindlevault-cli merge of such files.
#include <benchmark/benchmark.h>

#include "MergeSides.h"
#include "profile/ProfileMerge.h"

namespace bv {
namespace {

struct Versions {
  TProfileHeader header;
  ProfileTree base = bench::LargeTree(bench::kNodesFor100kAccounts);
  ProfileTree ours = bench::EditedCopy(base, 1, "o");
  ProfileTree theirs = bench::EditedCopy(base, 2, "t");
};

const Versions& SharedVersions() {
  static const Versions versions;
  return versions;
}

void BM_MergeInMemory(benchmark::State& state) {
  const Versions& v = SharedVersions();
  const ProfileVersion base{v.header, v.base}, ours{v.header, v.ours}, theirs{v.header, v.theirs};
  std::size_t events = 0;
  for (auto _ : state) {
    MergedProfile merged = MergeProfiles(&base, ours, theirs, "%1 (conflict)");
    events = merged.summary.events.size();
    benchmark::DoNotOptimize(merged.tree.Count());
    state.PauseTiming();  // letting the result go is closing it, not merging
    merged.tree.Clear();
    state.ResumeTiming();
  }
  state.counters["events"] = static_cast<double>(events);
  state.counters["nodes"] = static_cast<double>(v.base.Count());
}
BENCHMARK(BM_MergeInMemory)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace bv

BENCHMARK_MAIN();
