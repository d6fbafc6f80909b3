// brindlevault-cli totp: the current two-step code of one account, found by its path.
#include <ostream>
#include <vector>

#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/ProfileOpening.h"
#include "config/Cp1252.h"
#include "config/MessageIds.h"
#include "config/Messages.h"
#include "export/GroupPath.h"
#include "tools/OneTimeCode.h"

namespace bv::cli {
namespace {

// The accounts at the path: every category and group the leading names lead to (siblings may
// share a name), then the accounts of the last name among their children.
std::vector<const TreeNode*> AccountsAt(const ProfileTree& tree, const GroupPath& path) {
  std::vector<const TreeNode*> parents{nullptr};
  for (std::size_t k = 0; k + 1 < path.steps.size(); ++k) {
    std::vector<const TreeNode*> next;
    for (const TreeNode* parent : parents)
      for (const auto& child : tree.ChildrenOf(parent))
        if (child->data.Name == path.steps[k].name && child->data.Kind() == path.steps[k].kind)
          next.push_back(child.get());
    parents = std::move(next);
  }
  std::vector<const TreeNode*> found;
  if (path.steps.empty()) return found;
  for (const TreeNode* parent : parents)
    for (const auto& child : tree.ChildrenOf(parent))
      if (child->data.IsAccount && child->data.Name == path.steps.back().name)
        found.push_back(child.get());
  return found;
}

[[noreturn]] void Refuse(ExitCode code, int message, const std::string& path) {
  LoadProgramLanguage();
  throw ECliError(code,
                  Cp1252ToUtf8(FillIn(MessageText(message), {Utf8ToCp1252(path).value_or(path)})));
}

}  // namespace

void RunTotp(const std::filesystem::path& profile, const TotpOptions& options, std::ostream& out) {
  const std::optional<std::string> cp1252 = Utf8ToCp1252(options.accountPath);
  if (!cp1252)
    throw ECliError(ExitCode::kNotCp1252,
                    options.accountPath + ": a character without a Windows-1252 form");
  const GroupPath path = ParseGroupPath(*cp1252);
  if (path.ownRow || path.top || path.steps.empty())
    throw ECliError(ExitCode::kUsage, "the path ends with the account's name: GROUP/NAME");
  const OpenedProfile opened = LoadWithPassword(profile, options.password);
  const std::vector<const TreeNode*> accounts = AccountsAt(opened.tree, path);
  if (accounts.empty())
    Refuse(ExitCode::kNoSuchAccount, msg::kTotpNoSuchAccount, options.accountPath);
  if (accounts.size() > 1)
    Refuse(ExitCode::kTwoAccounts, msg::kTotpTwoAccounts, options.accountPath);
  const std::optional<TotpSeed> seed = SeedOfNotes(accounts.front()->data.Notes);
  if (!seed) Refuse(ExitCode::kNoSeed, msg::kTotpNoSeed, options.accountPath);
  const OneTimeCode code = CurrentCode(*seed);
  out << code.digits << '\n';
  if (options.verbose) out << code.secondsLeft << " s left\n";
}

}  // namespace bv::cli
