#include "export/CsvExport.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <span>
#include <string_view>
#include <vector>

#include "config/Cp1252.h"
#include "crypto/WipedText.h"
#include "export/CsvColumns.h"
#include "export/CsvFormat.h"
#include "export/GroupPath.h"
#include "files/FileReplacement.h"
#include "files/InOutError.h"
#include "tools/OneTimeCode.h"

namespace bv {
namespace {

constexpr std::size_t kWrittenColumns = kCsvColumnCount + 1;  // and TOTP
constexpr std::size_t kTotpAt = kCsvTotpAfter + 1;

// One row: the Group text, then the node's fields in column order (all empty but the
// description for a category or group). An account's seed line goes into the TOTP column.
void AppendRow(std::string& out, const std::string& group, const TNodeData& data) {
  std::array<std::string, kWrittenColumns> texts;
  std::array<std::string_view, kWrittenColumns> values;
  texts[0] = group;
  for (std::size_t k = 1; k < kCsvColumnCount; ++k) {
    std::string_view field = data.*kCsvColumns[k].member;
    if (!data.IsAccount && kCsvColumns[k].member != &TNodeData::Description) continue;
    if (kCsvColumns[k].member == &TNodeData::Notes) {
      // An empty seed would not come back as a line: it stays in the notes.
      const auto seed = SeedLineOf(field);
      if (seed && !seed->empty()) {
        texts[kTotpAt] = Cp1252ToUtf8(*seed);
        field = NotesWithoutSeed(field);
      }
    }
    texts[k < kTotpAt ? k : k + 1] = Cp1252ToUtf8(field);
  }
  for (std::size_t k = 0; k < kWrittenColumns; ++k) values[k] = texts[k];
  AppendCsvRecord(out, values);
  for (std::string& text : texts) WipeString(text);
}

}  // namespace

std::string ProfileCsv(const ProfileTree& tree, CsvRows rows) {
  std::string out;
  out.reserve(256 + tree.Count() * 160);
  std::array<std::string_view, kWrittenColumns> header;
  for (std::size_t k = 0; k < kCsvColumnCount; ++k)
    header[k < kTotpAt ? k : k + 1] = kCsvColumns[k].header;
  header[kTotpAt] = kCsvTotpHeader;
  AppendCsvRecord(out, header);

  // paths[d]: the Group text of a node at depth d (its parents' path), in UTF-8.
  std::vector<std::string> paths(1);
  tree.ForEachPreOrder([&](const TreeNode& node, int depth) {
    const auto d = static_cast<std::size_t>(depth);
    if (paths.size() < d + 2) paths.resize(d + 2);
    std::string& own = paths[d + 1];
    own = paths[d];
    AppendPathStep(own, Cp1252ToUtf8(node.data.Name), node.data.Kind(), depth);
    if (node.data.IsAccount)
      AppendRow(out, depth == 0 ? std::string(kTopPath) : paths[d], node.data);
    else if (rows == CsvRows::FullTree && (!node.data.Description.empty() || node.children.empty()))
      AppendRow(out, own + "/", node.data);
  });
  return out;
}

void WriteProfileCsv(const std::filesystem::path& path, const ProfileTree& tree, CsvRows rows) {
  std::string text = ProfileCsv(tree, rows);
  const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  try {
    FileReplacement replacement(path, 0);
    FileHandle& file = replacement.Temp();
    file.WriteAll(bytes);
    // Every password in clear: owner only, whatever the file it replaces allowed.
    replacement.Seal(FileReplacement::Access::OwnerOnly);
    std::vector<std::uint8_t> back(bytes.size());
    file.ReadAt(0, back);
    const bool same = std::equal(back.begin(), back.end(), bytes.begin());
    WipeBytes(back.data(), 0, back.size());
    if (!same || file.Size() != bytes.size()) throw EInOutError::FromErrno(EIO);
    replacement.Commit();
  } catch (...) {
    WipeString(text);
    throw;
  }
  WipeString(text);
}

}  // namespace bv
