// Arbitrary names of files beside a profile, as a sync tool's conflict copy of it, and of the
// copy the merge names after a node. Neither may fail; a name the merge gives must fit where
// every name survives a save.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "files/ConflictCopies.h"
#include "profile/ConflictName.h"
#include "profile/MergeFields.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  // The first line is the profile's name, the rest the candidate (or the pattern).
  const std::size_t end = input.find('\n');
  const std::string_view first = input.substr(0, end);
  const std::string_view rest = end == std::string_view::npos ? "" : input.substr(end + 1);

  (void)bv::ConflictCopyTool(first, rest);
  (void)bv::ConflictCopyTool("P.bv3", input);
  (void)bv::ConflictCopyTool(input, "P.bv3");

  const std::string named = bv::ConflictCopyName(first, rest);
  if (named.size() > bv::kTextFields[bv::kNameField].survivingLength) std::abort();
  return 0;
}
