// The search window filling its result list from a large profile: a query that every node
// matches lists the whole tree while the user waits.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTreeWidget>
#include <string>

#include "tools/TFBusqueda.h"

namespace {

// Categories of groups of accounts, range(0) nodes in all, every name holding an "a".
bv::ProfileTree LargeTree(int nodes) {
  bv::ProfileTree tree;
  bv::TreeNode* category = nullptr;
  bv::TreeNode* group = nullptr;
  for (int i = 0; i < nodes; ++i) {
    bv::TNodeData data;
    data.Name = "Cuenta " + std::to_string(i);
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

void BM_SearchListsEveryNode(benchmark::State& state) {
  const bv::ProfileTree tree = LargeTree(static_cast<int>(state.range(0)));
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
