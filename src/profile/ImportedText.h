#pragma once
// A text that comes from outside the program (UTF-8: JSON, CSV) checked against what a
// profile can hold: Windows-1252 characters only, and no longer than the field keeps
// readable after a save and a load. Such a value is refused rather than cut.

#include <cstddef>
#include <string>
#include <string_view>

namespace bv {

enum class TextRefusal {
  None,
  NotCp1252,
  TooLong
};

struct ImportedText {
  std::string bytes;  // Windows-1252, when not refused
  TextRefusal refusal = TextRefusal::None;
  std::string reason;  // for the user, when refused: "too long (120 characters; ...)"
};

[[nodiscard]] ImportedText ImportText(std::string_view utf8, std::size_t maxLength);

}  // namespace bv
