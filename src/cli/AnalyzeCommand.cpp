// brindlevault-cli analyze: the health of a profile's passwords, as a table or as JSON.
#include <algorithm>
#include <iomanip>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <sstream>

#include "cli/CliError.h"
#include "cli/Commands.h"
#include "config/Cp1252.h"
#include "crypto/WipedText.h"
#include "tools/BreachList.h"
#include "tools/PasswordHealth.h"

namespace bv::cli {
namespace {

// The widest path column of the table; longer paths push their row's other columns right.
constexpr std::size_t kMaxPathColumn = 50;

ECliError ListError(const std::filesystem::path& path, const EBreachListError& error) {
  using Reason = EBreachListError::Reason;
  const ExitCode code = error.reason() == Reason::Unreadable || error.reason() == Reason::NotRegular
                            ? ExitCode::kFileError
                            : ExitCode::kBadList;
  return ECliError(code, path.string() + ": " + error.what());
}

std::unique_ptr<BreachList> OpenBreachList(const std::filesystem::path& path) {
  if (path.empty()) return nullptr;
  try {
    return std::make_unique<BreachList>(path);
  } catch (const EBreachListError& error) {
    throw ListError(path, error);
  }
}

std::vector<std::string> Utf8Path(const TreeNode* node) {
  std::vector<std::string> path = NodePath(node);
  for (std::string& name : path) name = Cp1252ToUtf8(name);
  return path;
}

// Characters, not bytes, of a UTF-8 text: what a terminal lines up.
std::size_t Width(const std::string& utf8) {
  return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

void WriteJson(const HealthReport& report, std::ostream& out) {
  nlohmann::ordered_json findings = nlohmann::ordered_json::array();
  for (const AccountHealth& entry : report.entries) {
    const std::vector<std::string> path = Utf8Path(entry.node);
    for (const HealthFinding& finding : entry.findings)
      findings.push_back({{"path", path},
                          {"kind", HealthKindName(finding.kind)},
                          {"score", entry.score},
                          {"count", finding.count}});
  }
  const nlohmann::ordered_json document = {{"accounts", report.accounts},
                                           {"findings", std::move(findings)}};
  out << document.dump(2) << '\n';
}

void WriteTable(const HealthReport& report, bool breachListRead, std::ostream& out) {
  out << report.accounts << " accounts analysed, " << report.entries.size() << " with findings\n";
  for (std::size_t k = 0; k < kHealthKindCount; ++k) {
    const auto kind = static_cast<HealthKind>(k);
    out << "  " << std::left << std::setw(20) << HealthKindName(kind);
    if (kind == HealthKind::Breached && !breachListRead)
      out << "not looked up (--hibp LIST)\n";
    else
      out << report.counts[k] << '\n';
  }
  if (report.entries.empty()) return;

  struct Row {
    std::string path, kind, score, count;
  };
  std::vector<Row> rows;
  std::size_t pathWidth = 7;  // "ACCOUNT"
  for (const AccountHealth& entry : report.entries) {
    std::string path;
    for (const std::string& name : Utf8Path(entry.node)) path += (path.empty() ? "" : " / ") + name;
    pathWidth = std::max(pathWidth, std::min(Width(path), kMaxPathColumn));
    for (const HealthFinding& finding : entry.findings)
      rows.push_back({path, std::string(HealthKindName(finding.kind)), std::to_string(entry.score),
                      finding.count ? std::to_string(finding.count) : std::string()});
  }
  const auto line = [&](const Row& row) {
    const std::size_t pad = pathWidth > Width(row.path) ? pathWidth - Width(row.path) : 0;
    std::ostringstream text;
    text << row.path << std::string(pad + 2, ' ') << std::left << std::setw(19) << row.kind
         << std::setw(7) << row.score << row.count;
    std::string shown = text.str();
    shown.erase(shown.find_last_not_of(' ') + 1);
    out << shown << '\n';
  };
  out << '\n';
  line({"ACCOUNT", "FINDING", "SCORE", "COUNT"});
  for (const Row& row : rows) line(row);
}

}  // namespace

void RunAnalyze(const std::filesystem::path& profile, const AnalyzeOptions& options,
                std::ostream& out) {
  // The list is checked before a password is asked for.
  const std::unique_ptr<BreachList> breachList = OpenBreachList(options.breachList);
  std::string master;
  const WipeOnExit wipeMaster(master);
  const OpenedProfile opened = LoadWithPassword(profile, options.password, &master);
  HealthOptions health;
  health.masterPassword = master;
  health.owner = opened.header.Owner;
  health.breachList = breachList.get();
  HealthReport report;
  try {
    report = AnalyzeHealth(opened.tree, health);
  } catch (const EBreachListError& error) {
    throw ListError(options.breachList, error);  // met in the middle of the list
  }
  if (options.json)
    WriteJson(report, out);
  else
    WriteTable(report, breachList != nullptr, out);
}

}  // namespace bv::cli
