#include "export/KdbxContainer.h"

#include <algorithm>
#include <string_view>

#include <botan/cipher_mode.h>
#include <botan/hash.h>
#include <botan/mac.h>

namespace bv {
namespace {

constexpr std::uint32_t kSignature1 = 0x9AA2D903;
constexpr std::uint32_t kSignature2 = 0xB54BFB67;
constexpr std::uint32_t kVersion40 = 0x00040000;  // major 4, minor 0
constexpr std::uint32_t kCompressionGzip = 1;
constexpr std::uint32_t kArgon2Version = 0x13;
constexpr std::size_t kBlockSize = 1 << 20;

constexpr std::array<std::uint8_t, 16> kCipherAes256 = {
    0x31, 0xC1, 0xF2, 0xE6, 0xBF, 0x71, 0x43, 0x50, 0xBE, 0x58, 0x05, 0x21, 0x6A, 0xFC, 0x5A, 0xFF};
constexpr std::array<std::uint8_t, 16> kKdfArgon2id = {
    0x9E, 0x29, 0x8B, 0x19, 0x56, 0xDB, 0x47, 0x73, 0xB2, 0x3D, 0xFC, 0x3E, 0xC6, 0xF0, 0xA1, 0xE6};

enum OuterField : std::uint8_t {
  kEndOfHeader = 0,
  kCipherId = 2,
  kCompression = 3,
  kMasterSeed = 4,
  kEncryptionIv = 7,
  kKdfParameters = 11,
};
enum InnerField : std::uint8_t {
  kInnerEnd = 0,
  kInnerStreamId = 1,
  kInnerStreamKey = 2
};
constexpr std::uint32_t kInnerStreamChaCha20 = 3;

enum VariantType : std::uint8_t {
  kUInt32 = 0x04,
  kUInt64 = 0x05,
  kByteArray = 0x42
};

void Field(SecureBytes& out, std::uint8_t id, std::span<const std::uint8_t> value) {
  out.push_back(id);
  AppendUInt32(out, static_cast<std::uint32_t>(value.size()));
  Append(out, value);
}

void Variant(SecureBytes& out, VariantType type, std::string_view name,
             std::span<const std::uint8_t> value) {
  out.push_back(type);
  AppendUInt32(out, static_cast<std::uint32_t>(name.size()));
  Append(out, name);
  AppendUInt32(out, static_cast<std::uint32_t>(value.size()));
  Append(out, value);
}

template <class T>
void VariantNumber(SecureBytes& out, VariantType type, std::string_view name, T value) {
  SecureBytes bytes;
  if constexpr (sizeof(T) == 4)
    AppendUInt32(bytes, value);
  else
    AppendUInt64(bytes, value);
  Variant(out, type, name, bytes);
}

SecureBytes Hash(std::string_view name,
                 std::initializer_list<std::span<const std::uint8_t>> parts) {
  const auto hash = Botan::HashFunction::create_or_throw(std::string(name));
  for (const auto& part : parts) hash->update(part.data(), part.size());
  return hash->final();
}

SecureBytes BlockHmacKey(std::uint64_t index, std::span<const std::uint8_t> hmacBaseKey) {
  SecureBytes indexBytes;
  AppendUInt64(indexBytes, index);
  return Hash("SHA-512", {indexBytes, hmacBaseKey});
}

}  // namespace

SecureBytes KdfParameterDictionary(const KdbxKdfParameters& kdf) {
  SecureBytes out;
  AppendUInt16(out, 0x0100);
  Variant(out, kByteArray, "$UUID", kKdfArgon2id);
  Variant(out, kByteArray, "S", kdf.salt);
  VariantNumber(out, kUInt32, "P", kdf.parallelism);
  VariantNumber(out, kUInt64, "M", kdf.memoryBytes);
  VariantNumber(out, kUInt64, "I", kdf.iterations);
  VariantNumber(out, kUInt32, "V", kArgon2Version);
  out.push_back(0);
  return out;
}

SecureBytes InnerHeader(std::span<const std::uint8_t, 64> innerKey) {
  SecureBytes out;
  SecureBytes id;
  AppendUInt32(id, kInnerStreamChaCha20);
  Field(out, kInnerStreamId, id);
  Field(out, kInnerStreamKey, innerKey);
  Field(out, kInnerEnd, {});
  return out;
}

SecureBytes SealKdbx(const KdbxKey& key, std::span<const std::uint8_t> compressedPayload) {
  std::array<std::uint8_t, 32> masterSeed;
  std::array<std::uint8_t, 16> iv;
  FillRandom(masterSeed);
  FillRandom(iv);

  SecureBytes out;
  out.reserve(compressedPayload.size() + compressedPayload.size() / kBlockSize * 40 + 4096);
  AppendUInt32(out, kSignature1);
  AppendUInt32(out, kSignature2);
  AppendUInt32(out, kVersion40);
  Field(out, kCipherId, kCipherAes256);
  SecureBytes compression;
  AppendUInt32(compression, kCompressionGzip);
  Field(out, kCompression, compression);
  Field(out, kMasterSeed, masterSeed);
  Field(out, kEncryptionIv, iv);
  Field(out, kKdfParameters, KdfParameterDictionary(key.kdf));
  static constexpr std::uint8_t kEndBytes[] = {'\r', '\n', '\r', '\n'};
  Field(out, kEndOfHeader, kEndBytes);

  static constexpr std::uint8_t kHmacKeyEnd[] = {0x01};
  const SecureBytes hmacBaseKey = Hash("SHA-512", {masterSeed, key.transformedKey, kHmacKeyEnd});
  const auto hmac = Botan::MessageAuthenticationCode::create_or_throw("HMAC(SHA-256)");
  const SecureBytes headerHash = Hash("SHA-256", {out});
  hmac->set_key(BlockHmacKey(~std::uint64_t{0}, hmacBaseKey));
  hmac->update(out);
  const SecureBytes headerHmac = hmac->final();
  Append(out, headerHash);
  Append(out, headerHmac);

  // Encrypt-then-MAC: the ciphertext is cut into blocks, each with the HMAC of its index,
  // size and data under a key of its own; an empty block ends the stream.
  const auto aes = Botan::Cipher_Mode::create_or_throw("AES-256/CBC/PKCS7", Botan::ENCRYPTION);
  aes->set_key(Hash("SHA-256", {masterSeed, key.transformedKey}));
  aes->start(iv.data(), iv.size());
  SecureBytes encrypted(compressedPayload.begin(), compressedPayload.end());
  aes->finish(encrypted);

  std::size_t offset = 0;
  for (std::uint64_t index = 0;; ++index) {
    const std::size_t size = std::min(kBlockSize, encrypted.size() - offset);
    SecureBytes prefix;
    AppendUInt64(prefix, index);
    AppendUInt32(prefix, static_cast<std::uint32_t>(size));
    hmac->set_key(BlockHmacKey(index, hmacBaseKey));
    hmac->update(prefix);
    hmac->update(encrypted.data() + offset, size);
    Append(out, hmac->final());
    Append(out, std::span<const std::uint8_t>(prefix).subspan(8));
    Append(out, std::span<const std::uint8_t>(encrypted.data() + offset, size));
    offset += size;
    if (size == 0) break;
  }
  return out;
}

}  // namespace bv
