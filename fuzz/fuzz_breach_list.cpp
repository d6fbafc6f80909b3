// Arbitrary files as the offline list of breached passwords. EBreachListError is the expected
// refusal; anything else is a fault. A list that opens must answer every look-up, by a count
// or by that refusal, for a hash it holds and for the first and last hashes there are.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "FuzzInput.h"
#include "tools/BreachList.h"

namespace {

void LookUp(const bv::BreachList& list, const bv::Sha1Digest& digest) {
  try {
    (void)list.TimesSeen(digest);
  } catch (const bv::EBreachListError&) {}
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const bv::fuzz::MemoryFile file(data, size);
  try {
    const bv::BreachList list(file.Path());
    bv::Sha1Digest digest{};
    LookUp(list, digest);
    digest.fill(0xFF);
    LookUp(list, digest);
    // A hash the input names, when its first bytes read as one.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (std::size_t k = 0; k < digest.size() && 2 * k + 1 < text.size(); ++k) {
      const auto nibble = [](char c) { return c <= '9' ? c - '0' : (c & 0x0F) + 9; };
      digest[k] = static_cast<std::uint8_t>(nibble(text[2 * k]) * 16 + nibble(text[2 * k + 1]));
    }
    LookUp(list, digest);
  } catch (const bv::EBreachListError&) {}
  return 0;
}
