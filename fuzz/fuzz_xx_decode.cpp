// Arbitrary text through the XX and UU decoders and the field decipher. Our own exceptions
// are the expected way to refuse input; anything else (a crash, a sanitizer report, a broken
// round trip, the two decipher paths disagreeing) is a fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "crypto/Exceptions.h"
#include "crypto/FieldCipher.h"
#include "crypto/FormatRegistry.h"

namespace {

// Decoded bytes must survive encoding and decoding again unchanged.
void CheckDecode(std::string_view text, std::int32_t formatId) {
  std::string bytes;
  try {
    bytes = bv::DecodeFromFormat(text, formatId);
  } catch (const bv::EStringFormat&) {
    return;
  }
  if (bv::DecodeFromFormat(bv::EncodeToFormat(bytes, formatId), formatId) != bytes) std::abort();
}

std::string DecipherOrMark(std::string_view text, bv::FieldCipher* reused) {
  try {
    return reused != nullptr ? reused->Decipher(text) : bv::DecipherField(text, "fuzz key");
  } catch (const bv::EStringFormat&) {
    return "<format>";
  } catch (const bv::ECipherException&) {
    return "<cipher>";
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckDecode(text, bv::kFormatIdXX);
  CheckDecode(text, bv::kFormatIdUU);

  static bv::FieldCipher reused("fuzz key");
  const std::string fresh = DecipherOrMark(text, nullptr);
  if (DecipherOrMark(text, &reused) != fresh) std::abort();
  if (fresh != "<format>" && fresh != "<cipher>" &&
      bv::EncipherField(fresh, "fuzz key").size() != bv::EncipheredLength(fresh.size())) {
    std::abort();
  }
  return 0;
}
