#pragma once
// TCipher_Blowfish: Blowfish (Schneier, 1993) in the cipher framework. 8-byte blocks whose
// halves are big-endian 32-bit words, keys of up to 56 bytes, 16 rounds.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "crypto/Cipher.h"

namespace bv {

// One 8-byte block as its two big-endian halves.
struct BlockHalves {
  std::uint32_t left = 0;
  std::uint32_t right = 0;
};

class TCipher_Blowfish : public TCipher {
 public:
  // The schedule holds the four S-boxes (4096 bytes), then the 18 P entries (72 bytes).
  static constexpr int kSBoxWords = 4 * 256;
  static constexpr int kPEntries = 18;

  // An empty password leaves the cipher unkeyed.
  explicit TCipher_Blowfish(std::string_view password = {},
                            std::shared_ptr<TProtection> next = nullptr);
  const char* ClassName() const override { return "TCipher_Blowfish"; }
  static CipherSizes QuerySizes() { return {8, 56, 4 * (kSBoxWords + kPEntries)}; }

  void EncipherBlock(void* block) override;
  void DecipherBlock(void* block) override;
  void Init(const void* key, std::size_t length, const void* vector) override;

  // Many blocks that do not depend on each other, in place. One block is a chain of rounds
  // that each wait on table look-ups; running the rounds of several blocks side by side
  // keeps the processor busy during those waits. Up to kLanes blocks cost about as much as
  // one.
  static constexpr std::size_t kLanes = 4;
  void EncipherBlocks(BlockHalves* blocks, std::size_t count) const;
  void DecipherBlocks(BlockHalves* blocks, std::size_t count) const;
};

}  // namespace bv
