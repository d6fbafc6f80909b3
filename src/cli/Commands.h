#pragma once
// The commands of brindlevault-cli. Each writes its result to out and throws ECliError on
// failure.

#include <filesystem>
#include <iosfwd>
#include <string>

#include "cli/PasswordInput.h"
#include "profile/NodeData.h"
#include "profile/ProfileTree.h"

namespace bv::cli {

// Checks the password (asked unless the profile has none) and loads the tree. A profile
// with a master password hands it to masterPassword when one is given (the caller wipes it).
struct OpenedProfile {
  TProfileHeader header;
  ProfileTree tree;
};
OpenedProfile LoadWithPassword(const std::filesystem::path& profile,
                               const PasswordOptions& password,
                               std::string* masterPassword = nullptr);

// Owner, title, size, counts of categories, groups and accounts, and whether a master
// password guards the profile. Asks no password.
void RunInfo(const std::filesystem::path& profile, std::ostream& out);

// The whole profile as JSON (TreeJson.h); asks the password unless the profile has none.
void RunDump(const std::filesystem::path& profile, const PasswordOptions& password,
             std::ostream& out);

struct CreateOptions {
  std::filesystem::path json;  // "-" reads standard input
  std::filesystem::path csv;   // instead of json: CSV of accounts (export/CsvImport.h)
  bool force = false;          // replace an existing file
  PasswordOptions password;
};
// Writes a new profile from the JSON form, or from CSV; an empty password gives a profile
// without one. A profile made from CSV is titled after its file name.
void RunCreate(const std::filesystem::path& profile, const CreateOptions& options,
               std::ostream& out);

enum class ExportFormat {
  Kdbx,
  Csv,
  CsvFull
};
struct ExportOptions {
  ExportFormat format = ExportFormat::Kdbx;
  std::filesystem::path output;
  PasswordOptions password;  // the profile's, then (KDBX) the new file's
};
// Writes the whole profile as a KDBX 4 file or as CSV (export/CsvExport.h: one row per
// account, or with CsvFull the rows that rebuild every category and group too), replacing a
// file at the output path; never the profile itself.
void RunExport(const std::filesystem::path& profile, const ExportOptions& options,
               std::ostream& out);

struct AnalyzeOptions {
  PasswordOptions password;
  std::filesystem::path breachList;  // empty: no look-up
  bool json = false;
};
// The accounts whose passwords are empty, weak, reused, the same as the user name, the name
// or the master password, or in the breach list: a table, or JSON. Passwords are never
// printed (AnalyzeCommand.cpp).
void RunAnalyze(const std::filesystem::path& profile, const AnalyzeOptions& options,
                std::ostream& out);

struct TotpOptions {
  std::string accountPath;  // UTF-8: the CSV's Group path and the name ("Web/Gmail")
  PasswordOptions password;
  bool verbose = false;  // the seconds the code stays valid, on a line of its own
};
// The current two-step code of the account at the path (TotpCommand.cpp).
void RunTotp(const std::filesystem::path& profile, const TotpOptions& options, std::ostream& out);

}  // namespace bv::cli
