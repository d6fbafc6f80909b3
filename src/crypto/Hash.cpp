#include "crypto/Hash.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "crypto/Bytes.h"
#include "crypto/WordIo.h"

namespace bv {

// Digest() hands out the chaining words as they lie in memory, which must be little-endian.
static_assert(std::endian::native == std::endian::little,
              "the digest layout needs little-endian words");

void THash::Update(const void*, std::size_t) {}

THash_MD4::THash_MD4() { THash_MD4::Init(); }

THash_MD4::~THash_MD4() {
  WipeBytes(State, 0, sizeof State);
  WipeBytes(Block, 0, sizeof Block);
}

std::shared_ptr<THash> THash_MD4::Create() { return std::make_shared<THash_MD4>(); }

void THash_MD4::Init() {
  std::memset(Block, 0, sizeof Block);
  std::memset(State, 0, sizeof State);
  State[0] = 0x67452301;
  State[1] = 0xEFCDAB89;
  State[2] = 0x98BADCFE;
  State[3] = 0x10325476;
  ByteCount = 0;
}

void THash_MD4::Update(const void* data, std::size_t length) {
  if (length == 0) return;
  const auto* input = static_cast<const std::uint8_t*>(data);
  const std::size_t held = ByteCount % 64;
  ByteCount += length;
  if (held != 0) {
    const std::size_t taken = std::min(64 - held, length);
    std::memcpy(Block + held, input, taken);
    input += taken;
    length -= taken;
    if (held + taken < 64) return;
    Compress(Block);
  }
  // Whole blocks straight from the caller's bytes: only partial blocks are copied.
  for (; length >= 64; input += 64, length -= 64) Compress(input);
  std::memcpy(Block, input, length);
}

void THash_MD4::Final() {
  const std::size_t held = ByteCount % 64;
  Block[held] = 0x80;
  std::memset(Block + held + 1, 0, 63 - held);
  if (held + 1 > 56) {
    Compress(Block);
    std::memset(Block, 0, sizeof Block);
  }
  StoreLittleEndian64(Block + 56, ByteCount * 8);
  Compress(Block);
  WipeBytes(Block, 0, sizeof Block);
}

namespace {

constexpr std::uint32_t F(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return (x & y) | (~x & z);
}
constexpr std::uint32_t G(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return (x & y) | (x & z) | (y & z);
}
constexpr std::uint32_t H(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return x ^ y ^ z; }

}  // namespace

// RFC 1320, section 3.4: three rounds of 16 steps.
void THash_MD4::Compress(const std::uint8_t* block) {
  std::uint32_t x[16];
  for (int i = 0; i < 16; ++i) x[i] = LoadLittleEndian32(block + 4 * i);
  std::uint32_t v[4] = {State[0], State[1], State[2], State[3]};

  // Step i works on the registers in the rotation a, d, c, b of the RFC's [abcd k s] lines.
  static constexpr int kOrder2[16] = {0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15};
  static constexpr int kOrder3[16] = {0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5, 13, 3, 11, 7, 15};
  static constexpr int kShift[3][4] = {{3, 7, 11, 19}, {3, 5, 9, 13}, {3, 9, 11, 15}};
  for (int step = 0; step < 48; ++step) {
    const int round = step / 16;
    const int i = step % 16;
    std::uint32_t& a = v[(4 - i % 4) % 4];
    const std::uint32_t b = v[(5 - i % 4) % 4];
    const std::uint32_t c = v[(6 - i % 4) % 4];
    const std::uint32_t d = v[(7 - i % 4) % 4];
    std::uint32_t sum = a;
    if (round == 0) sum += F(b, c, d) + x[i];
    if (round == 1) sum += G(b, c, d) + x[kOrder2[i]] + 0x5A827999;
    if (round == 2) sum += H(b, c, d) + x[kOrder3[i]] + 0x6ED9EBA1;
    a = std::rotl(sum, kShift[round][i % 4]);
  }
  for (int i = 0; i < 4; ++i) State[i] += v[i];
  WipeBytes(x, 0, sizeof x);
}

}  // namespace bv
