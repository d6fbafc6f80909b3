#include "crypto/Exceptions.h"

namespace bv {

namespace {

// Replaces the single "%s" of a message template.
std::string Substitute(std::string_view pattern, std::string_view value) {
  std::string text(pattern);
  if (const auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, value);
  return text;
}

}  // namespace

ECipherException CipherNotInitialized(std::string_view className) {
  return ECipherException(
      kCipherErrorNotInitialized,
      Substitute("%s is not initialized call Init() or InitKey() before.", className));
}

EProtection CircularProtection() {
  return EProtection("Circular Protection detected, Protection Object is invalid.");
}

EStringFormat FormatNotExists(std::int32_t formatId) {
  return EStringFormat("String Format \"" + std::to_string(formatId) + "\" not exists.");
}

EStringFormat InvalidFormatInput(std::string_view formatName) {
  return EStringFormat(Substitute("Input is not an valid %s Format.", formatName));
}

EStringFormat InconvertibleFormatInput(std::string_view formatName) {
  return EStringFormat(Substitute("Input can not be convert to %s Format.", formatName));
}

}  // namespace bv
