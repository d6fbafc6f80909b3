#pragma once
// The commands of brindlevault-cli. Each writes its result to out and throws CliError on
// failure.

#include <filesystem>
#include <iosfwd>

#include "cli/PasswordInput.h"

namespace bv::cli {

// Owner, title, size, counts of categories, groups and accounts, and whether a master
// password guards the profile. Asks no password.
void RunInfo(const std::filesystem::path& profile, std::ostream& out);

// The whole profile as JSON (TreeJson.h); asks the password unless the profile has none.
void RunDump(const std::filesystem::path& profile, const PasswordOptions& password,
             std::ostream& out);

struct CreateOptions {
  std::filesystem::path json;  // "-" reads standard input
  bool force = false;          // replace an existing file
  PasswordOptions password;
};
// Writes a new profile from the JSON form; an empty password gives a profile without one.
void RunCreate(const std::filesystem::path& profile, const CreateOptions& options,
               std::ostream& out);

}  // namespace bv::cli
