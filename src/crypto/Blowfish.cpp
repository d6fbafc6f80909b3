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

}  // namespace

TCipher_Blowfish::TCipher_Blowfish(std::string_view password, std::shared_ptr<TProtection> next)
    : TCipher(QuerySizes(), std::move(next)) {
  if (!password.empty()) InitKey(password);
}

// The rounds alternate halves instead of swapping them; the last swap is undone on output.
void TCipher_Blowfish::EncipherBlock(void* block) {
  auto* bytes = static_cast<std::uint8_t*>(block);
  const std::uint32_t* s = ScheduleWords();
  const std::uint32_t* p = s + kSBoxWords;
  std::uint32_t l = LoadBigEndian32(bytes);
  std::uint32_t r = LoadBigEndian32(bytes + 4);
  for (int i = 0; i < 16; i += 2) {
    l ^= p[i];
    r ^= Round(s, l);
    r ^= p[i + 1];
    l ^= Round(s, r);
  }
  StoreBigEndian32(bytes, r ^ p[17]);
  StoreBigEndian32(bytes + 4, l ^ p[16]);
}

void TCipher_Blowfish::DecipherBlock(void* block) {
  auto* bytes = static_cast<std::uint8_t*>(block);
  const std::uint32_t* s = ScheduleWords();
  const std::uint32_t* p = s + kSBoxWords;
  std::uint32_t l = LoadBigEndian32(bytes);
  std::uint32_t r = LoadBigEndian32(bytes + 4);
  for (int i = 17; i > 1; i -= 2) {
    l ^= p[i];
    r ^= Round(s, l);
    r ^= p[i - 1];
    l ^= Round(s, r);
  }
  StoreBigEndian32(bytes, r ^ p[0]);
  StoreBigEndian32(bytes + 4, l ^ p[1]);
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
