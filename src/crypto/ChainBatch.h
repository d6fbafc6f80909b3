#pragma once
// Mode-0 chaining of several texts at once over one keyed Blowfish. Each text gets the bytes
// that TCipher::EncipherBuffer or DecipherBuffer give it starting from the vector, but the
// Blowfish work goes to the cipher in groups of independent blocks: enciphering, blocks of
// one text depend on each other, so each group takes the next block of several texts;
// deciphering, every block's input is known up front, so all of them go together.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "crypto/Blowfish.h"

namespace bv {

// One text inside a shared byte buffer.
struct TextSpan {
  std::size_t offset = 0;
  std::size_t size = 0;
};

class ChainBatch {
 public:
  // The cipher must be keyed whenever a text is not empty, and must outlive the batch.
  explicit ChainBatch(const TCipher_Blowfish& cipher) : cipher_(cipher) {}
  ChainBatch(const ChainBatch&) = delete;
  ChainBatch& operator=(const ChainBatch&) = delete;

  // Each text of bytes, in place.
  void Encipher(std::uint8_t* bytes, std::span<const TextSpan> texts);
  void Decipher(std::uint8_t* bytes, std::span<const TextSpan> texts);

 private:
  // A text being enciphered: where its next block is, what is left, its feedback register.
  struct Chain {
    std::uint8_t* at;
    std::size_t fullBlocks;
    std::size_t tail;
    BlockHalves feedback;
  };
  // Where a deciphered block goes: XORed with mask into the 8 bytes at at. For a tail, mask
  // is the block to encipher and the first size bytes of the result are XORed into the text.
  struct Destination {
    std::uint8_t* at;
    std::size_t size;
    BlockHalves mask;
  };

  BlockHalves Vector() const;

  const TCipher_Blowfish& cipher_;
  std::vector<Chain> chains_;
  std::vector<BlockHalves> blocks_;
  std::vector<Destination> destinations_;
  std::vector<Destination> tails_;
};

}  // namespace bv
