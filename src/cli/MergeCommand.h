#pragma once
// brindlevault-cli merge: the merge of two versions of a profile (profile/ProfileMerge.h) from
// the shell, written to a file like every save.

#include <filesystem>
#include <iosfwd>
#include <optional>

#include "cli/PasswordInput.h"

namespace bv::cli {

struct MergeOptions {
  std::filesystem::path ours;  // kept on conflicts; the output gets its password
  std::filesystem::path theirs;
  std::optional<std::filesystem::path> base;  // none: the two-way merge
  std::filesystem::path output;
  PasswordOptions password;
};

// Asks a password only where none known so far opens a file: ours', then theirs' (unless
// ours' opens it), then the base's. Prints the summary, one line an entry, then a total.
void RunMerge(const MergeOptions& options, std::ostream& out);

}  // namespace bv::cli
