#include "tools/RandomSource.h"

#include <sys/random.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "crypto/Bytes.h"

namespace bv {

std::uint32_t UniformBelow(std::uint32_t bound, const std::function<std::uint32_t()>& next32) {
  // (2^32 - bound) mod bound == 2^32 mod bound, computed without 64-bit arithmetic.
  const std::uint32_t rejectBelow = static_cast<std::uint32_t>(-bound) % bound;
  for (;;) {
    const std::uint32_t draw = next32();
    if (draw >= rejectBelow) return draw % bound;
  }
}

SystemRandom::~SystemRandom() { WipeBytes(buffer_.data(), 0, sizeof buffer_); }

std::uint32_t SystemRandom::Below(std::uint32_t bound) {
  return UniformBelow(bound, [this] { return Next32(); });
}

std::uint32_t SystemRandom::Next32() {
  if (left_ == 0) {
    auto* bytes = reinterpret_cast<unsigned char*>(buffer_.data());
    std::size_t filled = 0;
    while (filled < sizeof buffer_) {
      const ssize_t got = getrandom(bytes + filled, sizeof buffer_ - filled, 0);
      if (got < 0) {
        if (errno == EINTR) continue;
        throw std::system_error(errno, std::generic_category(), "getrandom");
      }
      filled += static_cast<std::size_t>(got);
    }
    left_ = buffer_.size();
  }
  --left_;
  const std::uint32_t value = buffer_[left_];
  buffer_[left_] = 0;
  return value;
}

}  // namespace bv
