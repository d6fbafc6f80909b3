#include "crypto/FieldCipher.h"

#include "crypto/Blowfish.h"
#include "crypto/Bytes.h"
#include "crypto/FormatRegistry.h"

namespace bv {

std::string EncipherField(std::string_view text, std::string_view key) {
  TCipher_Blowfish cipher(key);
  cipher.SetMode(cmMode0);
  return cipher.ProcessText(text, actEncipher, kFormatIdXX);
}

std::string DecipherField(std::string_view text, std::string_view key) {
  TCipher_Blowfish cipher(key);
  cipher.SetMode(cmMode0);
  return cipher.ProcessText(text, actDecipher, kFormatIdXX);
}

std::size_t EncipheredLength(std::size_t n) {
  return n == 0 ? 0 : (n + 44) / 45 + 4 * ((n + 2) / 3);
}

FieldCipher::FieldCipher(std::string_view key) : cipher_(std::make_unique<TCipher_Blowfish>(key)) {
  cipher_->SetMode(cmMode0);
}

FieldCipher::~FieldCipher() = default;

// The same steps as ProcessText without its stream and chunk buffer: the checks and chain
// resets of StartAction and FinishAction around one call of the mode-0 chaining.
std::string FieldCipher::Encipher(std::string_view text) {
  if (text.empty()) return {};
  cipher_->StartAction(actEncipher);
  std::string bytes(text);
  cipher_->EncipherBuffer(bytes.data(), bytes.data(), bytes.size());
  cipher_->FinishAction(actEncipher);
  return EncodeToFormat(bytes, kFormatIdXX);
}

std::string FieldCipher::Decipher(std::string_view text) {
  if (text.empty()) return {};
  std::string bytes = DecodeFromFormat(text, kFormatIdXX);
  cipher_->StartAction(actDecipher);
  cipher_->DecipherBuffer(bytes.data(), bytes.data(), bytes.size());
  cipher_->FinishAction(actDecipher);
  return bytes;
}

}  // namespace bv
