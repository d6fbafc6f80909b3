#include "cli/MergeCommand.h"

#include <ostream>

#include "cli/CliError.h"
#include "cli/ProfileOpening.h"
#include "config/Cp1252.h"
#include "config/MessageIds.h"
#include "config/Messages.h"
#include "files/InOutError.h"
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

}  // namespace

void RunMerge(const MergeOptions& options, std::ostream& out) {
  const UnlockedProfile ours = UnlockProfile(options.ours, options.password);
  const UnlockedProfile theirs = UnlockProfile(options.theirs, options.password, {ours.key});
  std::optional<UnlockedProfile> base;
  if (options.base)
    base.emplace(UnlockProfile(*options.base, options.password, {ours.key, theirs.key}));

  LoadProgramLanguage();
  const ProfileVersion baseVersion{base ? base->header : ours.header,
                                   base ? base->tree : ours.tree};
  const MergedProfile merged =
      MergeProfiles(base ? &baseVersion : nullptr, {ours.header, ours.tree},
                    {theirs.header, theirs.tree}, MessageText(msg::kConflictCopyName));
  try {
    WriteProfile(options.output, merged.header, merged.tree, ours.key,
                 MessageText(msg::kRecordMarker));
  } catch (const EInOutError& error) {
    throw CliError(ExitCode::kFileError,
                   options.output.string() + ": " + Cp1252ToUtf8(error.what()));
  }
  for (const std::string& line : DescribeMerge(merged, [](int n) { return MessageText(n); }))
    out << Cp1252ToUtf8(line) << '\n';
  out << "Wrote " << options.output.string() << ": " << merged.tree.Count() << " nodes; "
      << Totals(merged.summary) << '\n';
}

}  // namespace bv::cli
