#include "tools/PasswordHealth.h"

#include <algorithm>
#include <unordered_map>

#include "tools/BreachList.h"
#include "ui/PasswordStrength.h"
#include "ui/WordLists.h"

namespace bv {
namespace {

// Distinct passwords between two calls of the progress callback.
constexpr std::size_t kProgressBatch = 64;

// What a distinct password is found to be, once for all the accounts that share it.
struct PasswordFacts {
  std::size_t accounts = 0;
  int score = 0;
  std::uint64_t timesSeen = 0;
};

unsigned char FoldCase(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);  // À..Þ
  switch (c) {
    case 0x8A: return 0x9A;  // Š
    case 0x8C: return 0x9C;  // Œ
    case 0x8E: return 0x9E;  // Ž
    case 0x9F: return 0xFF;  // Ÿ
    default: return c;
  }
}

bool HoldsFolded(std::string_view password, std::string_view word) {
  if (word.size() < WordLists::kShortestWord || word.size() > password.size()) return false;
  const auto folded = [](char c) { return FoldedByte(static_cast<unsigned char>(c)); };
  return std::search(password.begin(), password.end(), word.begin(), word.end(),
                     [&](char a, char b) { return folded(a) == folded(b); }) != password.end();
}

// The account's score: the password's own, unless it holds the account's user name or name
// (any case, with or without accents), which an attacker who targets the account knows.
int ScoreForAccount(const TNodeData& account, int passwordScore, const HealthOptions& options) {
  if (!HoldsFolded(account.Password, account.UserName) &&
      !HoldsFolded(account.Password, account.Name))
    return passwordScore;
  return EstimateStrength(account.Password, {account.UserName, account.Name, options.owner}).score;
}

std::vector<HealthFinding> FindingsOf(const TNodeData& account, const PasswordFacts& facts,
                                      const HealthOptions& options) {
  const std::string& password = account.Password;
  if (password.empty()) return {{HealthKind::Empty}};
  std::vector<HealthFinding> findings;
  if (!options.masterPassword.empty() && password == options.masterPassword)
    findings.push_back({HealthKind::SameAsMaster});
  if (facts.timesSeen > 0) findings.push_back({HealthKind::Breached, facts.timesSeen});
  if (SameIgnoringCase(password, account.UserName))
    findings.push_back({HealthKind::SameAsUserName});
  if (SameIgnoringCase(password, account.Name)) findings.push_back({HealthKind::SameAsName});
  if (facts.score <= kWeakestScore) findings.push_back({HealthKind::Weak});
  if (facts.accounts > 1) findings.push_back({HealthKind::Reused, facts.accounts});
  return findings;
}

// Worst first: the worst finding, then the weaker password, then the order of the tree.
bool WorseThan(const AccountHealth& a, const AccountHealth& b) {
  if (a.findings.front().kind != b.findings.front().kind)
    return a.findings.front().kind < b.findings.front().kind;
  if (a.score != b.score) return a.score < b.score;
  return a.treeIndex < b.treeIndex;
}

}  // namespace

std::string_view HealthKindName(HealthKind kind) {
  switch (kind) {
    case HealthKind::Empty: return "empty";
    case HealthKind::SameAsMaster: return "same-as-master";
    case HealthKind::Breached: return "breached";
    case HealthKind::SameAsUserName: return "same-as-user-name";
    case HealthKind::SameAsName: return "same-as-name";
    case HealthKind::Weak: return "weak";
    case HealthKind::Reused: return "reused";
  }
  return {};
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return FoldCase(static_cast<unsigned char>(x)) ==
                  FoldCase(static_cast<unsigned char>(y));
         });
}

std::vector<std::string> NodePath(const TreeNode* node) {
  std::vector<std::string> path;
  for (; node; node = node->parent) path.push_back(node->data.Name);
  std::reverse(path.begin(), path.end());
  return path;
}

HealthReport AnalyzeHealth(const ProfileTree& tree, const HealthOptions& options) {
  HealthReport report;
  std::vector<std::pair<const TreeNode*, int>> accounts;
  int index = 0;
  tree.ForEachPreOrder([&](TreeNode& node, int) {
    if (node.data.IsAccount != 0) accounts.emplace_back(&node, index);
    ++index;
  });
  report.accounts = accounts.size();

  // The passwords are keyed by views of the tree's own strings: no copy of them is made.
  std::unordered_map<std::string_view, PasswordFacts> facts;
  for (const auto& [node, treeIndex] : accounts)
    if (!node->data.Password.empty()) ++facts[node->data.Password].accounts;

  std::size_t done = 0;
  for (auto& [password, fact] : facts) {
    fact.score = EstimateStrength(password, {options.owner}).score;
    if (options.breachList) fact.timesSeen = options.breachList->TimesSeen(PasswordSha1(password));
    ++done;
    if (options.progress && (done % kProgressBatch == 0 || done == facts.size()) &&
        !options.progress(done, facts.size())) {
      HealthReport cancelled;
      cancelled.accounts = report.accounts;
      cancelled.cancelled = true;
      return cancelled;
    }
  }

  static const PasswordFacts kNoFacts;
  for (const auto& [node, treeIndex] : accounts) {
    const TNodeData& data = node->data;
    const auto found = facts.find(data.Password);
    PasswordFacts fact = found == facts.end() ? kNoFacts : found->second;
    if (!data.Password.empty()) fact.score = ScoreForAccount(data, fact.score, options);
    AccountHealth health{node, treeIndex, fact.score, FindingsOf(data, fact, options)};
    if (health.findings.empty()) continue;
    for (const HealthFinding& finding : health.findings)
      ++report.counts[static_cast<std::size_t>(finding.kind)];
    report.entries.push_back(std::move(health));
  }
  std::sort(report.entries.begin(), report.entries.end(), WorseThan);
  return report;
}

}  // namespace bv
