#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

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

// The texts of one record and the strings that take their results.
struct Record {
  std::vector<std::string> texts;
  std::vector<std::string> results;

  explicit Record(std::vector<std::string> given)
      : texts(std::move(given)), results(texts.size(), std::string(200, '#')) {}
  std::vector<std::string_view> Texts() const { return {texts.begin(), texts.end()}; }
  std::vector<std::string_view> Results() const { return {results.begin(), results.end()}; }
  std::vector<std::string*> Out() {
    std::vector<std::string*> out;
    for (auto& result : results) out.push_back(&result);
    return out;
  }
};

// Up to 14 texts of up to 200 bytes, a third of them empty.
std::vector<std::string> RandomTexts(test::RandomBytes& random) {
  std::vector<std::string> texts(random.Below(15));
  for (auto& text : texts)
    if (random.Below(3) != 0) text = random.Make(random.Below(201));
  return texts;
}

// Several texts at once give, text by text, the bytes of a freshly keyed cipher, and come back.
TEST(FieldCipherTest, TextsOfARecordGiveTheBytesOfSingleTexts) {
  test::RandomBytes random(15);
  const std::string key = "a record at a time";
  FieldCipher cipher(key);
  for (int i = 0; i < 150; ++i) {
    Record plain(RandomTexts(random));
    cipher.EncipherEach(plain.Texts(), plain.Out());
    for (std::size_t k = 0; k < plain.texts.size(); ++k)
      ASSERT_EQ(plain.results[k], EncipherField(plain.texts[k], key)) << i << " " << k;

    Record enciphered(plain.results);
    ASSERT_TRUE(cipher.DecipherEach(enciphered.Texts(), enciphered.Out()));
    EXPECT_EQ(enciphered.results, plain.texts) << i;
    ASSERT_TRUE(cipher.DeciphersTo(enciphered.Texts(), plain.Texts())) << i;
  }
}

// Any one text that does not decipher, or deciphers to something else, spoils the check of
// the whole record; deciphering, it costs only itself.
TEST(FieldCipherTest, EachTextOfARecordCountsOnItsOwn) {
  const std::string key = "one by one";
  FieldCipher cipher(key);
  const std::vector<std::string> plains = {
      "", "a", "1234567", "12345678", "123456789", std::string(46, 'l'), std::string(186, 'n')};
  std::vector<std::string> texts;
  for (const auto& plain : plains) texts.push_back(EncipherField(plain, key));
  const Record record(texts);
  ASSERT_TRUE(cipher.DeciphersTo(record.Texts(), Record(plains).Texts()));

  const std::string broken[] = {"1MK7", "!", " 1MK7X", "iAAAA", "1MK7X\r\n"};
  for (std::size_t k = 0; k < plains.size(); ++k) {
    SCOPED_TRACE(k);
    std::vector<std::string> other = plains;
    other[k] += 'x';
    EXPECT_FALSE(cipher.DeciphersTo(record.Texts(), Record(other).Texts()));
    if (!plains[k].empty()) {
      other[k] = plains[k];
      other[k].back() ^= 1;
      EXPECT_FALSE(cipher.DeciphersTo(record.Texts(), Record(other).Texts()));
      other[k].pop_back();
      EXPECT_FALSE(cipher.DeciphersTo(record.Texts(), Record(other).Texts()));
    }
    for (const std::string& bad : broken) {
      Record damaged(texts);
      damaged.texts[k] = bad;
      EXPECT_FALSE(cipher.DeciphersTo(damaged.Texts(), Record(plains).Texts())) << bad;
      EXPECT_FALSE(cipher.DecipherEach(damaged.Texts(), damaged.Out())) << bad;
      std::vector<std::string> expected = plains;
      expected[k] = "";
      EXPECT_EQ(damaged.results, expected) << bad;
    }
  }
  // Text that is valid but not written by the cipher deciphers as on its own.
  Record foreign({"1MK 7X", "-AB", "+", "1MK7X1MK7X"});
  ASSERT_TRUE(cipher.DecipherEach(foreign.Texts(), foreign.Out()));
  for (std::size_t k = 0; k < foreign.texts.size(); ++k)
    EXPECT_EQ(Hex(foreign.results[k]), Hex(DecipherField(foreign.texts[k], key))) << k;
}

TEST(FieldCipherTest, RecordsWithoutAKeyFailAsSingleTexts) {
  FieldCipher unkeyed("");
  Record empty({"", ""});
  unkeyed.EncipherEach(empty.Texts(), empty.Out());
  EXPECT_EQ(empty.results, empty.texts);
  Record some({"", "abc"});
  try {
    unkeyed.EncipherEach(some.Texts(), some.Out());
    ADD_FAILURE() << "no failure";
  } catch (const ECipherException& e) {
    EXPECT_EQ(e.ErrorCode(), 3);
  }
  Record enciphered({"", "1MK7X", "+"});
  EXPECT_FALSE(unkeyed.DecipherEach(enciphered.Texts(), enciphered.Out()));
  EXPECT_EQ(enciphered.results, (std::vector<std::string>{"", "", ""}));
  EXPECT_TRUE(unkeyed.DeciphersTo(Record({""}).Texts(), Record({""}).Texts()));
  EXPECT_FALSE(unkeyed.DeciphersTo(Record({"+"}).Texts(), Record({""}).Texts()));
}

// A class registered in place of XX coding: copies both ways.
class TStringFormat_Raw : public TStringFormat {
 public:
  static const TStringFormat_Raw* Class() {
    static const TStringFormat_Raw instance;
    return &instance;
  }
  const char* ClassName() const override { return "TStringFormat_Raw"; }
  std::int32_t FormatId() const override { return kFormatIdXX; }
};

TEST(FieldCipherTest, RecordsFollowTheClassRegisteredForXX) {
  struct Restore {
    ~Restore() { RegisterStandardFormats(); }
  } restore;
  RegisterFormats({TStringFormat_Raw::Class()});
  const std::string key = "raw";
  FieldCipher cipher(key);
  Record plain({"", "abc", "0123456789"});
  cipher.EncipherEach(plain.Texts(), plain.Out());
  for (std::size_t k = 0; k < plain.texts.size(); ++k) {
    EXPECT_EQ(Hex(plain.results[k]), Hex(test::OracleMode0(key, plain.texts[k], false))) << k;
    EXPECT_EQ(plain.results[k], cipher.Encipher(plain.texts[k])) << k;
  }
  Record enciphered(plain.results);
  ASSERT_TRUE(cipher.DecipherEach(enciphered.Texts(), enciphered.Out()));
  EXPECT_EQ(enciphered.results, plain.texts);
  EXPECT_TRUE(cipher.DeciphersTo(enciphered.Texts(), plain.Texts()));
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
