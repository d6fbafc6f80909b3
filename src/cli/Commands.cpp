#include "cli/Commands.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "cli/CliError.h"
#include "cli/ProfileOpening.h"
#include "cli/TreeJson.h"
#include "config/Cp1252.h"
#include "config/MessageIds.h"
#include "config/Messages.h"
#include "config/Settings.h"
#include "crypto/WipedText.h"
#include "export/CsvExport.h"
#include "export/CsvImport.h"
#include "export/KdbxWriter.h"
#include "files/BackupStore.h"
#include "files/InOutError.h"
#include "profile/ImportedText.h"
#include "profile/MasterPassword.h"
#include "profile/ProfileReader.h"
#include "profile/ProfileWriter.h"

namespace bv::cli {
namespace {

std::string Shown(const std::filesystem::path& path) { return path.string(); }

// The text the program puts in every record, in its language.
std::string RecordMarkerText() {
  LoadProgramLanguage();
  return MessageText(msg::kRecordMarker);
}

ProfileTree TreeFromCsv(const std::filesystem::path& path, const std::string& text) {
  try {
    return ReadProfileCsv(text);
  } catch (const ECsvImportError& error) {
    using Reason = ECsvImportError::Reason;
    const ExitCode code = error.reason() == Reason::TooLong     ? ExitCode::kTooLong
                          : error.reason() == Reason::NotCp1252 ? ExitCode::kNotCp1252
                                                                : ExitCode::kBadCsv;
    throw ECliError(code, Shown(path) + ": " + error.what());
  }
}

std::string ReadInputText(const std::filesystem::path& path) {
  if (path == "-") return std::string(std::istreambuf_iterator<char>(std::cin), {});
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ECliError(ExitCode::kFileError, Shown(path) + ": " + std::strerror(errno));
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool Exists(const std::filesystem::path& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;  // a dangling link counts: it would be followed
}

}  // namespace

OpenedProfile LoadWithPassword(const std::filesystem::path& profile,
                               const PasswordOptions& password, std::string* masterPassword) {
  // Read a block at a time from the descriptor that gave the header: the tree is the only
  // copy of the profile in memory, however large the file.
  const UnlockedHeader unlocked = UnlockProfile(profile, password);
  if (masterPassword && HasMasterPassword(unlocked.header)) *masterPassword = unlocked.key;
  return {unlocked.header, LoadNodes(unlocked)};
}

void RunInfo(const std::filesystem::path& profile, std::ostream& out) {
  // The header, then the kinds of the nodes, which every record keeps in plain: nothing is
  // deciphered and no more than a block of the file is in memory.
  const UnlockedHeader opened = OpenProfileHeader(profile);
  std::size_t categories = 0, groups = 0, accounts = 0;
  ForEachNode(opened, [&](const TNodeRecord& record) {
    if (record.IsAccount)
      ++accounts;
    else if (record.IsCategory)
      ++categories;
    else
      ++groups;
  });
  out << "Owner:           " << Cp1252ToUtf8(opened.header.Owner) << '\n'
      << "Title:           " << Cp1252ToUtf8(opened.header.Title) << '\n'
      << "File size:       " << opened.opened.size << " bytes\n"
      << "Categories:      " << categories << '\n'
      << "Groups:          " << groups << '\n'
      << "Accounts:        " << accounts << '\n'
      << "Master password: " << (HasMasterPassword(opened.header) ? "yes" : "no") << '\n';
}

void RunDump(const std::filesystem::path& profile, const PasswordOptions& password,
             std::ostream& out) {
  const OpenedProfile opened = LoadWithPassword(profile, password);
  WriteProfileJson(out, opened.header, opened.tree);
}

void RunCreate(const std::filesystem::path& profile, const CreateOptions& options,
               std::ostream& out) {
  if ((options.json == "-" || options.csv == "-") && options.password.fromStdin)
    throw ECliError(ExitCode::kUsage,
                    "--from - and --password-stdin cannot both use standard input");
  TProfileHeader header;
  ProfileTree tree;
  if (!options.csv.empty()) {
    tree = TreeFromCsv(options.csv, ReadInputText(options.csv));
    header.Title = ImportText(profile.stem().string(), TProfileHeader::kTitleMax).bytes;
  } else {
    ReadProfileJson(ReadInputText(options.json), header, tree);
  }
  if (!options.force && Exists(profile))
    throw ECliError(ExitCode::kFileExists,
                    Shown(profile) + ": the file exists; --force replaces it");

  std::string password = AskNewPassword(options.password);
  if (password.size() > kMasterPasswordMaxLength)
    throw ECliError(
        ExitCode::kTooLong,
        "password: too long (at most " + std::to_string(kMasterPasswordMaxLength) + " characters)");
  password = PasswordOrSentinel(std::move(password));
  header.Verifier = MakeVerifier(password);
  // --force gives up a file, perhaps someone's only copy of a profile: like every save it
  // keeps the version it replaces among the backups.
  const BackupStore backups = BackupStore::ForUser(ReadBackupsKept());
  // A new profile: record 0 takes nothing from the file it replaces.
  const SaveReport report = WriteProfile(profile, header, tree, password, RecordMarkerText(),
                                         &backups, FirstRecordTail::Zeros);
  out << "Wrote " << Shown(profile) << ": " << tree.Count() << " nodes\n";
  if (!report.backup.empty()) out << "Kept the replaced file as " << Shown(report.backup) << '\n';
  if (!report.backupFailure.empty())
    std::cerr << "brindlevault-cli: warning: the replaced file could not be kept in "
              << Shown(backups.BackupFolder()) << ": " << Cp1252ToUtf8(report.backupFailure)
              << '\n';
}

void RunExport(const std::filesystem::path& profile, const ExportOptions& options,
               std::ostream& out) {
  std::error_code ignored;
  if (std::filesystem::equivalent(profile, options.output, ignored))
    throw ECliError(ExitCode::kUsage, Shown(options.output) + ": is the profile itself");
  const OpenedProfile opened = LoadWithPassword(profile, options.password);
  try {
    if (options.format != ExportFormat::Kdbx) {
      WriteProfileCsv(options.output, opened.tree,
                      options.format == ExportFormat::Csv ? CsvRows::Accounts : CsvRows::FullTree);
    } else {
      std::string password = AskExportPassword(options.password);
      const WipeOnExit wipe(password);
      WriteKdbxFile(options.output, opened.header, opened.tree, password);
    }
  } catch (const EInOutError& error) {
    throw ECliError(ExitCode::kFileError,
                    Shown(options.output) + ": " + Cp1252ToUtf8(error.what()));
  }
  out << "Wrote " << Shown(options.output) << ": " << opened.tree.Count() << " nodes\n";
}

}  // namespace bv::cli
