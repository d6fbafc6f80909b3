#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "Oracle.h"
#include "crypto/Blowfish.h"

namespace bv {
namespace {

using test::Hex;
using test::Unhex;

// A cipher keyed with raw key bytes (not through the password hash).
std::unique_ptr<TCipher_Blowfish> RawKeyed(std::string_view key) {
  auto cipher = std::make_unique<TCipher_Blowfish>();
  cipher->Init(key.data(), key.size(), nullptr);
  return cipher;
}

std::string Encipher(TCipher& cipher, std::string block) {
  cipher.EncipherBlock(block.data());
  return block;
}

std::string Decipher(TCipher& cipher, std::string block) {
  cipher.DecipherBlock(block.data());
  return block;
}

TEST(BlowfishTest, PublishedVectors) {
  const struct {
    const char* key;
    const char* plain;
    const char* cipher;
  } vectors[] = {
      {"0000000000000000", "0000000000000000", "4ef997456198dd78"},
      {"ffffffffffffffff", "ffffffffffffffff", "51866fd5b85ecb8a"},
      {"3000000000000000", "1000000000000001", "7d856f9a613063f2"},
      {"1111111111111111", "1111111111111111", "2466dd878b963c9d"},
      {"0123456789abcdef", "1111111111111111", "61f9c3802281b096"},
      {"1111111111111111", "0123456789abcdef", "7d0cc630afda1ec7"},
      {"fedcba9876543210", "0123456789abcdef", "0aceab0fc6a0a28d"},
      {"7ca110454a1a6e57", "01a1d6d039776742", "59c68245eb05282b"},
      {"0131d9619dc1376e", "5cd54ca83def57da", "b1b8cc0b250f09a0"},
      // Key lengths other than 8 bytes.
      {"f0", "fedcba9876543210", "f9ad597c49db005e"},
      {"f0e1d2c3b4a5968778695a4b3c2d1e0f0011223344556677", "fedcba9876543210", "05044b62fa52d080"},
  };
  for (const auto& v : vectors) {
    const auto cipher = RawKeyed(Unhex(v.key));
    EXPECT_EQ(Hex(Encipher(*cipher, Unhex(v.plain))), v.cipher) << v.key;
    EXPECT_EQ(Hex(Decipher(*cipher, Unhex(v.cipher))), v.plain) << v.key;
  }
}

TEST(BlowfishTest, AgreesWithCryptoPPOnRandomKeysAndBlocks) {
  test::RandomBytes random(3);
  for (int k = 0; k < 200; ++k) {
    const std::string key = random.Make(4 + random.Below(53));  // 4 to 56 bytes
    const auto ours = RawKeyed(key);
    const test::OracleBlowfish oracle(key);
    for (int b = 0; b < 20; ++b) {
      const std::string block = random.Make(8);
      ASSERT_EQ(Hex(Encipher(*ours, block)), Hex(oracle.Encipher(block))) << Hex(key);
      ASSERT_EQ(Hex(Decipher(*ours, block)), Hex(oracle.Decipher(block))) << Hex(key);
    }
  }
}

BlockHalves Halves(std::string_view bytes) {
  const auto word = [&](std::size_t at) {
    std::uint32_t w = 0;
    for (std::size_t i = 0; i < 4; ++i) w = w << 8 | static_cast<unsigned char>(bytes[at + i]);
    return w;
  };
  return {word(0), word(4)};
}

std::string BytesOf(BlockHalves block) {
  std::string bytes(8, '\0');
  for (int i = 0; i < 4; ++i) {
    bytes[i] = static_cast<char>(block.left >> (24 - 8 * i));
    bytes[4 + i] = static_cast<char>(block.right >> (24 - 8 * i));
  }
  return bytes;
}

// Blocks handed over together give what each gives alone, for every count around the width
// of the lanes, in both directions; the block after the last one is left alone.
TEST(BlowfishTest, BlocksTogetherMatchBlocksAlone) {
  test::RandomBytes random(5);
  const auto cipher = RawKeyed(random.Make(1 + random.Below(56)));
  for (std::size_t count = 0; count <= 11; ++count) {
    SCOPED_TRACE(count);
    std::vector<std::string> plain;
    std::vector<BlockHalves> forward, inverse;
    for (std::size_t i = 0; i <= count; ++i) {
      plain.push_back(random.Make(8));
      forward.push_back(Halves(plain.back()));
    }
    inverse = forward;
    cipher->EncipherBlocks(forward.data(), count);
    cipher->DecipherBlocks(inverse.data(), count);
    for (std::size_t i = 0; i < count; ++i) {
      ASSERT_EQ(Hex(BytesOf(forward[i])), Hex(Encipher(*cipher, plain[i]))) << i;
      ASSERT_EQ(Hex(BytesOf(inverse[i])), Hex(Decipher(*cipher, plain[i]))) << i;
    }
    EXPECT_EQ(BytesOf(forward[count]), plain[count]);
    EXPECT_EQ(BytesOf(inverse[count]), plain[count]);
    cipher->DecipherBlocks(forward.data(), count);
    for (std::size_t i = 0; i < count; ++i) ASSERT_EQ(BytesOf(forward[i]), plain[i]) << i;
  }
}

TEST(BlowfishTest, KeysAreCutTo56Bytes) {
  test::RandomBytes random(4);
  const std::string key = random.Make(80);
  const auto longKey = RawKeyed(key);
  const auto cutKey = RawKeyed(key.substr(0, 56));
  const auto otherKey = RawKeyed(key.substr(0, 55));
  const std::string block = random.Make(8);
  EXPECT_EQ(Hex(Encipher(*longKey, block)), Hex(Encipher(*cutKey, block)));
  EXPECT_EQ(Hex(longKey->Schedule().data(), 4168), Hex(cutKey->Schedule().data(), 4168));
  EXPECT_NE(Hex(Encipher(*longKey, block)), Hex(Encipher(*otherKey, block)));
}

TEST(BlowfishTest, SizesAndName) {
  const CipherSizes sizes = TCipher_Blowfish::QuerySizes();
  EXPECT_EQ(sizes.BlockSize, 8);
  EXPECT_EQ(sizes.KeySize, 56);
  EXPECT_EQ(sizes.ScheduleSize, 4168u);
  const TCipher_Blowfish cipher;
  EXPECT_EQ(cipher.Schedule().size(), 4168u);
  EXPECT_EQ(cipher.Vector().size(), 8u);
  EXPECT_STREQ(cipher.ClassName(), "TCipher_Blowfish");
}

// The schedule holds S1..S4 (4096 bytes) and then P1..P18: the textbook transformation
// over those words, read from the schedule, gives Crypto++'s result.
TEST(BlowfishTest, ScheduleLayoutIsSBoxesThenP) {
  const std::string key = "layout key";
  const auto cipher = RawKeyed(key);
  std::uint32_t words[1042];
  std::memcpy(words, cipher->Schedule().data(), sizeof words);
  const std::uint32_t* s = words;
  const std::uint32_t* p = words + 1024;
  const auto f = [s](std::uint32_t x) {
    return ((s[x >> 24] + s[256 + ((x >> 16) & 255)]) ^ s[512 + ((x >> 8) & 255)]) +
           s[768 + (x & 255)];
  };
  std::uint32_t left = 0x01234567, right = 0x89ABCDEF;
  for (int i = 0; i < 16; ++i) {
    left ^= p[i];
    right ^= f(left);
    std::swap(left, right);
  }
  std::swap(left, right);
  right ^= p[16];
  left ^= p[17];
  const std::string expected = test::OracleBlowfish(key).Encipher(Unhex("0123456789abcdef"));
  std::string ours(8, '\0');
  for (int i = 0; i < 4; ++i) {
    ours[i] = static_cast<char>(left >> (24 - 8 * i));
    ours[4 + i] = static_cast<char>(right >> (24 - 8 * i));
  }
  EXPECT_EQ(Hex(ours), Hex(expected));
}

}  // namespace
}  // namespace bv
