// Merging two versions of a profile of 100,000 accounts, each side with 1 % of the base
// changed: the merge itself in memory, and brindlevault-cli merge of such files.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "MergeSides.h"
#include "profile/MasterPassword.h"
#include "profile/ProfileMerge.h"
#include "profile/ProfileWriter.h"

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

constexpr const char* kPassword = "clave";

// The three versions as profile files (some 600 MB), written once per run and removed at
// its end.
class VersionFolder {
 public:
  VersionFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "bvbench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
    const Versions& v = SharedVersions();
    TProfileHeader header;
    header.Owner = "Propietario";
    header.Title = "Perfil grande";
    header.Verifier = MakeVerifier(kPassword);
    WriteProfile(path_ / "base.bv3", header, v.base, kPassword, "m");
    WriteProfile(path_ / "ours.bv3", header, v.ours, kPassword, "m");
    WriteProfile(path_ / "theirs.bv3", header, v.theirs, kPassword, "m");
  }
  ~VersionFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

const std::filesystem::path& VersionFiles() {
  static const VersionFolder folder;
  return folder.Path();
}

// Runs the built brindlevault-cli with the password on standard input; its exit status.
int RunCliMerge(const std::filesystem::path& dir) {
  int input[2];
  if (::pipe(input) != 0) return -1;
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(input[0], 0);
    ::close(input[0]);
    ::close(input[1]);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    const std::string ours = dir / "ours.bv3", theirs = dir / "theirs.bv3", base = dir / "base.bv3",
                      out = dir / "out.bv3";
    ::execl(BV_CLI_PROGRAM, BV_CLI_PROGRAM, "merge", ours.c_str(), theirs.c_str(), "--base",
            base.c_str(), "--output", out.c_str(), "--password-stdin", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(input[0]);
  (void)!::write(input[1], "clave\n", 6);
  ::close(input[1]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// brindlevault-cli merge of the three files: reading and checking them, merging, writing the
// result (read back and checked like every save), and the summary.
// On a machine shared with other work the processor time of the tool ("cpu ms", user and
// system) tells more than the time on the clock.
double ChildrenCpuMs() {
  rusage usage{};
  ::getrusage(RUSAGE_CHILDREN, &usage);
  const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

void BM_CliMerge(benchmark::State& state) {
  const std::filesystem::path& dir = VersionFiles();
  const double cpuBefore = ChildrenCpuMs();
  for (auto _ : state)
    if (RunCliMerge(dir) != 0) state.SkipWithError("brindlevault-cli merge failed");
  state.counters["cpu ms"] =
      (ChildrenCpuMs() - cpuBefore) / static_cast<double>(state.iterations());
  state.counters["file MB"] =
      static_cast<double>(std::filesystem::file_size(dir / "ours.bv3")) / 1e6;
}
BENCHMARK(BM_CliMerge)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
}  // namespace bv

BENCHMARK_MAIN();
