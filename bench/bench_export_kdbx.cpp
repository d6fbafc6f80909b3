// KDBX export of a profile of 10,000 accounts with every field filled: everything the export
// does but the Argon2id derivation, whose time is set by design (about one second), and the
// disk. The derivation is timed apart, at the calibrated cost.
#include <benchmark/benchmark.h>

#include "LargeTree.h"
#include "export/KdbxFile.h"
#include "export/KdbxKey.h"

namespace bv {
namespace {

// 10,000 accounts: LargeTree makes nine accounts of every ten nodes.
ProfileTree FilledTree() {
  ProfileTree tree = bench::LargeTree(11112);
  tree.ForEachPreOrder([](TreeNode& node, int) {
    TNodeData& d = node.data;
    d.Description = "Descripci\xF3n de la cuenta";
    if (!d.IsAccount) return;
    d.Password = "Contrase\361a-" + std::to_string(d.Name.size() * 7919);
    d.Question = "\xBFNombre de la primera mascota?";
    d.Answer = "Tob\xED";
    d.Mail = "correo@example.com";
    d.Url = "https://www.example.com/entrar";
    d.AccountType = "Correo";
    d.Notes = "Primera l\xEDnea\r\nSegunda l\xEDnea";
  });
  return tree;
}

void BM_EncodeKdbx10000Accounts(benchmark::State& state) {
  const ProfileTree tree = FilledTree();
  TProfileHeader header;
  header.Owner = "Jos\xE9";
  header.Title = "Cuentas";
  const KdbxKey key = DeriveKdbxKey("clave", {1 << 20, 2, 2});
  std::size_t bytes = 0;
  for (auto _ : state) bytes = EncodeKdbx(header, tree, key, 1700000000).size();
  state.counters["file_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_EncodeKdbx10000Accounts)->Unit(benchmark::kMillisecond);

void BM_CalibratedArgon2id(benchmark::State& state) {
  const std::uint64_t iterations = CalibrateArgon2Iterations(64ull << 20, 2);
  for (auto _ : state)
    benchmark::DoNotOptimize(DeriveKdbxKey("clave", {64ull << 20, 2, iterations}));
  state.counters["iterations"] = static_cast<double>(iterations);
}
BENCHMARK(BM_CalibratedArgon2id)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace bv

BENCHMARK_MAIN();
