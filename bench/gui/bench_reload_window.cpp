// The main window and another writer: reloading a large profile that changed on disk (the
// check that finds the new version, reading and deciphering it, and the tree view returning
// to where it was), and a save that first finds the file unchanged against the same save
// without that look at the disk.

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <cstdlib>
#include <filesystem>

#include "../LargeTree.h"
#include "app/DiskFollower.h"
#include "app/ProfileSession.h"
#include "app/ProfileWatcher.h"
#include "app/SessionController.h"
#include "app/TFPrincipal.h"
#include "config/Messages.h"
#include "config/ProgramPaths.h"
#include "config/Settings.h"
#include "files/BackupStore.h"
#include "files/LinkGuard.h"
#include "profile/MasterPassword.h"
#include "profile/ProfileWriter.h"

namespace {

namespace fs = std::filesystem;

// Nodes of a LargeTree with 10,000 accounts (one node in ten is a category or group).
constexpr int kTenThousandAccounts = 11112;

constexpr const char* kMarker = "Perfil de Brindlevault 3.5";

bv::TProfileHeader Header() {
  bv::TProfileHeader header;
  header.Title = "Grande";
  header.Verifier = bv::MakeVerifier(bv::kEmptyPasswordSentinel);
  return header;
}

// A program folder of its own (settings, language, data folder for the backups) with a
// profile of `nodes` nodes and no master password.
fs::path PrepareFolder(int nodes) {
  std::string pattern = (fs::temp_directory_path() / "bvbench-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) std::abort();
  const fs::path folder = pattern;
  fs::create_directories(folder / "res");
  fs::copy_file(fs::path(BV_SOURCE_DIR) / "res" / bv::kDefaultLanguageFileName,
                folder / "res" / bv::kDefaultLanguageFileName);
  bv::SetProgramDir(folder);
  bv::SetActiveLanguageFile(folder / "res" / bv::kDefaultLanguageFileName);
  ::setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
  bv::WriteProfile(folder / "grande.bv3", Header(), bench::LargeTree(nodes),
                   bv::kEmptyPasswordSentinel, kMarker);
  return folder;
}

struct OpenWindow {
  explicit OpenWindow(int nodes) : folder(PrepareFolder(nodes)), path(folder / "grande.bv3") {
    window.Sessions().SetCommandLine({QString::fromStdString(path.string())});
    window.show();
    while (!Profile().State().ProfileOpen) QApplication::processEvents();
    QObject::connect(&Profile(), &bv::ProfileSession::reloaded, [this] { ++reloads; });
  }
  ~OpenWindow() { fs::remove_all(folder); }
  // The window's profile session, one of its children.
  bv::ProfileSession& Profile() { return *window.findChild<bv::ProfileSession*>(); }

  fs::path folder;
  fs::path path;
  bv::TFPrincipal window;
  int reloads = 0;
};

void BM_ReloadChangedProfileInTheWindow(benchmark::State& state) {
  const int nodes = static_cast<int>(state.range(0));
  OpenWindow open(nodes);
  // Two versions that differ, written by "another program" in turn.
  const bv::ProfileTree other = bench::LargeTree(nodes + 1);
  const bv::ProfileTree same = bench::LargeTree(nodes);
  bool flip = false;
  for (auto _ : state) {
    state.PauseTiming();
    flip = !flip;
    bv::WriteProfile(open.path, Header(), flip ? other : same, bv::kEmptyPasswordSentinel, kMarker);
    const int before = open.reloads;
    state.ResumeTiming();
    // What activating the window does; the reload runs from the event loop right after.
    static_cast<void>(open.window.findChild<bv::DiskFollower*>()->Watcher().CheckNow());
    while (open.reloads == before) QApplication::processEvents();
  }
  state.SetItemsProcessed(state.iterations() * nodes);
}
BENCHMARK(BM_ReloadChangedProfileInTheWindow)
    ->Arg(kTenThousandAccounts)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// ActGuardar: the look at the disk finds the version held (a stat, no read), then the save.
void BM_SaveFindingTheFileUnchanged(benchmark::State& state) {
  OpenWindow open(static_cast<int>(state.range(0)));
  auto* save = open.window.findChild<QAction*>(QStringLiteral("ActGuardar"));
  for (auto _ : state) {
    open.Profile().MarkModified();
    save->trigger();
    if (open.Profile().State().Modified) state.SkipWithError("the save failed");
  }
}
BENCHMARK(BM_SaveFindingTheFileUnchanged)
    ->Arg(kTenThousandAccounts)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The same save straight through the session, without looking at the disk first.
void BM_SaveWithoutLooking(benchmark::State& state) {
  OpenWindow open(static_cast<int>(state.range(0)));
  const std::string password(bv::kEmptyPasswordSentinel);
  for (auto _ : state) {
    open.Profile().MarkModified();
    const bv::BackupStore backups = bv::BackupStore::ForUser(bv::ReadBackupsKept());
    static_cast<void>(open.Profile().Save(open.path, password, backups));
  }
}
BENCHMARK(BM_SaveWithoutLooking)
    ->Arg(kTenThousandAccounts)
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
