// CSV export of 10,000 accounts and import of the same 10,000 rows (parse and build the
// tree); the import's target is under 100 ms.
#include <benchmark/benchmark.h>

#include "LargeTree.h"
#include "export/CsvExport.h"
#include "export/CsvImport.h"

namespace {

bv::ProfileTree Accounts10k() {
  bv::ProfileTree tree = bench::LargeTree(11200);  // 10,080 accounts in 112 categories
  tree.ForEachPreOrder([](bv::TreeNode& node, int) {
    if (!node.data.IsAccount) return;
    node.data.Password = "Contrase\361a-" + node.data.Name.substr(0, 12);
    node.data.Url = "https://www.example.com/login";
    node.data.Notes = "Primera l\xEDnea\r\nSegunda, con \"comillas\"";
  });
  return tree;
}

void BM_CsvExport10k(benchmark::State& state) {
  const bv::ProfileTree tree = Accounts10k();
  for (auto _ : state) benchmark::DoNotOptimize(bv::ProfileCsv(tree, bv::CsvRows::Accounts));
}
BENCHMARK(BM_CsvExport10k)->Unit(benchmark::kMillisecond);

void BM_CsvImport10k(benchmark::State& state) {
  const std::string csv = bv::ProfileCsv(Accounts10k(), bv::CsvRows::Accounts);
  for (auto _ : state) benchmark::DoNotOptimize(bv::ReadProfileCsv(csv).Count());
}
BENCHMARK(BM_CsvImport10k)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
