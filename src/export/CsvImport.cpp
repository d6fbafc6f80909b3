#include "export/CsvImport.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "browser/NodeEditing.h"
#include "export/CsvColumns.h"
#include "export/CsvFormat.h"
#include "export/GroupPath.h"
#include "profile/ImportedText.h"

namespace bv {
namespace {

using Reason = ECsvImportError::Reason;

constexpr std::size_t kGroupColumn = 0;
constexpr std::size_t kTitleColumn = 1;
constexpr int kIgnored = -1;
constexpr int kKeePassXcOnly = -2;  // ignored, but tells a KeePassXC file
constexpr int kTotp = -3;           // the one-time password seed, kept in the notes

// Header names of the other managers, lower case, and the column of ours they fill.
constexpr std::pair<const char*, int> kAliases[] = {
    {"folder", 0},
    {"name", 1},
    {"login_username", 2},
    {"login_password", 3},
    {"login_uri", 4},
    {"fields", 6},
    {"totp", kTotp},
    {"login_totp", kTotp},
    {"icon", kKeePassXcOnly},
    {"last modified", kKeePassXcOnly},
    {"created", kKeePassXcOnly},
};

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::string HeaderName(std::string_view header) {
  std::string name = Lower(header);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  name.erase(0, std::min(name.find_first_not_of(' '), name.size()));
  return name;
}

int TargetOf(std::string_view header) {
  const std::string name = HeaderName(header);
  for (std::size_t k = 0; k < kCsvColumnCount; ++k)
    if (name == Lower(kCsvColumns[k].header)) return static_cast<int>(k);
  for (const auto& [alias, target] : kAliases)
    if (name == alias) return target;
  return kIgnored;
}

std::size_t SurvivingLength(std::string TNodeData::*member) {
  for (const auto& field : kTextFields)
    if (field.member == member) return field.survivingLength;
  return 0;
}

const std::size_t kNameLength = SurvivingLength(&TNodeData::Name);
const std::size_t kNotesLength = SurvivingLength(&TNodeData::Notes);

// Line ends as the dialogs type them: CR LF, whether the file had LF, CR or CR LF.
std::string WithCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "\r\n";
    } else {
      out += text[i];
    }
  }
  return out;
}

[[noreturn]] void Malformed(std::size_t line, const std::string& what) {
  throw ECsvImportError(Reason::Malformed, "line " + std::to_string(line) + ": " + what);
}

// Where the columns of ours are in the file.
struct Layout {
  std::array<std::optional<std::size_t>, kCsvColumnCount> at;
  std::optional<std::size_t> totp;
  std::vector<std::string> headers;
  bool keePassXc = false;
};

Layout ReadHeader(const CsvRecord& header) {
  Layout layout;
  layout.headers = header.values;
  bool ours = false;
  for (std::size_t k = 0; k < header.values.size(); ++k) {
    const int target = TargetOf(header.values[k]);
    if (target == kKeePassXcOnly || HeaderName(header.values[k]) == "totp") layout.keePassXc = true;
    // Our own columns (not their aliases: Bitwarden's "fields" fills the description).
    for (std::size_t own = kCsvOwnColumnsFrom; own < kCsvColumnCount; ++own)
      if (HeaderName(header.values[k]) == Lower(kCsvColumns[own].header)) ours = true;
    if (target < 0 && target != kTotp) continue;
    auto& slot = target == kTotp ? layout.totp : layout.at[static_cast<std::size_t>(target)];
    if (slot)
      Malformed(header.line, "the columns \"" + header.values[*slot] + "\" and \"" +
                                 header.values[k] + "\" hold the same field");
    slot = k;
  }
  if (!layout.at[kTitleColumn]) Malformed(header.line, "the header has no column Title (or name)");
  // Our own file has a TOTP column too, and no root group to leave out.
  if (ours) layout.keePassXc = false;
  return layout;
}

// Builds the tree row by row.
class TreeBuilder {
 public:
  ProfileTree Take() { return std::move(tree_); }

  TreeNode* Resolve(TreeNode* parent, const PathStep& step) {
    if (step.kind == NodeKind::Account) {
      if (const auto found = accounts_.find({parent, step.name}); found != accounts_.end())
        return found->second;
      TNodeData account = TNodeData::Create(NodeKind::Account, kNewAccountPicture);
      account.Name = step.name;
      return AddAccount(parent, std::move(account));
    }
    auto& named = containers_[step.kind == NodeKind::Category ? 0 : 1];
    const auto [at, added] = named.try_emplace({parent, step.name}, nullptr);
    if (added) {
      TNodeData data = TNodeData::Create(step.kind, kNewCategoryPicture);
      data.Name = step.name;
      at->second = tree_.Append(parent, std::move(data));
    }
    return at->second;
  }

  TreeNode* AddAccount(TreeNode* parent, TNodeData account) {
    TreeNode* node = tree_.Append(parent, account);
    accounts_[{parent, std::move(account.Name)}] = node;  // the latest of that name
    return node;
  }

 private:
  using Key = std::pair<const TreeNode*, std::string>;
  ProfileTree tree_;
  std::map<Key, TreeNode*> containers_[2];  // categories, groups
  std::map<Key, TreeNode*> accounts_;
};

class RowReader {
 public:
  RowReader(const Layout& layout, const CsvRecord& row) : layout_(layout), row_(row) {}

  // The text in the file's column at (empty past the end of a short row).
  std::string_view Cell(std::optional<std::size_t> at) const {
    return at && *at < row_.values.size() ? std::string_view(row_.values[*at]) : std::string_view();
  }
  std::string_view Raw(std::size_t column) const { return Cell(layout_.at[column]); }

  // The value of a column of ours as the profile keeps it.
  std::string Text(std::size_t column, std::size_t maxLength, const char* what = nullptr) const {
    return Checked(Raw(column), *layout_.at[column], maxLength, what);
  }

  // utf8, found in the file's column at, as the profile keeps it: Windows-1252, CR LF line
  // ends, at most maxLength characters.
  std::string Checked(std::string_view utf8, std::size_t at, std::size_t maxLength,
                      const char* what) const {
    ImportedText text = ImportText(WithCrLf(utf8), maxLength);
    if (text.refusal == TextRefusal::None) return std::move(text.bytes);
    Refuse(at, text.refusal == TextRefusal::TooLong ? Reason::TooLong : Reason::NotCp1252,
           (what ? std::string(what) + " " : std::string()) + text.reason);
  }

  [[noreturn]] void Refuse(std::size_t at, Reason reason, const std::string& why) const {
    throw ECsvImportError(reason, "row " + std::to_string(row_.number) + " (line " +
                                      std::to_string(row_.line) + "), column \"" +
                                      layout_.headers[at] + "\": " + why);
  }

 private:
  const Layout& layout_;
  const CsvRecord& row_;
};

// A one-time password seed becomes the last line of the notes, "TOTP: " and the value, so
// that a migration never drops it; refused when the notes cannot hold it.
void KeepTotp(const Layout& layout, const RowReader& reader, std::string& notes) {
  const std::string_view raw = reader.Cell(layout.totp);
  if (raw.empty()) return;
  const std::string line =
      kTotpNotesLabel + reader.Checked(raw, *layout.totp, kNotesLength, nullptr);
  // Notes that already end with this very line (a file written by hand, say) keep one.
  if (notes == line || notes.ends_with("\r\n" + line)) return;
  const std::size_t length = notes.size() + (notes.empty() ? 0 : 2) + line.size();
  if (length > kNotesLength)
    reader.Refuse(*layout.totp, Reason::TooLong,
                  "the notes with the line \"" + std::string(kTotpNotesLabel) +
                      "...\" added too long (" + std::to_string(length) + " characters; at most " +
                      std::to_string(kNotesLength) + " survive in a profile)");
  if (!notes.empty()) notes += "\r\n";
  notes += line;
}

void ReadRow(const Layout& layout, const CsvRecord& row, TreeBuilder& builder) {
  if (row.values.size() > layout.headers.size())
    Malformed(row.line, "row " + std::to_string(row.number) + " has " +
                            std::to_string(row.values.size()) + " values, the header " +
                            std::to_string(layout.headers.size()));
  const RowReader reader(layout, row);

  TNodeData account = TNodeData::Create(NodeKind::Account, kNewAccountPicture);
  bool onlyDescription = true;
  for (std::size_t k = 1; k < kCsvColumnCount; ++k) {
    if (!layout.at[k]) continue;
    std::string TNodeData::*member = kCsvColumns[k].member;
    account.*member = reader.Text(k, SurvivingLength(member));
    if (member != &TNodeData::Description && !(account.*member).empty()) onlyDescription = false;
  }
  KeepTotp(layout, reader, account.Notes);
  if (!account.Notes.empty()) onlyDescription = false;

  GroupPath path = ParseGroupPath(reader.Raw(kGroupColumn));
  for (PathStep& step : path.steps)
    step.name = reader.Checked(step.name, *layout.at[kGroupColumn], kNameLength, "a name");
  if (layout.keePassXc) DropFirstStep(path);
  const bool ownRow = path.ownRow && onlyDescription;
  if (path.ownRow && !ownRow)  // an account in a group without a name
    path.steps.push_back({"", path.steps.empty() ? NodeKind::Category : NodeKind::Group, false});
  if (ownRow && path.steps.empty()) return;

  TreeNode* parent = nullptr;
  if (path.steps.empty() && !path.top)
    parent = builder.Resolve(nullptr, {kImportedCategoryName, NodeKind::Category, false});
  for (const PathStep& step : path.steps) parent = builder.Resolve(parent, step);
  if (ownRow)
    parent->data.Description = std::move(account.Description);
  else
    builder.AddAccount(parent, std::move(account));
}

}  // namespace

ProfileTree ReadProfileCsv(std::string_view text) {
  TreeBuilder builder;
  try {
    CsvReader reader(text);
    CsvRecord record;
    if (!reader.Next(record)) Malformed(1, "the file holds no header");
    const Layout layout = ReadHeader(record);
    while (reader.Next(record)) ReadRow(layout, record, builder);
  } catch (const ECsvSyntaxError& error) {
    Malformed(error.line(), error.what());
  }
  return builder.Take();
}

}  // namespace bv
