// Arbitrary text as the JSON of `brindlevault-cli create`. ECliError is the expected refusal;
// anything else is a fault, and so is a tree whose own dump does not read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "cli/CliError.h"
#include "cli/TreeJson.h"

namespace {

std::string Dumped(const bv::TProfileHeader& header, const bv::ProfileTree& tree) {
  std::ostringstream out;
  bv::cli::WriteProfileJson(out, header, tree);
  return out.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  bv::TProfileHeader header;
  bv::ProfileTree tree;
  try {
    bv::cli::ReadProfileJson(text, header, tree);
  } catch (const bv::cli::ECliError&) {
    return 0;
  }
  const std::string dump = Dumped(header, tree);
  bv::TProfileHeader headerAgain;
  bv::ProfileTree treeAgain;
  bv::cli::ReadProfileJson(dump, headerAgain, treeAgain);
  if (treeAgain.Count() != tree.Count() || Dumped(headerAgain, treeAgain) != dump) std::abort();
  return 0;
}
