#include <gtest/gtest.h>

#include <new>
#include <string>

#include "Oracle.h"
#include "crypto/RipeMD256.h"

namespace bv {
namespace {

using test::Hex;

template <class Hash>
std::string DigestOf(std::string_view message) {
  Hash hash;
  hash.Init();
  hash.Update(message.data(), message.size());
  hash.Final();
  return Hex(hash.Digest(), hash.DigestSize());
}

struct Vector {
  std::string message;
  const char* digest;
};

const std::string kAlphaNumeric = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
const std::string kDigits80 = [] {
  std::string s;
  for (int i = 0; i < 8; ++i) s += "1234567890";
  return s;
}();

TEST(HashTest, RipeMD256PublishedVectors) {
  const Vector vectors[] = {
      {"", "02ba4c4e5f8ecd1877fc52d64d30e37a2d9774fb1e5d026380ae0168e3c5522d"},
      {"a", "f9333e45d857f5d90a91bab70a1eba0cfb1be4b0783c9acfcd883a9134692925"},
      {"abc", "afbd6e228b9d8cbbcef5ca2d03e6dba10ac0bc7dcbe4680e1e42d2e975459b65"},
      {"message digest", "87e971759a1ce47a514d5c914c392c9018c7c46bc14465554afcdf54a5070c0e"},
      {"abcdefghijklmnopqrstuvwxyz",
       "649d3034751ea216776bf9a18acc81bc7896118a5197968782dd1fd97d8d5133"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "3843045583aac6c8c8d9128573e7a9809afb2a0f34ccc36ea9e72f16f6368e3f"},
      {kAlphaNumeric, "5740a408ac16b720b84424ae931cbb1fe363d1d0bf4017f1a89f7ea6de77a0b8"},
      {kDigits80, "06fdcc7a409548aaf91368c06a6275b553e3f099bf0ea4edfd6778df89a890dd"},
      {std::string(1000000, 'a'),
       "ac953744e10e31514c150d4d8d7b677342e33399788296e43ae4850ce4f97978"},
  };
  for (const auto& v : vectors) {
    EXPECT_EQ(DigestOf<THash_RipeMD256>(v.message), v.digest) << "length " << v.message.size();
  }
}

TEST(HashTest, MD4PublishedVectors) {
  const Vector vectors[] = {
      {"", "31d6cfe0d16ae931b73c59d7e0c089c0"},
      {"a", "bde52cb31de33e46245e05fbdbd6fb24"},
      {"abc", "a448017aaf21d8525fc10ae87aa6729d"},
      {"message digest", "d9130a8164549fe818874806e1c7014b"},
      {"abcdefghijklmnopqrstuvwxyz", "d79e1c308aa5bbcdeea8ed63df412da9"},
      {kAlphaNumeric, "043f8582f241db351ce627e153e7f0e4"},
      {kDigits80, "e33b4ddc9c38f2199c3e7b164fcc0536"},
  };
  for (const auto& v : vectors) EXPECT_EQ(DigestOf<THash_MD4>(v.message), v.digest) << v.message;
}

// Every length around the block and padding boundaries, plus random longer messages.
TEST(HashTest, AgreesWithCryptoPPOnRandomMessages) {
  test::RandomBytes random(1);
  for (std::size_t n = 0; n <= 300; ++n) {
    const std::string message = random.Make(n);
    ASSERT_EQ(DigestOf<THash_RipeMD256>(message), Hex(test::OracleRipeMD256(message))) << n;
    ASSERT_EQ(DigestOf<THash_MD4>(message), Hex(test::OracleMD4(message))) << n;
  }
  for (int i = 0; i < 50; ++i) {
    const std::string message = random.Make(300 + random.Below(5000));
    ASSERT_EQ(DigestOf<THash_RipeMD256>(message), Hex(test::OracleRipeMD256(message)));
  }
}

TEST(HashTest, SplitUpdatesGiveTheSameDigest) {
  test::RandomBytes random(2);
  for (int i = 0; i < 200; ++i) {
    const std::string message = random.Make(random.Below(700));
    THash_RipeMD256 hash;
    hash.Init();
    for (std::size_t at = 0; at < message.size();) {
      const std::size_t piece = std::min(random.Below(130), message.size() - at);
      hash.Update(message.data() + at, piece);  // pieces of 0 bytes included
      at += piece;
    }
    hash.Final();
    ASSERT_EQ(Hex(hash.Digest(), 32), Hex(test::OracleRipeMD256(message)));
  }
}

TEST(HashTest, InitStartsAFreshMessage) {
  THash_RipeMD256 hash;
  hash.Update("garbage", 7);
  hash.Init();
  hash.Update("abc", 3);
  hash.Final();
  EXPECT_EQ(Hex(hash.Digest(), 32),
            "afbd6e228b9d8cbbcef5ca2d03e6dba10ac0bc7dcbe4680e1e42d2e975459b65");
  EXPECT_EQ(hash.DigestSize(), 32u);
  EXPECT_EQ(THash_MD4().DigestSize(), 16u);
}

class CountingRipeMD256 : public THash_RipeMD256 {
 public:
  int compressions = 0;

 protected:
  void Compress(const std::uint8_t* block) override {
    ++compressions;
    THash_RipeMD256::Compress(block);
  }
};

TEST(HashTest, PaddingNeedsASecondBlockFrom56BytesOn) {
  const struct {
    std::size_t length;
    int compressions;
  } cases[] = {{0, 1}, {55, 1}, {56, 2}, {63, 2}, {64, 2}, {119, 2}, {120, 3}};
  for (const auto& c : cases) {
    CountingRipeMD256 hash;
    hash.Init();
    const std::string message(c.length, 'x');
    hash.Update(message.data(), message.size());
    hash.Final();
    EXPECT_EQ(hash.compressions, c.compressions) << c.length;
  }
}

TEST(HashTest, DestructorZeroFillsTheDigest) {
  alignas(THash_RipeMD256) unsigned char storage[sizeof(THash_RipeMD256)];
  auto* hash = new (storage) THash_RipeMD256;
  hash->Update("secret", 6);
  hash->Final();
  const std::size_t offset = static_cast<std::size_t>(hash->Digest() - storage);
  ASSERT_NE(Hex(hash->Digest(), 32), std::string(64, '0'));
  hash->~THash_RipeMD256();
  EXPECT_EQ(Hex(storage + offset, 32), std::string(64, '0'));
}

}  // namespace
}  // namespace bv
