#include "crypto/Bytes.h"

#include <cstring>

namespace bv {

void WipeBytes(void* data, std::uint8_t value, std::size_t count) {
  if (count == 0) return;
  std::memset(data, value, count);
  // The empty assembly statement claims to read the memory, so the stores above must happen.
  asm volatile("" : : "r"(data) : "memory");
}

}  // namespace bv
