#include "cli/MergeCommand.h"

#include <future>
#include <iostream>
#include <ostream>
#include <thread>
#include <tuple>

#include "cli/CliError.h"
#include "cli/ProfileOpening.h"
#include "config/Cp1252.h"
#include "config/MessageIds.h"
#include "config/Messages.h"
#include "config/Settings.h"
#include "files/BackupStore.h"
#include "files/InOutError.h"
#include "profile/MasterPassword.h"
#include "profile/MergeReport.h"
#include "profile/ProfileMerge.h"
#include "profile/ProfileWriter.h"

namespace bv::cli {
namespace {

std::string Totals(const MergeSummary& summary) {
  const std::size_t changed = summary.Count(MergeChange::Changed) +
                              summary.Count(MergeChange::Renamed) +
                              summary.Count(MergeChange::HeaderChanged);
  const std::size_t conflicts =
      summary.Count(MergeChange::Conflict) + summary.Count(MergeChange::HeaderConflict);
  return std::to_string(summary.Count(MergeChange::Added)) + " added, " +
         std::to_string(summary.Count(MergeChange::Deleted)) + " deleted, " +
         std::to_string(changed) + " changed, " +
         std::to_string(summary.Count(MergeChange::KeptDeleted)) + " kept, " +
         std::to_string(conflicts) + (conflicts == 1 ? " conflict" : " conflicts");
}

// The inputs with a master password when the result, written with OURS' key, has none: their
// secrets would end up in a file anyone who can read it can open.
std::vector<std::filesystem::path> MoreProtectedInputs(const UnlockedHeader& ours,
                                                       const UnlockedHeader& theirs,
                                                       const std::optional<UnlockedHeader>& base) {
  std::vector<std::filesystem::path> inputs;
  if (HasMasterPassword(ours.header)) return inputs;
  for (const UnlockedHeader* input : {&theirs, base ? &*base : nullptr})
    if (input && HasMasterPassword(input->header)) inputs.push_back(input->path);
  return inputs;
}

}  // namespace

void RunMerge(const MergeOptions& options, std::ostream& out) {
  const UnlockedHeader ours = UnlockProfile(options.ours, options.password);
  const UnlockedHeader theirs = UnlockProfile(options.theirs, options.password, {ours.key});
  std::optional<UnlockedHeader> base;
  if (options.base)
    base.emplace(UnlockProfile(*options.base, options.password, {ours.key, theirs.key}));

  // Reading and deciphering the files is most of a merge's time: the three are read at once.
  auto load = [](const UnlockedHeader& profile) {
    return std::async(std::launch::async, [&profile] { return LoadNodes(profile); });
  };
  std::future<ProfileTree> theirsLoading = load(theirs);
  std::future<ProfileTree> baseLoading;
  if (base) baseLoading = load(*base);
  ProfileTree oursTree = LoadNodes(ours);
  ProfileTree theirsTree = theirsLoading.get();
  ProfileTree baseTree = base ? baseLoading.get() : ProfileTree();

  LoadProgramLanguage();
  const ProfileVersion baseVersion{base ? base->header : ours.header, baseTree};
  const MergedProfile merged =
      MergeProfiles(base ? &baseVersion : nullptr, {ours.header, oursTree},
                    {theirs.header, theirsTree}, MessageText(msg::kConflictCopyName));
  // Like every save, a replaced file (often OURS itself) is kept among the backups.
  const BackupStore backups = BackupStore::ForUser(ReadBackupsKept());
  SaveReport report;
  {
    // The three versions are let go (every node wiped) while the result is written.
    std::jthread release([versions = std::make_tuple(std::move(oursTree), std::move(theirsTree),
                                                     std::move(baseTree))] {});
    try {
      report = WriteProfile(options.output, merged.header, merged.tree, ours.key,
                            MessageText(msg::kRecordMarker), &backups);
    } catch (const EInOutError& error) {
      throw ECliError(ExitCode::kFileError,
                      options.output.string() + ": " + Cp1252ToUtf8(error.what()));
    }
  }
  for (const std::string& line : DescribeMerge(merged, [](int n) { return MessageText(n); }))
    out << Cp1252ToUtf8(line) << '\n';
  out << "Wrote " << options.output.string() << ": " << merged.tree.Count() << " nodes; "
      << Totals(merged.summary) << '\n';
  for (const std::filesystem::path& input : MoreProtectedInputs(ours, theirs, base)) {
    const std::string warning = options.output.string() + " has no master password, but " +
                                input.string() +
                                " has one: its secrets are now readable without a password";
    out << "Warning: " << warning << '\n';
    std::cerr << "brindlevault-cli: warning: " << warning << '\n';
  }
  if (!report.backup.empty()) out << "Kept the replaced file as " << report.backup.string() << '\n';
  if (!report.backupFailure.empty())
    std::cerr << "brindlevault-cli: warning: the replaced file could not be kept in "
              << backups.BackupFolder().string() << ": " << Cp1252ToUtf8(report.backupFailure)
              << '\n';
}

}  // namespace bv::cli
