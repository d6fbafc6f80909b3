// The password health report and the strength bar: a large profile analysed, a breach list
// searched for many passwords, one estimate of the longest password a field keeps and of
// passwords as people type them (the bar re-estimates at every keystroke: well under 1 ms
// each), and the reading of the shipped languages' word lists.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "profile/ProfileTree.h"
#include "tools/BreachList.h"
#include "tools/PasswordHealth.h"
#include "ui/PasswordStrength.h"
#include "ui/WordLists.h"

namespace {

constexpr int kBreachListLines = 1'000'000;

std::string RandomText(std::mt19937& random, std::size_t length) {
  static const std::string pool =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!#$%&()*+-./:;<=>?@";
  std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
  std::string text;
  for (std::size_t i = 0; i < length; ++i) text += pool[pick(random)];
  return text;
}

// The passwords people keep: words with numbers, short random ones, long generated ones.
std::string Password(std::mt19937& random, int i) {
  switch (i % 4) {
    case 0: return "verano" + std::to_string(1950 + i);
    case 1: return RandomText(random, 8) + std::to_string(i);
    case 2: return "Clave-" + std::to_string(i) + "-Segura";
    default: return RandomText(random, 20) + std::to_string(i);
  }
}

// accounts accounts in groups of ten in categories of ten groups, every password distinct.
bv::ProfileTree TreeOfAccounts(int accounts) {
  std::mt19937 random(7);
  bv::ProfileTree tree;
  bv::TreeNode* category = nullptr;
  bv::TreeNode* group = nullptr;
  for (int i = 0; i < accounts; ++i) {
    if (i % 100 == 0) {
      category = tree.Append(nullptr, bv::TNodeData::Create(bv::NodeKind::Category, 3));
      category->data.Name =
          "Categor\xED"
          "a " +
          std::to_string(i / 100);
    }
    if (i % 10 == 0) {
      group = tree.Append(category, bv::TNodeData::Create(bv::NodeKind::Group, 3));
      group->data.Name = "Grupo " + std::to_string(i / 10);
    }
    bv::TNodeData data = bv::TNodeData::Create(bv::NodeKind::Account, 17);
    data.Name = "Cuenta " + std::to_string(i);
    data.UserName = "usuario" + std::to_string(i) + "@example.com";
    data.Password = Password(random, i);
    tree.Append(group, data);
  }
  return tree;
}

void BM_AnalyzeHealth(benchmark::State& state) {
  const bv::ProfileTree tree = TreeOfAccounts(static_cast<int>(state.range(0)));
  bv::HealthOptions options;
  options.masterPassword = "Tr3s-Gatos-Azul";
  for (auto _ : state) benchmark::DoNotOptimize(bv::AnalyzeHealth(tree, options));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AnalyzeHealth)->Arg(10'000)->Unit(benchmark::kMillisecond);

// A sorted list of SHA-1 hashes with counts in a scratch folder, made once; removed at exit.
class ScratchBreachList {
 public:
  ScratchBreachList() {
    std::string pattern = (std::filesystem::temp_directory_path() / "bv-bench-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
    std::vector<std::string> lines;
    lines.reserve(kBreachListLines);
    for (int i = 0; i < kBreachListLines; ++i)
      lines.push_back(bv::Sha1Hex(bv::PasswordSha1("pwned" + std::to_string(i))) + ":" +
                      std::to_string(i % 5000 + 1) + "\r\n");
    std::sort(lines.begin(), lines.end());
    std::ofstream out(path(), std::ios::binary);
    for (const std::string& line : lines) out << line;
  }
  ~ScratchBreachList() { std::filesystem::remove_all(folder_); }
  std::filesystem::path path() const { return folder_ / "pwned.txt"; }

 private:
  std::filesystem::path folder_;
};

// 10,000 distinct passwords, half of them listed, each hashed and searched for; the list is
// warm in the page cache after the first round.
void BM_BreachLookups(benchmark::State& state) {
  static const ScratchBreachList scratch;
  const bv::BreachList list(scratch.path());
  std::vector<std::string> passwords;
  for (int i = 0; i < 10'000; ++i)
    passwords.push_back((i % 2 ? "pwned" : "fresh") + std::to_string(i * 97));
  std::uint64_t found = 0;
  for (auto _ : state)
    for (const std::string& password : passwords)
      found += list.TimesSeen(bv::PasswordSha1(password)) > 0;
  benchmark::DoNotOptimize(found);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(passwords.size()));
}
BENCHMARK(BM_BreachLookups)->Unit(benchmark::kMillisecond);

// The strength bar's work at each keystroke in a box of 117 characters: random, a phrase of
// words, and one letter repeated (the estimator's slowest case).
void BM_EstimateStrength117(benchmark::State& state) {
  std::mt19937 random(117);
  std::string phrase;
  while (phrase.size() < 117) phrase += "correct horse battery staple ";
  const std::string passwords[] = {RandomText(random, 117), phrase.substr(0, 117),
                                   std::string(117, 'a')};
  const std::string& password = passwords[state.range(0)];
  static_cast<void>(bv::WordLists::Shipped());  // read once, before the timing
  for (auto _ : state) benchmark::DoNotOptimize(bv::EstimateStrength(password));
  state.SetLabel(state.range(0) == 0 ? "random" : state.range(0) == 1 ? "words" : "repeated");
}
BENCHMARK(BM_EstimateStrength117)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// Reading the word lists of the shipped languages: what the first estimate waits for, unless
// the strength bar started it earlier.
void BM_ReadWordLists(benchmark::State& state) {
  std::size_t words = 0;
  for (auto _ : state)
    words = bv::WordLists(bv::WordLists::kShippedFolder, bv::WordLists::ShippedFiles()).Words();
  state.counters["words"] = static_cast<double>(words);
}
BENCHMARK(BM_ReadWordLists)->Iterations(3)->Unit(benchmark::kMillisecond);

// Passwords as people type them, each estimated whole as the bar does at every keystroke,
// with the lists read: words of the shipped languages, names with years, l33t, random.
void BM_EstimateTypedPasswords(benchmark::State& state) {
  static_cast<void>(bv::WordLists::Shipped());
  const std::vector<std::string> passwords = {"Verano2024",
                                              "contrase\xF1"
                                              "a1",
                                              "Sommer2024",
                                              "motdepasse",
                                              "c0r4z0n!",
                                              "Barcelona10",
                                              "anaperez1990",
                                              "kQ7#vL2@xM9$tR4&wP1!",
                                              "Gr\xFC\xDF"
                                              "-7\xE9vQ\xF1"
                                              "a2!\xD3zK\xE0w9\x80Lm"};
  for (auto _ : state)
    for (const std::string& password : passwords)
      benchmark::DoNotOptimize(bv::EstimateStrength(password, {"anaperez"}));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(passwords.size()));
}
BENCHMARK(BM_EstimateTypedPasswords)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
