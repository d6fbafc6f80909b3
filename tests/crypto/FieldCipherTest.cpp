#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Oracle.h"
#include "crypto/Exceptions.h"
#include "crypto/FieldCipher.h"
#include "crypto/FormatRegistry.h"

namespace bv {
namespace {

using test::Hex;

const std::string kSentinel = "@%@emptysecret@%@";

// The whole pipeline rebuilt on Crypto++: RIPEMD-256 of the key as Blowfish key, V = E(FF..FF),
// mode-0 chaining, then the XX text.
std::string OracleEncipherField(std::string_view text, std::string_view key) {
  return EncodeToFormat(test::OracleMode0(key, text, false), kFormatIdXX);
}

TEST(FieldCipherTest, AgreesWithTheIndependentPipeline) {
  test::RandomBytes random(10);
  for (int i = 0; i < 300; ++i) {
    const std::string key = random.Make(1 + random.Below(40));
    const std::string text = random.Make(random.Below(300));
    const std::string enciphered = EncipherField(text, key);
    ASSERT_EQ(enciphered, OracleEncipherField(text, key)) << i;
    ASSERT_EQ(DecipherField(enciphered, key), text) << i;
  }
}

// Texts shorter than a block use only the tail rule: text XOR the first n bytes of E(V).
TEST(FieldCipherTest, ShortTextsAreXoredWithTheEncipheredVector) {
  const std::string key = "short texts";
  const test::OracleBlowfish blowfish(test::OracleRipeMD256(key));
  const std::string pad = blowfish.Encipher(blowfish.Encipher(std::string(8, '\xFF')));
  const std::string text = "1234567";
  for (std::size_t n = 1; n <= 7; ++n) {
    std::string expected(n, '\0');
    for (std::size_t i = 0; i < n; ++i) expected[i] = static_cast<char>(text[i] ^ pad[i]);
    const std::string enciphered = EncipherField(text.substr(0, n), key);
    EXPECT_EQ(Hex(DecodeFromFormat(enciphered, kFormatIdXX)), Hex(expected)) << n;
    EXPECT_EQ(enciphered.size(), n <= 3 ? 5u : n <= 6 ? 9u : 13u) << n;
  }
}

TEST(FieldCipherTest, RoundTripsEveryLengthUpTo4097) {
  test::RandomBytes random(11);
  const std::string text = random.Make(4097);
  FieldCipher cipher("every length");
  for (std::size_t n = 0; n <= text.size(); ++n) {
    const std::string_view plain(text.data(), n);
    const std::string enciphered = cipher.Encipher(plain);
    ASSERT_EQ(enciphered.size(), EncipheredLength(n));
    ASSERT_EQ(cipher.Decipher(enciphered), plain) << n;
    if (n % 97 == 0 || n < 50 || n > 4090) {
      ASSERT_EQ(EncipherField(plain, "every length"), enciphered) << n;
      ASSERT_EQ(DecipherField(enciphered, "every length"), plain) << n;
    }
  }
}

TEST(FieldCipherTest, ReusedCipherGivesTheBytesOfFreshCiphers) {
  test::RandomBytes random(12);
  const std::string key = "reused for a whole profile";
  FieldCipher cipher(key);
  for (int i = 0; i < 200; ++i) {
    const std::string text = random.Make(random.Below(190));
    const std::string enciphered = cipher.Encipher(text);
    ASSERT_EQ(enciphered, EncipherField(text, key)) << i;
    ASSERT_EQ(cipher.Decipher(enciphered), text) << i;
    // Any enciphered text deciphers as with a fresh cipher, and leaves no chaining state behind.
    const std::string foreign = EncodeToFormat(random.Make(1 + random.Below(40)), kFormatIdXX);
    ASSERT_EQ(Hex(cipher.Decipher(foreign)), Hex(DecipherField(foreign, key))) << i;
  }
}

TEST(FieldCipherTest, BlocksChainForwardOnly) {
  const std::string key = "prefix";
  const std::string a = DecodeFromFormat(EncipherField("0123456789abcdefXYZ", key), kFormatIdXX);
  const std::string b =
      DecodeFromFormat(EncipherField("0123456789abcdef-other tail", key), kFormatIdXX);
  EXPECT_EQ(a.substr(0, 16), b.substr(0, 16));
  EXPECT_NE(a.substr(16, 3), b.substr(16, 3));
}

TEST(FieldCipherTest, LineStructureOfLongTexts) {
  const std::string e45 = EncipherField(std::string(45, 'p'), "lines");
  const std::string e46 = EncipherField(std::string(46, 'p'), "lines");
  ASSERT_EQ(e45.size(), 61u);
  EXPECT_EQ(e45[0], 'h');
  ASSERT_EQ(e46.size(), 66u);
  EXPECT_EQ(e46[61], '-');
}

TEST(FieldCipherTest, VerifierLengths) {
  EXPECT_EQ(EncipherField(kSentinel, kSentinel).size(), 25u);
  EXPECT_EQ(EncipherField("sixteen chars!!!", "sixteen chars!!!").size(), 25u);
  EXPECT_EQ(EncipherField(kSentinel, kSentinel), EncipherField(kSentinel, kSentinel));
  EXPECT_NE(EncipherField("pass", "pass"), EncipherField("pass", "Pass"));
}

TEST(FieldCipherTest, WrongKeyGivesWrongBytesOfTheRightLength) {
  const std::string enciphered = EncipherField("my bank password", "right key");
  const std::string wrong = DecipherField(enciphered, "wrong key");
  EXPECT_EQ(wrong.size(), 16u);
  EXPECT_NE(wrong, "my bank password");
  test::RandomBytes random(13);
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(DecipherField("1MK7X", random.Make(1 + random.Below(30))).size(), 3u);
  }
}

TEST(FieldCipherTest, EmptyKeyFailsOnlyForNonEmptyText) {
  EXPECT_EQ(EncipherField("", ""), "");
  EXPECT_EQ(DecipherField("", ""), "");
  FieldCipher unkeyed("");
  EXPECT_EQ(unkeyed.Encipher(""), "");
  EXPECT_EQ(unkeyed.Decipher(""), "");
  const std::function<std::string()> calls[] = {
      [] { return EncipherField("abc", ""); }, [] { return DecipherField("1MK7X", ""); },
      [] { return DecipherField("+", ""); },  // valid text of no bytes still needs a key
      [&] { return unkeyed.Encipher("abc"); }, [&] { return unkeyed.Decipher("1MK7X"); },
      [&] { return unkeyed.Decipher("+"); },
  };
  for (const auto& call : calls) {
    try {
      call();
      ADD_FAILURE() << "no failure";
    } catch (const ECipherException& e) {
      EXPECT_EQ(e.ErrorCode(), 3);
      EXPECT_STREQ(e.what(),
                   "TCipher_Blowfish is not initialized call Init() or InitKey() before.");
    }
  }
}

// Malformed text is refused before any key is needed, the same way on both paths.
TEST(FieldCipherTest, MalformedTextIsRefusedBeforeTheKeyIsChecked) {
  FieldCipher keyed("key"), unkeyed("");
  for (const char* text : {"1MK7", "!", " 1MK7X", "iAAAA"}) {
    EXPECT_THROW(DecipherField(text, "key"), EStringFormat) << text;
    EXPECT_THROW(DecipherField(text, ""), EStringFormat) << text;
    EXPECT_THROW(keyed.Decipher(text), EStringFormat) << text;
    EXPECT_THROW(unkeyed.Decipher(text), EStringFormat) << text;
  }
}

}  // namespace
}  // namespace bv
