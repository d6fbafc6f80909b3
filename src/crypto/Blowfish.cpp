#include "crypto/Blowfish.h"

#include <cstring>

#include "crypto/BlowfishTables.h"
#include "crypto/Bytes.h"
#include "crypto/WordIo.h"

namespace bv {

namespace {

inline std::uint32_t Round(const std::uint32_t* s, std::uint32_t x) {
  return ((s[x >> 24] + s[256 + ((x >> 16) & 0xFF)]) ^ s[512 + ((x >> 8) & 0xFF)]) +
         s[768 + (x & 0xFF)];
}

// Deciphering is enciphering with the P entries taken in reverse order. The rounds alternate
// halves instead of swapping them; the last swap is undone on output. Each step runs over
// all lanes before the next, so the lanes' look-ups overlap.
template <int kLanes, bool kForward>
inline void RunLanes(const std::uint32_t* s, BlockHalves* blocks) {
  const std::uint32_t* p = s + TCipher_Blowfish::kSBoxWords;
  const auto entry = [p](int i) { return kForward ? p[i] : p[17 - i]; };
  std::uint32_t l[kLanes];
  std::uint32_t r[kLanes];
#pragma GCC unroll 4
  for (int k = 0; k < kLanes; ++k) {
    l[k] = blocks[k].left;
    r[k] = blocks[k].right;
  }
#pragma GCC unroll 8
  for (int i = 0; i < 16; i += 2) {
    const std::uint32_t even = entry(i), odd = entry(i + 1);
#pragma GCC unroll 4
    for (int k = 0; k < kLanes; ++k) {
      l[k] ^= even;
      r[k] ^= Round(s, l[k]) ^ odd;
    }
#pragma GCC unroll 4
    for (int k = 0; k < kLanes; ++k) l[k] ^= Round(s, r[k]);
  }
  const std::uint32_t toLeft = entry(17), toRight = entry(16);
#pragma GCC unroll 4
  for (int k = 0; k < kLanes; ++k) blocks[k] = {r[k] ^ toLeft, l[k] ^ toRight};
}

template <bool kForward>
void RunBlocks(const std::uint32_t* s, BlockHalves* blocks, std::size_t count) {
  static_assert(TCipher_Blowfish::kLanes == 4);
  for (; count >= 4; count -= 4, blocks += 4) RunLanes<4, kForward>(s, blocks);
  switch (count) {
    case 3: RunLanes<3, kForward>(s, blocks); break;
    case 2: RunLanes<2, kForward>(s, blocks); break;
    case 1: RunLanes<1, kForward>(s, blocks); break;
    default: break;
  }
}

template <bool kForward>
void RunBlock(const std::uint32_t* s, void* block) {
  auto* bytes = static_cast<std::uint8_t*>(block);
  BlockHalves halves{LoadBigEndian32(bytes), LoadBigEndian32(bytes + 4)};
  RunLanes<1, kForward>(s, &halves);
  StoreBigEndian32(bytes, halves.left);
  StoreBigEndian32(bytes + 4, halves.right);
}

}  // namespace

TCipher_Blowfish::TCipher_Blowfish(std::string_view password, std::shared_ptr<TProtection> next)
    : TCipher(QuerySizes(), std::move(next)) {
  if (!password.empty()) InitKey(password);
}

void TCipher_Blowfish::EncipherBlock(void* block) { RunBlock<true>(ScheduleWords(), block); }

void TCipher_Blowfish::DecipherBlock(void* block) { RunBlock<false>(ScheduleWords(), block); }

void TCipher_Blowfish::EncipherBlocks(BlockHalves* blocks, std::size_t count) const {
  RunBlocks<true>(ScheduleWords(), blocks, count);
}

void TCipher_Blowfish::DecipherBlocks(BlockHalves* blocks, std::size_t count) const {
  RunBlocks<false>(ScheduleWords(), blocks, count);
}

void TCipher_Blowfish::Init(const void* key, std::size_t length, const void* vector) {
  StartKeySetup(length);
  std::uint32_t* s = ScheduleWords();
  std::uint32_t* p = s + kSBoxWords;
  std::memcpy(s, blowfish::kInitialS, sizeof blowfish::kInitialS);
  std::memcpy(p, blowfish::kInitialP, sizeof blowfish::kInitialP);

  // The key bytes, taken cyclically, first byte most significant. An empty key (possible only
  // through a direct call) leaves the P entries as they are.
  const auto* k = static_cast<const std::uint8_t*>(key);
  if (length > 0) {
    for (std::size_t i = 0, j = 0; i < kPEntries; ++i) {
      std::uint32_t word = 0;
      for (int b = 0; b < 4; ++b, j = (j + 1) % length) word = word << 8 | k[j];
      p[i] ^= word;
    }
  }

  // 521 encipherments of a running block replace P, then the S-boxes, two words at a time.
  std::uint8_t work[8] = {};
  for (int i = 0; i < kPEntries + kSBoxWords; i += 2) {
    EncipherBlock(work);
    std::uint32_t* target = i < kPEntries ? p + i : s + (i - kPEntries);
    target[0] = LoadBigEndian32(work);
    target[1] = LoadBigEndian32(work + 4);
  }
  WipeBytes(work, 0, sizeof work);
  FinishKeySetup(vector);
}

}  // namespace bv
