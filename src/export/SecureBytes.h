#pragma once
// Byte buffers for key material and for anything that holds a password: their memory is
// wiped whenever it is released, also when a growing buffer moves to a larger block.

#include <cstdint>
#include <span>
#include <string_view>

#include <botan/secmem.h>

namespace bv {

using SecureBytes = Botan::secure_vector<std::uint8_t>;

inline void Append(SecureBytes& out, std::string_view text) {
  out.insert(out.end(), text.begin(), text.end());
}
inline void Append(SecureBytes& out, std::span<const std::uint8_t> bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
}
void AppendUInt16(SecureBytes& out, std::uint16_t value);  // little-endian, as every number
void AppendUInt32(SecureBytes& out, std::uint32_t value);
void AppendUInt64(SecureBytes& out, std::uint64_t value);

// Fills out from the operating system's cryptographic source (getrandom); throws
// std::system_error when it fails.
void FillRandom(std::span<std::uint8_t> out);

}  // namespace bv
