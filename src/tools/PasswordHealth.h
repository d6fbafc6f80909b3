#pragma once
// The health of a profile's passwords: every account whose password is empty, weak, used by
// other accounts too, the same as its user name, its name or the master password, or listed
// in an offline list of breached passwords.
//
// Each distinct password is estimated (and looked up) once, however many accounts share it.
// Passwords are read where the tree keeps them and never copied, except into the estimator's
// and the hash's own wiped buffers.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "profile/ProfileTree.h"

namespace bv {

class BreachList;

// The kinds of finding, worst first.
enum class HealthKind {
  Empty,
  SameAsMaster,
  Breached,
  SameAsUserName,
  SameAsName,
  Weak,
  Reused
};
inline constexpr std::size_t kHealthKindCount = 7;

// The name the command-line tool prints: "empty", "same-as-master", "breached",
// "same-as-user-name", "same-as-name", "weak", "reused".
[[nodiscard]] std::string_view HealthKindName(HealthKind kind);

struct HealthFinding {
  HealthKind kind;
  // Reused: the accounts that share the password; Breached: the times the list saw it;
  // otherwise 0.
  std::uint64_t count = 0;
};

struct AccountHealth {
  const TreeNode* node = nullptr;
  int treeIndex = -1;                   // its position in the tree's pre-order when it was analysed
  int score = 0;                        // the password's strength, 0 to 4
  std::vector<HealthFinding> findings;  // worst first; an empty password has that one only
};

struct HealthReport {
  std::size_t accounts = 0;                            // accounts analysed
  std::array<std::size_t, kHealthKindCount> counts{};  // accounts with each kind of finding
  std::vector<AccountHealth> entries;                  // accounts with a finding, worst first
  bool cancelled = false;
};

struct HealthOptions {
  // The master password (Windows-1252); empty when the profile has none.
  std::string_view masterPassword;
  // The profile's owner (Windows-1252), a word an attacker who targets the user knows; the
  // account's user name and name count so for its own password.
  std::string_view owner;
  const BreachList* breachList = nullptr;
  // Called after each batch of distinct passwords with those done and their total; returning
  // false cancels the analysis (the report then says so and holds nothing else).
  std::function<bool(std::size_t done, std::size_t total)> progress;
};

// Throws EBreachListError when the breach list turns out to be malformed or unsorted.
[[nodiscard]] HealthReport AnalyzeHealth(const ProfileTree& tree, const HealthOptions& options);

// The names from the node's category down to the node itself.
[[nodiscard]] std::vector<std::string> NodePath(const TreeNode* node);

// Equal when Windows-1252 letters of either case are taken as one (A and a, Á and á...).
[[nodiscard]] bool SameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace bv
