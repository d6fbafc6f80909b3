#pragma once
// The commands of brindlevault-cli. Each writes its result to out and throws ECliError on
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
  std::filesystem::path csv;   // instead of json: CSV of accounts (export/CsvImport.h)
  bool force = false;          // replace an existing file
  PasswordOptions password;
};
// Writes a new profile from the JSON form, or from CSV; an empty password gives a profile
// without one. A profile made from CSV is titled after its file name.
void RunCreate(const std::filesystem::path& profile, const CreateOptions& options,
               std::ostream& out);

enum class ExportFormat { Kdbx, Csv };
struct ExportOptions {
  ExportFormat format = ExportFormat::Kdbx;
  std::filesystem::path output;
  PasswordOptions password;  // the profile's, then (KDBX) the new file's
};
// Writes the whole profile as a KDBX 4 file or as CSV (export/CsvExport.h), replacing a file
// at the output path; never the profile itself.
void RunExport(const std::filesystem::path& profile, const ExportOptions& options,
               std::ostream& out);

}  // namespace bv::cli
