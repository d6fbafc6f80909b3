#pragma once
// TCipher_Blowfish: Blowfish (Schneier, 1993) in the cipher framework. 8-byte blocks whose
// halves are big-endian 32-bit words, keys of up to 56 bytes, 16 rounds.

#include <memory>
#include <string_view>

#include "crypto/Cipher.h"

namespace bv {

class TCipher_Blowfish : public TCipher {
 public:
  // The schedule holds the four S-boxes (4096 bytes), then the 18 P entries (72 bytes).
  static constexpr int kSBoxWords = 4 * 256;
  static constexpr int kPEntries = 18;

  // An empty password leaves the cipher unkeyed.
  explicit TCipher_Blowfish(std::string_view password = {},
                            std::shared_ptr<TProtection> next = nullptr);
  const char* ClassName() const override { return "TCipher_Blowfish"; }
  static TCipherSizes QuerySizes() { return {8, 56, 4 * (kSBoxWords + kPEntries)}; }

  void EncipherBlock(void* block) override;
  void DecipherBlock(void* block) override;
  void Init(const void* key, std::size_t length, const void* vector) override;
};

}  // namespace bv
