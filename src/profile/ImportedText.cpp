#include "profile/ImportedText.h"

#include "config/Cp1252.h"

namespace bv {

ImportedText ImportText(std::string_view utf8, std::size_t maxLength) {
  ImportedText result;
  auto bytes = Utf8ToCp1252(utf8);
  if (!bytes) {
    result.refusal = TextRefusal::NotCp1252;
    result.reason = "holds a character without a Windows-1252 form";
  } else if (bytes->size() > maxLength) {
    result.refusal = TextRefusal::TooLong;
    result.reason = "too long (" + std::to_string(bytes->size()) + " characters; at most " +
                    std::to_string(maxLength) + " survive in a profile)";
  } else {
    result.bytes = std::move(*bytes);
  }
  return result;
}

}  // namespace bv
