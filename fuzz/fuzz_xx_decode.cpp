// Arbitrary text through the XX and UU decoders and the field decipher. Our own exceptions
// are the expected way to refuse input; anything else (a crash, a sanitizer report, a broken
// round trip, the one-text and whole-record decipher paths disagreeing) is a fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

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

// The texts of one record at once (the input cut at line breaks, as many texts as a record
// holds) must give what each text gives alone.
void CheckRecordCalls(std::string_view input, bv::FieldCipher& cipher) {
  std::vector<std::string_view> texts;
  while (texts.size() < 11) {
    const std::size_t end = input.find('\n');
    texts.push_back(input.substr(0, end));
    if (end == std::string_view::npos) break;
    input.remove_prefix(end + 1);
  }
  std::vector<std::string> results(texts.size());
  std::vector<std::string*> out;
  for (std::string& result : results) out.push_back(&result);
  const bool allDeciphered = cipher.DecipherEach(texts, out);

  bool expectAll = true;
  std::vector<std::string_view> plains;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::string alone = DecipherOrMark(texts[i], &cipher);
    const bool failed = alone == "<format>" || alone == "<cipher>";
    expectAll = expectAll && !failed;
    if (results[i] != (failed ? std::string() : alone)) std::abort();
    plains.push_back(results[i]);
  }
  if (allDeciphered != expectAll) std::abort();
  if (cipher.DeciphersTo(texts, plains) != expectAll) std::abort();
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
  CheckRecordCalls(text, reused);
  return 0;
}
