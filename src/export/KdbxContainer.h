#pragma once
// The binary container of a KDBX 4.0 file around its compressed payload: the outer header
// (signatures, version, cipher AES-256-CBC, gzip, master seed, IV, Argon2id parameters), its
// SHA-256 and HMAC-SHA-256, then the payload encrypted and cut into HMAC-authenticated
// blocks.

#include <array>
#include <cstdint>
#include <span>

#include "export/KdbxKey.h"
#include "export/SecureBytes.h"

namespace bv {

// The Argon2id parameters as a variant dictionary (version 1.0): $UUID, S, P, M, I, V.
SecureBytes KdfParameterDictionary(const KdbxKdfParameters& kdf);

// The inner header that precedes the XML: ChaCha20 inner random stream with its key.
SecureBytes InnerHeader(std::span<const std::uint8_t, 64> innerKey);

// The whole file for a gzip-compressed payload (inner header and XML), with a fresh master
// seed and IV.
SecureBytes SealKdbx(const KdbxKey& key, std::span<const std::uint8_t> compressedPayload);

}  // namespace bv
