// Arbitrary text through the CSV import. ECsvImportError is the expected refusal; anything
// else is a fault, and so is a tree read from CSV whose own full export does not read back
// with as many accounts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "export/CsvExport.h"
#include "export/CsvImport.h"

namespace {

std::size_t Accounts(const bv::ProfileTree& tree) {
  std::size_t count = 0;
  tree.ForEachPreOrder([&](const bv::TreeNode& node, int) { count += node.data.IsAccount; });
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  bv::ProfileTree tree;
  try {
    tree = bv::ReadProfileCsv(text);
  } catch (const bv::ECsvImportError&) {
    return 0;
  }
  const bv::ProfileTree again = bv::ReadProfileCsv(bv::ProfileCsv(tree, bv::CsvRows::FullTree));
  if (Accounts(again) != Accounts(tree)) std::abort();
  return 0;
}
