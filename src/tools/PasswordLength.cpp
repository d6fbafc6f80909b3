#include "tools/PasswordLength.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace bv {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::string KeepDigits(std::string_view typed) {
  std::string digits;
  for (char c : typed)
    if (IsDigit(c)) digits += c;
  return digits;
}

std::optional<int> ReadPasswordLength(std::string_view fieldText) {
  if (fieldText.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (char c : fieldText) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  }
  return static_cast<int>(std::min<std::int64_t>(value, kMaxPasswordLength));
}

std::string NotAnIntegerText(std::string_view fieldText) {
  return "'" + std::string(fieldText) + "' no es un valor entero v\xE1lido";
}

int StepPasswordLength(std::string_view fieldText, int delta) {
  // ReadPasswordLength already cuts large values to the upper end.
  const std::optional<int> current = ReadPasswordLength(fieldText);
  if (!current || *current < kMinPasswordLength) return kMinPasswordLength;
  return std::clamp(*current + delta, kMinPasswordLength, kMaxPasswordLength);
}

}  // namespace bv
