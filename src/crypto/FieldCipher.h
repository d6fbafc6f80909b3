#pragma once
// The field cipher: one text field enciphered with the master password.
// Blowfish keyed with RIPEMD-256(key), chaining mode 0 from the enciphered all-0xFF block,
// the ciphertext written as XX text. Deterministic; a plain text of n bytes gives
// L(n) = ceil(n/45) + 4*ceil(n/3) characters (0 for n = 0).

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace bv {

class TCipher_Blowfish;

// Each call keys a fresh cipher. Throws ECipherException (code 3) for an empty key with a
// non-empty text; DecipherField throws EStringFormat for text that is not valid XX.
std::string EncipherField(std::string_view text, std::string_view key);
std::string DecipherField(std::string_view text, std::string_view key);

// Length of the enciphered form of a plain text of n bytes.
std::size_t EncipheredLength(std::size_t n);

// One keyed cipher reused for many fields (a whole load or save): the same bytes as the
// per-call functions, because the chain is reset to the vector before every text.
class FieldCipher {
 public:
  explicit FieldCipher(std::string_view key);
  ~FieldCipher();
  FieldCipher(const FieldCipher&) = delete;
  FieldCipher& operator=(const FieldCipher&) = delete;

  std::string Encipher(std::string_view text);
  std::string Decipher(std::string_view text);

 private:
  std::unique_ptr<TCipher_Blowfish> cipher_;
};

}  // namespace bv
