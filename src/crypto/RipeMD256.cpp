#include "crypto/RipeMD256.h"

#include <bit>
#include <cstring>
#include <utility>

#include "crypto/Bytes.h"
#include "crypto/WordIo.h"

namespace bv {

THash_RipeMD256::THash_RipeMD256() { THash_RipeMD256::Init(); }

std::shared_ptr<THash> THash_RipeMD256::Create() { return std::make_shared<THash_RipeMD256>(); }

void THash_RipeMD256::Init() {
  std::memset(Block, 0, sizeof Block);
  std::memset(State, 0, sizeof State);
  static constexpr std::uint32_t kInitial[8] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476,
                                                0x76543210, 0xFEDCBA98, 0x89ABCDEF, 0x01234567};
  std::memcpy(State, kInitial, sizeof kInitial);
  ByteCount = 0;
}

namespace {

// The four boolean functions, f1 to f4.
std::uint32_t Mix(int function, std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  switch (function) {
    case 0: return x ^ y ^ z;
    case 1: return (x & y) | (~x & z);
    case 2: return (x | ~y) ^ z;
    default: return (x & z) | (y & ~z);
  }
}

// Message word and rotation of each of the 64 steps, left line then right line.
// clang-format off
constexpr int kWordLeft[64] = {
    0, 1, 2,  3,  4,  5,  6,  7,  8, 9, 10, 11, 12, 13, 14, 15,
    7, 4, 13, 1,  10, 6,  15, 3,  12, 0, 9,  5,  2,  14, 11, 8,
    3, 10, 14, 4, 9,  15, 8,  1,  2, 7, 0,  6,  13, 11, 5,  12,
    1, 9, 11, 10, 0,  8,  12, 4,  13, 3, 7,  15, 14, 5,  6,  2};
constexpr int kWordRight[64] = {
    5,  14, 7,  0, 9, 2,  11, 4,  13, 6,  15, 8,  1,  10, 3,  12,
    6,  11, 3,  7, 0, 13, 5,  10, 14, 15, 8,  12, 4,  9,  1,  2,
    15, 5,  1,  3, 7, 14, 6,  9,  11, 8,  12, 2,  10, 0,  4,  13,
    8,  6,  4,  1, 3, 11, 15, 0,  5,  12, 2,  13, 9,  7,  10, 14};
constexpr int kShiftLeft[64] = {
    11, 14, 15, 12, 5,  8,  7,  9,  11, 13, 14, 15, 6,  7,  9, 8,
    7,  6,  8,  13, 11, 9,  7,  15, 7,  12, 15, 9,  11, 7,  13, 12,
    11, 13, 6,  7,  14, 9,  13, 15, 14, 8,  13, 6,  5,  12, 7, 5,
    11, 12, 14, 15, 14, 15, 9,  8,  9,  14, 5,  6,  8,  6,  5, 12};
constexpr int kShiftRight[64] = {
    8,  9,  9,  11, 13, 15, 15, 5,  7,  7,  8,  11, 14, 14, 12, 6,
    9,  13, 15, 7,  12, 8,  9,  11, 7,  7,  12, 7,  6,  15, 13, 11,
    9,  7,  15, 11, 8,  6,  6,  14, 12, 13, 5,  14, 13, 13, 7,  5,
    15, 5,  8,  11, 14, 14, 6,  14, 6,  9,  12, 9,  12, 5,  15, 8};
// clang-format on
constexpr std::uint32_t kConstLeft[4] = {0x00000000, 0x5A827999, 0x6ED9EBA1, 0x8F1BBCDC};
constexpr std::uint32_t kConstRight[4] = {0x50A28BE6, 0x5C4DD124, 0x6D703EF3, 0x00000000};

}  // namespace

// Two parallel lines of four rounds; after each round the lines trade one register
// (A after round 1, B after 2, C after 3, D after 4), and each line feeds its own half.
void THash_RipeMD256::Compress(const std::uint8_t* block) {
  std::uint32_t x[16];
  for (int i = 0; i < 16; ++i) x[i] = LoadLittleEndian32(block + 4 * i);
  std::uint32_t left[4] = {State[0], State[1], State[2], State[3]};
  std::uint32_t right[4] = {State[4], State[5], State[6], State[7]};

  for (int step = 0; step < 64; ++step) {
    const int round = step / 16;
    auto& [al, bl, cl, dl] = left;
    std::uint32_t t = std::rotl(
        al + Mix(round, bl, cl, dl) + x[kWordLeft[step]] + kConstLeft[round], kShiftLeft[step]);
    al = dl, dl = cl, cl = bl, bl = t;
    auto& [ar, br, cr, dr] = right;
    t = std::rotl(ar + Mix(3 - round, br, cr, dr) + x[kWordRight[step]] + kConstRight[round],
                  kShiftRight[step]);
    ar = dr, dr = cr, cr = br, br = t;
    if (step % 16 == 15) std::swap(left[round], right[round]);
  }
  for (int i = 0; i < 4; ++i) {
    State[i] += left[i];
    State[i + 4] += right[i];
  }
  WipeBytes(x, 0, sizeof x);
}

}  // namespace bv
