// The search window filling its result list from a large profile: a query that every node
// matches lists the whole tree while the user waits.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTreeWidget>

#include "../LargeTree.h"
#include "tools/TFBusqueda.h"

namespace {

void BM_SearchListsEveryNode(benchmark::State& state) {
  const bv::ProfileTree tree = bench::LargeTree(static_cast<int>(state.range(0)));
  bv::TFBusqueda window(tree);
  window.show();
  window.findChild<QLineEdit*>(QStringLiteral("Busca"))->setText(QStringLiteral("a"));
  auto* list = window.findChild<QTreeWidget*>(QStringLiteral("Lista"));
  for (auto _ : state) {
    window.RunSearch();
    QApplication::processEvents();  // the list draws its first rows
    if (list->topLevelItemCount() != state.range(0)) state.SkipWithError("rows missing");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SearchListsEveryNode)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
