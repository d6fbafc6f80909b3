#pragma once
// The length field of the password generator. Typed characters other than the digits are
// discarded; the up-down arrows step the value within 4..255; a typed value is taken as it
// stands, except that lengths above 255 are cut to 255. An empty field, or a number too
// large for a 32-bit integer, is refused with a built-in text.

#include <optional>
#include <string>
#include <string_view>

namespace bv {

inline constexpr int kMinPasswordLength = 4;    // lower end of the up-down arrows
inline constexpr int kMaxPasswordLength = 255;  // upper end, and the cut for typed values
inline constexpr int kDefaultPasswordLength = 4;

// What the field keeps of typed text: its digits.
[[nodiscard]] std::string KeepDigits(std::string_view typed);

// The length that Generar uses: nothing when the text is not a 32-bit decimal integer
// made of digits only; values above 255 give 255.
[[nodiscard]] std::optional<int> ReadPasswordLength(std::string_view fieldText);

// The refusal of a text that is not an integer: "'%s' no es un valor entero válido"
// (Windows-1252).
[[nodiscard]] std::string NotAnIntegerText(std::string_view fieldText);

// The value after one step of the arrows (delta +1 or -1) from the field's text, kept
// within 4..255; a text that is not a number, or one below 4, gives 4.
[[nodiscard]] int StepPasswordLength(std::string_view fieldText, int delta);

}  // namespace bv
