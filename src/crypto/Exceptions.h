#pragma once
// The failures of the cipher library. Their messages are part of the program's behaviour
// (they reach the user through the general error handler), so they are kept word for word.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace bv {

// A protection object is unusable (circular Next chain).
class EProtection : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A cipher failure with an error code; code 3 means the cipher is not keyed.
class ECipherException : public EProtection {
 public:
  ECipherException(std::int32_t errorCode, const std::string& message)
      : EProtection(message), errorCode_(errorCode) {}
  std::int32_t ErrorCode() const noexcept { return errorCode_; }

 private:
  std::int32_t errorCode_;
};

// A text that cannot be converted to or from a text format.
class EStringFormat : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr std::int32_t kCipherErrorNotInitialized = 3;

[[nodiscard]] ECipherException CipherNotInitialized(std::string_view className);
[[nodiscard]] EProtection CircularProtection();
[[nodiscard]] EStringFormat FormatNotExists(std::int32_t formatId);
[[nodiscard]] EStringFormat InvalidFormatInput(std::string_view formatName);        // decoding
[[nodiscard]] EStringFormat InconvertibleFormatInput(std::string_view formatName);  // encoding

}  // namespace bv
