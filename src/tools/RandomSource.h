#pragma once
// Where generated passwords get their randomness: the operating system's cryptographic
// source (getrandom), reduced to a range without modulo bias.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace bv {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // A number drawn uniformly from 0 .. bound-1; bound must be at least 1.
  virtual std::uint32_t Below(std::uint32_t bound) = 0;
};

// Reduces 32-bit draws to 0 .. bound-1 by rejection: draws below 2^32 mod bound are thrown
// away, so every result stands for the same number of draws.
std::uint32_t UniformBelow(std::uint32_t bound, const std::function<std::uint32_t()>& next32);

class SystemRandom final : public RandomSource {
 public:
  SystemRandom() = default;
  ~SystemRandom() override;  // wipes the unused random bytes
  SystemRandom(const SystemRandom&) = delete;
  SystemRandom& operator=(const SystemRandom&) = delete;

  std::uint32_t Below(std::uint32_t bound) override;

 private:
  std::uint32_t Next32();  // throws std::system_error when the source fails

  // One getrandom call fills many draws.
  std::array<std::uint32_t, 64> buffer_{};
  std::size_t left_ = 0;
};

}  // namespace bv
