#pragma once
// The key of a KDBX 4 file: the password's composite key (SHA-256 of SHA-256 of the UTF-8
// password) transformed by Argon2id under a fresh random salt.

#include <array>
#include <cstdint>
#include <string_view>

#include "export/KdbxWriter.h"
#include "export/SecureBytes.h"

namespace bv {

// The Argon2id parameters the file header records (version 0x13 always).
struct KdbxKdfParameters {
  std::array<std::uint8_t, 32> salt{};
  std::uint64_t memoryBytes = 0;
  std::uint32_t parallelism = 0;
  std::uint64_t iterations = 0;
};

struct KdbxKey {
  KdbxKdfParameters kdf;
  SecureBytes transformedKey;  // 32 bytes
};

// Checks the settings (std::invalid_argument: memory not a whole number of KiB or below
// 8 KiB per lane, parallelism 0, iterations 1), calibrates the iterations when they are 0,
// draws the salt and derives the key. passwordUtf8 must not be empty.
KdbxKey DeriveKdbxKey(std::string_view passwordUtf8, const KdbxKeySettings& settings);

// Iterations of Argon2id with this memory and parallelism that take about one second here
// (timed in processor time on a derivation of 2 iterations, so a busy moment does not weaken
// the key), at least 2.
std::uint64_t CalibrateArgon2Iterations(std::uint64_t memoryBytes, std::uint32_t parallelism);

// Argon2id of a composite key, 32 bytes.
SecureBytes TransformKey(std::span<const std::uint8_t> compositeKey, const KdbxKdfParameters& kdf);

}  // namespace bv
