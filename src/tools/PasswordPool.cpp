#include "tools/PasswordPool.h"

#include <stdexcept>

namespace bv {

std::string_view BaseTable(bool letters, bool digits, LetterCase letterCase) {
  if (!letters) return digits ? kDigitsOnly : std::string_view{};
  switch (letterCase) {
    case LetterCase::Lower: return digits ? kLowerAndDigits : kLowerOnly;
    case LetterCase::Upper: return digits ? kUpperAndDigits : kUpperOnly;
    case LetterCase::Mixed: break;
  }
  return digits ? kMixedAndDigits : kMixedOnly;
}

std::optional<std::string> ComposePool(const PoolOptions& options) {
  const std::string_view base = BaseTable(options.letters, options.digits, options.letterCase);
  if (base.empty()) return std::nullopt;
  std::string pool(base);
  if (options.specials) pool += options.specialChars;
  return pool;
}

std::string GeneratePassword(std::string_view pool, std::size_t length, RandomSource& random) {
  if (length == 0) return {};
  if (pool.empty()) throw std::invalid_argument("empty character pool");
  std::string password;
  password.reserve(length);
  const auto size = static_cast<std::uint32_t>(pool.size());
  for (std::size_t i = 0; i < length; ++i) password += pool[random.Below(size)];
  return password;
}

}  // namespace bv
