// Loading and saving profiles of 1,000, 10,000 and 100,000 accounts, against the historical
// way of keying a new cipher for every field; and the peak memory of loading the largest.
//
//   bench_profile                          all benchmarks
//   bench_profile --load-peak-memory FILE  (internal) loads FILE in a fresh process and
//                                          prints its resident memory before and at peak
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "crypto/FieldCipher.h"
#include "profile/LevelTree.h"
#include "profile/MasterPassword.h"
#include "profile/ProfileReader.h"
#include "profile/ProfileWriter.h"
#include "profile/RecordFile.h"

namespace bv {
namespace {

constexpr const char* kPassword =
    "Contrase\xF1"
    "a-16";

constexpr const char* kRecordMarkerText = "Perfil de Brindlevault 3.5";

// A profile's header and tree, loaded and saved by the core as the window does.
struct Window {
  TProfileHeader header;
  ProfileTree tree;

  bool Load(const std::filesystem::path& path, std::string_view password) {
    LoadedProfile loaded = ReadAndLoadProfile(path, password).loaded;
    header = loaded.header;
    std::swap(tree, loaded.tree);
    return loaded.outcome == LoadedProfile::Outcome::Loaded;
  }
  void Save(const std::filesystem::path& path, std::string_view password) {
    header.Magic = TProfileHeader::kMagic;
    WriteProfile(path, header, tree, password, kRecordMarkerText);
  }
};

std::filesystem::path BenchDir() {
  static const std::filesystem::path dir = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "bvbench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    return std::filesystem::path(pattern);
  }();
  return dir;
}

// Text of a length drawn between lo and hi, with some Windows-1252 letters.
std::string Text(std::mt19937& random, std::size_t lo, std::size_t hi) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789 .-_@\xE1\xE9\xF1\xFC";
  const std::size_t length = std::uniform_int_distribution<std::size_t>(lo, hi)(random);
  std::string text(length, ' ');
  for (char& c : text) c = kLetters[random() % (sizeof kLetters - 1)];
  return text;
}

// 20 categories of 4 groups each (a fifth of them with a subgroup); accounts spread evenly.
void FillTree(ProfileTree& tree, std::size_t accounts) {
  std::mt19937 random(42);
  std::vector<TreeNode*> groups;
  for (int c = 0; c < 20; ++c) {
    TNodeData category = TNodeData::Create(NodeKind::Category, c % 26);
    category.Name = Text(random, 5, 20);
    category.Description = Text(random, 0, 60);
    TreeNode* node = tree.Append(nullptr, category);
    for (int g = 0; g < 4; ++g) {
      TNodeData group = TNodeData::Create(NodeKind::Group, g);
      group.Name = Text(random, 5, 20);
      groups.push_back(tree.Append(node, group));
      if (g == 0) groups.push_back(tree.Append(groups.back(), group));
    }
  }
  for (std::size_t k = 0; k < accounts; ++k) {
    TNodeData account = TNodeData::Create(NodeKind::Account, static_cast<int>(k % 26));
    account.Name = Text(random, 6, 30);
    account.UserName = Text(random, 5, 20);
    account.Password = Text(random, 8, 16);
    if (k % 2 == 0) {
      account.Question = Text(random, 15, 40);
      account.Answer = Text(random, 4, 15);
    }
    account.Mail = Text(random, 12, 30);
    account.Url = Text(random, 15, 60);
    account.AccountType = Text(random, 5, 20);
    account.Description = Text(random, 0, 80);
    account.Notes = k % 3 == 0 ? Text(random, 20, 60) + "\r\n" + Text(random, 0, 60) : "";
    tree.Append(groups[k % groups.size()], account);
  }
}

// A saved profile of that many accounts, made once per run.
std::filesystem::path ProfileOf(std::size_t accounts) {
  static std::map<std::size_t, std::filesystem::path> made;
  auto& path = made[accounts];
  if (path.empty()) {
    Window window;
    window.header.Owner = "Propietario";
    window.header.Title = "Perfil de " + std::to_string(accounts);
    window.header.Verifier = EncipherField(kPassword, kPassword);
    FillTree(window.tree, accounts);
    path = BenchDir() / ("profile-" + std::to_string(accounts) + ".bv3");
    window.Save(path, kPassword);
  }
  return path;
}

void BM_Load(benchmark::State& state) {
  const auto path = ProfileOf(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    Window window;
    static_cast<void>(window.Load(path, kPassword));
    benchmark::DoNotOptimize(window.tree.Count());
    state.PauseTiming();  // releasing the tree is closing the profile, not loading it
    window.tree.Clear();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(std::filesystem::file_size(path)));
}

void BM_Save(benchmark::State& state) {
  Window window;
  const auto profile = ProfileOf(static_cast<std::size_t>(state.range(0)));
  static_cast<void>(window.Load(profile, kPassword));
  const auto path = BenchDir() / "saved.bv3";
  for (auto _ : state) window.Save(path, kPassword);
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(std::filesystem::file_size(path)));
}

// The historical load: a newly keyed cipher for every field (no check, no file replacement).
void BM_LoadPerFieldKeying(benchmark::State& state) {
  const auto path = ProfileOf(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    ProfileTree tree;
    LevelTreeBuilder builder(tree);
    static_cast<void>(PasswordMatches(ReadProfileHeader(path).header, kPassword));
    ForEachNodeRecord(path, [&](const TNodeRecord& record) {
      TNodeData data;
      data.IsAccount = record.IsAccount;
      data.IsCategory = record.IsCategory;
      data.ImageIndex = record.ImageIndex;
      for (std::size_t k = 0; k < std::size(kTextFields); ++k)
        if (data.IsAccount || !kTextFields[k].accountOnly)
          data.*kTextFields[k].member =
              DecipherField(record.*kRecordTextSlots[k + 1].member, kPassword);
      builder.Attach(record.Level, std::move(data));
    });
    benchmark::DoNotOptimize(tree.Count());
    state.PauseTiming();
    tree.Clear();
    state.ResumeTiming();
  }
}

// The historical save: every field enciphered by its own call, records written in place.
void BM_SavePerFieldKeying(benchmark::State& state) {
  Window window;
  const auto profile = ProfileOf(static_cast<std::size_t>(state.range(0)));
  static_cast<void>(window.Load(profile, kPassword));
  const auto path = BenchDir() / "saved-per-field.bv3";
  const std::string marker = kRecordMarkerText;
  for (auto _ : state) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::vector<std::uint8_t> bytes(kRecordSize);
    TProfileHeader header = window.header;
    header.Magic = TProfileHeader::kMagic;
    EncodeHeader(header, std::span<std::uint8_t, kHeaderSize>(bytes.data(), kHeaderSize));
    out.write(reinterpret_cast<const char*>(bytes.data()), kRecordSize);
    window.tree.ForEachPreOrder([&](const TreeNode& node, int depth) {
      TNodeRecord record;
      record.Marker = EncipherField(marker, kPassword);
      for (std::size_t k = 0; k < std::size(kTextFields); ++k)
        if (node.data.IsAccount || !kTextFields[k].accountOnly)
          record.*kRecordTextSlots[k + 1].member =
              EncipherField(node.data.*kTextFields[k].member, kPassword);
      record.IsAccount = node.data.IsAccount;
      record.IsCategory = node.data.IsCategory;
      record.ImageIndex = node.data.ImageIndex;
      record.Level = depth;
      EncodeNodeRecord(record, MutableRecordBytes(bytes.data(), kRecordSize));
      out.write(reinterpret_cast<const char*>(bytes.data()), kRecordSize);
    });
  }
}

// Resident memory of this process in kB, as /proc reports it ("VmRSS" now, "VmHWM" at peak).
long MemoryKb(const std::string& key) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.starts_with(key + ":")) return std::stol(line.substr(key.size() + 1));
  return -1;
}

int MeasureLoadPeak(const char* file) {
  const long before = MemoryKb("VmRSS");
  Window window;
  static_cast<void>(window.Load(file, kPassword));
  const long peak = MemoryKb("VmHWM");
  std::printf("%ld %ld %zu\n", before, peak, window.tree.Count());
  return 0;
}

// Loads the largest profile in a fresh process, so that nothing earlier inflates the peak.
void BM_LoadPeakMemory(benchmark::State& state) {
  const auto path = ProfileOf(static_cast<std::size_t>(state.range(0)));
  const auto report = BenchDir() / "peak.txt";
  for (auto _ : state) {
    const std::string command = std::filesystem::read_symlink("/proc/self/exe").string() +
                                " --load-peak-memory '" + path.string() + "' > '" +
                                report.string() + "'";
    if (std::system(command.c_str()) != 0) state.SkipWithError("measuring process failed");
  }
  long before = 0, peak = 0;
  std::size_t nodes = 0;
  std::ifstream(report) >> before >> peak >> nodes;
  const double fileMb = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
  state.counters["file_MB"] = fileMb;
  state.counters["load_peak_MB"] = static_cast<double>(peak - before) / 1024;
  state.counters["peak_per_file_size"] = static_cast<double>(peak - before) / 1024 / fileMb;
  state.counters["nodes"] = static_cast<double>(nodes);
}

BENCHMARK(BM_Load)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadPerFieldKeying)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SavePerFieldKeying)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadPeakMemory)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bv

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--load-peak-memory")
    return bv::MeasureLoadPeak(argv[2]);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(bv::BenchDir());
  return 0;
}
