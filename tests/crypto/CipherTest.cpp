#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>

#include "Oracle.h"
#include "crypto/Blowfish.h"
#include "crypto/Exceptions.h"
#include "crypto/FormatRegistry.h"
#include "crypto/RipeMD256.h"

namespace bv {
namespace {

using test::Hex;

std::string Bytes(std::span<const std::uint8_t> span) { return {span.begin(), span.end()}; }

std::string Chained(TCipher& cipher, std::string bytes, TProtectionAction action) {
  cipher.ProcessData(bytes.data(), bytes.size(), action);
  return bytes;
}

void ExpectWiped(const TCipher& cipher) {
  EXPECT_EQ(Bytes(cipher.Vector()), std::string(8, '\xFF'));
  EXPECT_EQ(Bytes(cipher.Feedback()), std::string(8, '\xFF'));
  EXPECT_EQ(Bytes(cipher.Scratch()), std::string(8, '\0'));
  EXPECT_EQ(Bytes(cipher.Schedule()), std::string(4168, '\0'));
  EXPECT_EQ(cipher.Flags(), 0u);
  EXPECT_FALSE(cipher.IsKeyed());
}

TEST(CipherTest, NewCipherWithoutPasswordIsWipedAndUnkeyed) {
  const TCipher_Blowfish cipher;
  ExpectWiped(cipher);
  EXPECT_EQ(cipher.Actions().Bits(), 31);
  EXPECT_EQ(cipher.Mode(), cmMode0);
  EXPECT_EQ(cipher.HashClass(), &THash_RipeMD256::Create);
}

TEST(CipherTest, KeySetupMakesTheVectorFromTheFFBlock) {
  TCipher_Blowfish cipher("password");
  const std::string v =
      test::OracleBlowfish(test::OracleRipeMD256("password")).Encipher(std::string(8, '\xFF'));
  EXPECT_EQ(Hex(Bytes(cipher.Vector())), Hex(v));
  EXPECT_EQ(Hex(Bytes(cipher.Feedback())), Hex(v));
  EXPECT_EQ(cipher.Flags(), 2u);  // keyed
  // The digest is destroyed by enciphering it in place.
  EXPECT_NE(Hex(cipher.KeyHash().Digest(), 32), Hex(test::OracleRipeMD256("password")));

  cipher.WipeState();
  ExpectWiped(cipher);
}

TEST(CipherTest, ExplicitVectorAndOtherHashClass) {
  TCipher_Blowfish cipher;
  const std::string vector = "12345678";
  cipher.Init("key bytes", 9, vector.data());
  EXPECT_EQ(Bytes(cipher.Vector()), vector);
  EXPECT_TRUE(cipher.IsKeyed());
  EXPECT_EQ(cipher.Flags(), 2u);  // keyed, from a password or not

  cipher.SetHashClass(&THash_MD4::Create);
  THash* before = &cipher.KeyHash();
  cipher.InitKey("password");
  EXPECT_EQ(before, &cipher.KeyHash());  // one hash object, reused
  const std::string v =
      test::OracleBlowfish(test::OracleMD4("password")).Encipher(std::string(8, '\xFF'));
  EXPECT_EQ(Hex(Bytes(cipher.Vector())), Hex(v));

  cipher.SetHashClass(nullptr);
  EXPECT_EQ(cipher.HashClass(), &THash_RipeMD256::Create);
}

TEST(CipherTest, UnkeyedCipherFailsWithCode3) {
  TCipher_Blowfish cipher("");
  std::string buffer = "abc";
  std::stringstream stream("abc");
  const std::function<void()> operations[] = {
      [&] { cipher.ProcessText("abc", actEncipher, kFormatIdXX); },
      [&] { cipher.ProcessText("1MK7X", actDecipher, kFormatIdXX); },
      [&] { cipher.ProcessData(buffer.data(), buffer.size(), actEncipher); },
      [&] { cipher.ProcessStream(&stream, nullptr, actEncipher); },
      [&] { cipher.EncipherBuffer(buffer.data(), buffer.data(), buffer.size()); },
      [&] { cipher.DecipherBuffer(buffer.data(), buffer.data(), 0); },
  };
  for (const auto& operation : operations) {
    try {
      operation();
      ADD_FAILURE() << "no failure";
    } catch (const ECipherException& e) {
      EXPECT_EQ(e.ErrorCode(), 3);
      EXPECT_STREQ(e.what(),
                   "TCipher_Blowfish is not initialized call Init() or InitKey() before.");
    }
  }
  EXPECT_EQ(buffer, "abc");
  EXPECT_EQ(cipher.ProcessText("", actEncipher, kFormatIdXX), "");
  EXPECT_EQ(cipher.ProcessText("", actDecipher, kFormatIdXX), "");
}

TEST(CipherTest, ChainingMatchesAnIndependentMode0) {
  test::RandomBytes random(5);
  TCipher_Blowfish cipher("chain key");
  for (std::size_t n = 0; n <= 70; ++n) {
    const std::string plain = random.Make(n);
    const std::string ours = Chained(cipher, plain, actEncipher);
    ASSERT_EQ(Hex(ours), Hex(test::OracleMode0("chain key", plain, false))) << n;
    ASSERT_EQ(Hex(Chained(cipher, ours, actDecipher)), Hex(plain)) << n;
    ASSERT_EQ(Hex(Chained(cipher, plain, actDecipher)),
              Hex(test::OracleMode0("chain key", plain, true)));
  }
}

// ProcessText works through a stream in 4096-byte chunks; ProcessData in one piece.
TEST(CipherTest, ProcessTextRoundTripsEveryLengthAndChunkingChangesNothing) {
  test::RandomBytes random(6);
  TCipher_Blowfish cipher("round trip");
  const std::string plain = random.Make(4097);
  for (std::size_t n = 0; n <= plain.size(); ++n) {
    const std::string_view text(plain.data(), n);
    const std::string enciphered = cipher.ProcessText(text, actEncipher, kFormatIdXX);
    const std::string bytes = DecodeFromFormat(enciphered, kFormatIdXX);
    ASSERT_EQ(bytes.size(), n);
    ASSERT_EQ(bytes, Chained(cipher, std::string(text), actEncipher)) << n;
    ASSERT_EQ(cipher.ProcessText(enciphered, actDecipher, kFormatIdXX), text) << n;
  }
}

TEST(CipherTest, EveryTextStartsFromTheVector) {
  TCipher_Blowfish cipher("reset");
  const std::string first = cipher.ProcessText("the same text, twice", actEncipher, kFormatIdXX);
  EXPECT_EQ(Bytes(cipher.Feedback()), Bytes(cipher.Vector()));
  cipher.ProcessText("1MK7X", actDecipher, kFormatIdXX);
  EXPECT_EQ(cipher.ProcessText("the same text, twice", actEncipher, kFormatIdXX), first);
}

TEST(CipherTest, DecipheringApartEqualsInPlace) {
  test::RandomBytes random(7);
  TCipher_Blowfish cipher("apart");
  const std::string input = random.Make(61);
  std::string apart(input.size(), '\0');
  cipher.ResetChain();
  cipher.DecipherBuffer(input.data(), apart.data(), input.size());
  EXPECT_EQ(Hex(apart), Hex(Chained(cipher, input, actDecipher)));
  cipher.ResetChain();
  cipher.EncipherBuffer(input.data(), apart.data(), input.size());
  EXPECT_EQ(Hex(apart), Hex(Chained(cipher, input, actEncipher)));
}

TEST(CipherTest, ProcessStreamHonoursPositionsAndSize) {
  test::RandomBytes random(8);
  TCipher_Blowfish cipher("streams");
  const std::string plain = random.Make(5000);
  const std::string whole = Chained(cipher, plain, actEncipher);

  std::stringstream source(plain), destination;
  source.seekg(100);
  cipher.ProcessStream(&source, &destination, actEncipher, -1);  // negative: all, from the start
  EXPECT_EQ(destination.str(), whole);

  std::stringstream part(plain), out;
  part.seekg(16);
  cipher.ProcessStream(&part, &out, actEncipher, 24);
  EXPECT_EQ(out.str(), Chained(cipher, plain.substr(16, 24), actEncipher));

  std::stringstream shortSource(plain.substr(0, 10)), shortOut;
  cipher.ProcessStream(&shortSource, &shortOut, actEncipher, 4096);  // more than there is
  EXPECT_EQ(shortOut.str(),
            whole.substr(0, 8) + Chained(cipher, plain.substr(0, 10), actEncipher).substr(8));

  std::stringstream calculated(plain), untouched;
  cipher.ProcessStream(&calculated, &untouched, actCalculate, -1);
  EXPECT_EQ(untouched.str(), "");
}

// A protection step that fails on its second buffer.
class FailingStep : public TProtection {
 public:
  void ProcessBuffer(void*, std::size_t, TProtectionAction) override {
    if (++calls_ == 2) throw std::runtime_error("step failed");
  }

 private:
  int calls_ = 0;
};

TEST(CipherTest, FailedStreamStillFinishesTheAction) {
  auto cipher = std::make_shared<TCipher_Blowfish>("finish", std::make_shared<FailingStep>());
  const std::string plain(10000, 'x');
  std::stringstream stream(plain);
  EXPECT_THROW(cipher->ProcessStream(&stream, nullptr, actEncipher, -1), std::runtime_error);
  EXPECT_EQ(Bytes(cipher->Feedback()), Bytes(cipher->Vector()));  // the chain was reset
}

TEST(CipherTest, NextStepRunsInsideOnEncipherAndAfterOnDecipher) {
  auto inner = std::make_shared<TCipher_Blowfish>("inner");
  TCipher_Blowfish outer("outer", inner);
  TCipher_Blowfish alone("outer");
  const std::string plain = "chained protection objects";
  const std::string expected = Chained(alone, Chained(*inner, plain, actEncipher), actEncipher);
  const std::string text = outer.ProcessText(plain, actEncipher, kFormatIdXX);
  EXPECT_EQ(Hex(DecodeFromFormat(text, kFormatIdXX)), Hex(expected));
  EXPECT_EQ(outer.ProcessText(text, actDecipher, kFormatIdXX), plain);
}

TEST(CipherTest, CircularChainIsRefused) {
  auto a = std::make_shared<TCipher_Blowfish>("a");
  auto b = std::make_shared<TCipher_Blowfish>("b", a);
  a->SetNext(nullptr);
  EXPECT_NO_THROW(b->SetNext(a));  // the same object again: nothing happens
  try {
    a->SetNext(b);
    ADD_FAILURE() << "cycle accepted";
  } catch (const EProtection& e) {
    EXPECT_STREQ(e.what(), "Circular Protection detected, Protection Object is invalid.");
  }
  EXPECT_THROW(a->SetNext(a), EProtection);
  EXPECT_EQ(a->Next(), nullptr);
}

TEST(CipherTest, ActionsOutsideTheSetPassUnchanged) {
  TCipher_Blowfish cipher("actions");
  cipher.SetActions({actDecipher});
  EXPECT_EQ(cipher.ProcessText("abc", actEncipher, kFormatIdXX), "1MK7X");
  cipher.SetActions(ProtectionActions::All());
  EXPECT_NE(cipher.ProcessText("abc", actEncipher, kFormatIdXX), "1MK7X");
}

}  // namespace
}  // namespace bv
