#pragma once
// Independent references for the crypto tests: Crypto++'s RIPEMD-256, MD4 and Blowfish,
// plus small byte helpers. Only the tests link Crypto++.

#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <cryptopp/blowfish.h>
#include <cryptopp/md4.h>
#include <cryptopp/ripemd.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace bv::test {

inline std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const unsigned char b : bytes) {
    hex += kDigits[b >> 4];
    hex += kDigits[b & 15];
  }
  return hex;
}

inline std::string Hex(const std::uint8_t* bytes, std::size_t n) {
  return Hex(std::string_view(reinterpret_cast<const char*>(bytes), n));
}

inline std::string Unhex(std::string_view hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
  }
  return bytes;
}

// Reproducible random bytes.
class RandomBytes {
 public:
  explicit RandomBytes(std::uint32_t seed) : engine_(seed) {}
  std::string Make(std::size_t n) {
    std::string bytes(n, '\0');
    for (auto& b : bytes) b = static_cast<char>(engine_() & 0xFF);
    return bytes;
  }
  std::size_t Below(std::size_t limit) { return engine_() % limit; }

 private:
  std::mt19937 engine_;
};

template <class Hash>
std::string OracleDigest(std::string_view message) {
  Hash hash;
  std::string digest(Hash::DIGESTSIZE, '\0');
  hash.CalculateDigest(reinterpret_cast<CryptoPP::byte*>(digest.data()),
                       reinterpret_cast<const CryptoPP::byte*>(message.data()), message.size());
  return digest;
}

inline std::string OracleRipeMD256(std::string_view message) {
  return OracleDigest<CryptoPP::RIPEMD256>(message);
}

inline std::string OracleMD4(std::string_view message) {
  return OracleDigest<CryptoPP::Weak::MD4>(message);
}

// Raw Blowfish in both directions over one 8-byte block.
class OracleBlowfish {
 public:
  explicit OracleBlowfish(std::string_view key) {
    const auto* k = reinterpret_cast<const CryptoPP::byte*>(key.data());
    forward_.SetKey(k, key.size());
    inverse_.SetKey(k, key.size());
  }
  std::string Encipher(std::string_view block) const { return Run(forward_, block); }
  std::string Decipher(std::string_view block) const { return Run(inverse_, block); }

 private:
  static std::string Run(const CryptoPP::BlockTransformation& t, std::string_view block) {
    std::string out(8, '\0');
    t.ProcessBlock(reinterpret_cast<const CryptoPP::byte*>(block.data()),
                   reinterpret_cast<CryptoPP::byte*>(out.data()));
    return out;
  }
  CryptoPP::Blowfish::Encryption forward_;
  CryptoPP::Blowfish::Decryption inverse_;
};

// Mode-0 chaining of the field cipher, built on Crypto++'s Blowfish keyed with the
// RIPEMD-256 digest of the password, chaining from V = E(FF..FF).
inline std::string OracleMode0(std::string_view password, std::string_view input, bool decipher) {
  const OracleBlowfish blowfish(OracleRipeMD256(password));
  const auto xorBlocks = [](std::string_view a, std::string_view b) {
    std::string out(a.size(), '\0');
    for (std::size_t i = 0; i < a.size(); ++i) out[i] = static_cast<char>(a[i] ^ b[i]);
    return out;
  };
  std::string feedback = blowfish.Encipher(std::string(8, '\xFF'));
  std::string output;
  std::size_t at = 0;
  for (; at + 8 <= input.size(); at += 8) {
    const std::string_view block = input.substr(at, 8);
    if (decipher) {
      output += xorBlocks(blowfish.Decipher(block), feedback);
      feedback = xorBlocks(block, feedback);
    } else {
      const std::string c = blowfish.Encipher(xorBlocks(block, feedback));
      output += c;
      feedback = xorBlocks(c, feedback);
    }
  }
  if (at < input.size()) output += xorBlocks(input.substr(at), blowfish.Encipher(feedback));
  return output;
}

}  // namespace bv::test
