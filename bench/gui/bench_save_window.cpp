// Saving a large profile from the main window, as ActGuardar does it: the whole save, from
// the command to the renamed file, with the window holding the profile in its tree. Also
// the cost of one fork() of the window's process at that size, the price of any helper
// process a save would start.

#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <cstdlib>
#include <filesystem>

#include "../LargeTree.h"
#include "app/ProfileSession.h"
#include "app/SessionController.h"
#include "app/TFPrincipal.h"
#include "config/Messages.h"
#include "config/ProgramPaths.h"
#include "files/LinkGuard.h"
#include "profile/MasterPassword.h"
#include "profile/ProfileWriter.h"

namespace {

namespace fs = std::filesystem;

// A program folder of its own (settings, language) with a profile of `nodes` nodes, nine
// in ten of them accounts, and no master password, so that opening asks nothing.
fs::path PrepareFolder(int nodes) {
  std::string pattern = (fs::temp_directory_path() / "bvbench-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) std::abort();
  const fs::path folder = pattern;
  fs::create_directories(folder / "res");
  fs::copy_file(fs::path(BV_SOURCE_DIR) / "res" / bv::kDefaultLanguageFileName,
                folder / "res" / bv::kDefaultLanguageFileName);
  bv::SetProgramDir(folder);
  bv::SetActiveLanguageFile(folder / "res" / bv::kDefaultLanguageFileName);
  bv::TProfileHeader header;
  header.Title = "Grande";
  header.Verifier = bv::MakeVerifier(bv::kEmptyPasswordSentinel);
  bv::WriteProfile(folder / "grande.bv3", header, bench::LargeTree(nodes),
                   bv::kEmptyPasswordSentinel, "Perfil de Brindlevault 3.5");
  return folder;
}

struct OpenWindow {
  explicit OpenWindow(int nodes) : folder(PrepareFolder(nodes)) {
    window.Sessions().SetCommandLine({QString::fromStdString((folder / "grande.bv3").string())});
    window.show();
    while (!Profile().State().ProfileOpen) QApplication::processEvents();
  }
  ~OpenWindow() { fs::remove_all(folder); }
  // The window's profile session, one of its children.
  bv::ProfileSession& Profile() { return *window.findChild<bv::ProfileSession*>(); }

  fs::path folder;
  bv::TFPrincipal window;
};

void BM_SaveFromTheWindow(benchmark::State& state) {
  OpenWindow open(static_cast<int>(state.range(0)));
  auto* save = open.window.findChild<QAction*>(QStringLiteral("ActGuardar"));
  for (auto _ : state) {
    open.Profile().MarkModified();
    save->trigger();
    if (open.Profile().State().Modified) state.SkipWithError("the save failed");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SaveFromTheWindow)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_ForkOfTheWindowProcess(benchmark::State& state) {
  OpenWindow open(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(0);
    ::waitpid(pid, nullptr, 0);
  }
}
BENCHMARK(BM_ForkOfTheWindowProcess)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  bv::StartLinkGuard();  // as the program does at start-up
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
