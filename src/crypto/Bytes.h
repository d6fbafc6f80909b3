#pragma once
// Byte helpers shared by the ciphers and hashes.

#include <cstddef>
#include <cstdint>

namespace bv {

// destination[i] = a[i] XOR b[i] for i below count; destination may be a or b.
inline void XorBytes(const void* a, const void* b, std::size_t count, void* destination) {
  const auto* x = static_cast<const std::uint8_t*>(a);
  const auto* y = static_cast<const std::uint8_t*>(b);
  auto* d = static_cast<std::uint8_t*>(destination);
  for (std::size_t i = 0; i < count; ++i) d[i] = static_cast<std::uint8_t>(x[i] ^ y[i]);
}

// Fills memory that is about to be released or reused. Unlike a plain memset, the stores
// cannot be dropped by the optimiser as dead, so key material really is overwritten.
void WipeBytes(void* data, std::uint8_t value, std::size_t count);

}  // namespace bv
