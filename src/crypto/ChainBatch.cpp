#include "crypto/ChainBatch.h"

#include <algorithm>

#include "crypto/Bytes.h"
#include "crypto/WordIo.h"

namespace bv {
namespace {

inline BlockHalves Load(const std::uint8_t* at) {
  return {LoadBigEndian32(at), LoadBigEndian32(at + 4)};
}

inline void Store(std::uint8_t* at, BlockHalves block) {
  StoreBigEndian32(at, block.left);
  StoreBigEndian32(at + 4, block.right);
}

inline BlockHalves Xor(BlockHalves a, BlockHalves b) {
  return {a.left ^ b.left, a.right ^ b.right};
}

// The last, partial block of a text: its size bytes XOR the first bytes of the key stream.
inline void XorTail(std::uint8_t* at, std::size_t size, BlockHalves stream) {
  const std::uint64_t bits = std::uint64_t{stream.left} << 32 | stream.right;
  for (std::size_t i = 0; i < size; ++i) at[i] ^= static_cast<std::uint8_t>(bits >> (56 - 8 * i));
}

}  // namespace

BlockHalves ChainBatch::Vector() const { return Load(cipher_.Vector().data()); }

void ChainBatch::Encipher(std::uint8_t* bytes, std::span<const TextSpan> texts) {
  const BlockHalves vector = Vector();
  chains_.clear();
  for (const TextSpan& text : texts)
    if (text.size > 0)
      chains_.push_back({bytes + text.offset, text.size / 8, text.size % 8, vector});
  // Longest first: the short texts then fill the lanes that the long ones leave free.
  std::sort(chains_.begin(), chains_.end(), [](const Chain& a, const Chain& b) {
    return a.fullBlocks > b.fullBlocks || (a.fullBlocks == b.fullBlocks && a.tail > b.tail);
  });
  // Each lane takes one step of its text at a time: a full block is enciphered on top of the
  // feedback; for the tail, the feedback itself is enciphered into key stream.
  constexpr std::size_t kLanes = TCipher_Blowfish::kLanes;
  Chain* lanes[kLanes];
  BlockHalves blocks[kLanes];
  std::size_t busy = 0;
  for (std::size_t next = 0;;) {
    while (busy < kLanes && next < chains_.size()) lanes[busy++] = &chains_[next++];
    if (busy == 0) break;
    for (std::size_t i = 0; i < busy; ++i) {
      const Chain& chain = *lanes[i];
      blocks[i] = chain.fullBlocks > 0 ? Xor(Load(chain.at), chain.feedback) : chain.feedback;
    }
    cipher_.EncipherBlocks(blocks, busy);
    std::size_t unfinished = 0;
    for (std::size_t i = 0; i < busy; ++i) {
      Chain& chain = *lanes[i];
      if (chain.fullBlocks > 0) {
        Store(chain.at, blocks[i]);
        chain.feedback = Xor(chain.feedback, blocks[i]);
        chain.at += 8;
        --chain.fullBlocks;
      } else {
        XorTail(chain.at, chain.tail, blocks[i]);
        chain.tail = 0;
      }
      if (chain.fullBlocks > 0 || chain.tail > 0) lanes[unfinished++] = &chain;
    }
    busy = unfinished;
  }
  WipeBytes(blocks, 0, sizeof blocks);  // the last tails' key stream
}

void ChainBatch::Decipher(std::uint8_t* bytes, std::span<const TextSpan> texts) {
  const BlockHalves vector = Vector();
  blocks_.clear();
  destinations_.clear();
  tails_.clear();
  // Block i of a text is deciphered and XORed with the feedback, which is the vector XOR
  // every ciphertext block before i; the tail's key stream is the last feedback, enciphered.
  for (const TextSpan& text : texts) {
    BlockHalves feedback = vector;
    std::uint8_t* at = bytes + text.offset;
    std::size_t left = text.size;
    for (; left >= 8; left -= 8, at += 8) {
      const BlockHalves block = Load(at);
      blocks_.push_back(block);
      destinations_.push_back({at, 8, feedback});
      feedback = Xor(feedback, block);
    }
    if (left > 0) tails_.push_back({at, left, feedback});
  }
  const std::size_t fullBlocks = blocks_.size();
  for (const Destination& tail : tails_) {
    blocks_.push_back(tail.mask);
    destinations_.push_back(tail);
  }
  cipher_.DecipherBlocks(blocks_.data(), fullBlocks);
  cipher_.EncipherBlocks(blocks_.data() + fullBlocks, blocks_.size() - fullBlocks);
  for (std::size_t i = 0; i < blocks_.size(); ++i) {
    const Destination& to = destinations_[i];
    if (i < fullBlocks) {
      Store(to.at, Xor(blocks_[i], to.mask));
    } else {
      XorTail(to.at, to.size, blocks_[i]);
    }
  }
  // They held plain text and key stream.
  WipeBytes(blocks_.data(), 0, blocks_.size() * sizeof(BlockHalves));
}

}  // namespace bv
