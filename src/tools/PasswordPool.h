#pragma once
// The character tables of the password generator, the pool that the options compose from
// them, and the drawing of a password from that pool.
//
// Each table holds every character of its class exactly once; their order is part of the
// program. "Mixed case" draws the case of each character at random (it does not alternate).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "tools/RandomSource.h"

namespace bv {

enum class LetterCase {
  Lower,
  Upper,
  Mixed
};  // Op_Text1, Op_Text2, Op_Text3

inline constexpr std::string_view kLowerAndDigits = "klghi2er3ouvyzjx9cdq561ab40ptw78fmns";
inline constexpr std::string_view kUpperAndDigits = "AHZ1IPQDJKT78VL9NOBC02345URS6YMXWFGE";
inline constexpr std::string_view kMixedAndDigits =
    "abZ123ijklcHIJKLM4FmOP56NefuvwxghUGESRpqrstTVWXYdnoBCQDyzA7890";
inline constexpr std::string_view kLowerOnly = "iafptugqkrhjsnecymvdwzoxlb";
inline constexpr std::string_view kUpperOnly = "GFKELJNOVWHIUYZBSCADPXTMQR";
inline constexpr std::string_view kMixedOnly =
    "azAfvijwxCDEkyghVJKBlIbYstuHZnFGocdeOPULQrNWXRSTMmpq";
inline constexpr std::string_view kDigitsOnly = "8712504936";

// The built-in special characters offered in the dialog.
inline constexpr std::string_view kDefaultSpecials = ".-_@#$%&\\/";

struct PoolOptions {
  bool letters = true;
  bool digits = true;
  LetterCase letterCase = LetterCase::Mixed;  // ignored without letters
  bool specials = false;
  std::string specialChars;  // appended as typed, duplicates included (Windows-1252)
};

// The table chosen by letters, digits and case; empty when neither letters nor digits.
[[nodiscard]] std::string_view BaseTable(bool letters, bool digits, LetterCase letterCase);

// The whole pool, or nothing when neither letters nor digits are chosen (the generator
// then produces nothing, whatever the special characters).
[[nodiscard]] std::optional<std::string> ComposePool(const PoolOptions& options);

// length characters, each drawn uniformly from the positions of pool (which must not be
// empty unless length is 0).
[[nodiscard]] std::string GeneratePassword(std::string_view pool, std::size_t length,
                                           RandomSource& random);

}  // namespace bv
