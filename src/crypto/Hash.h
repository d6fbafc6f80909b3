#pragma once
// The hash framework: THash is the interface, THash_MD4 the buffering and padding of the
// MD4 family together with the MD4 compression. Use: Init, Update..., Final, then Digest.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "crypto/Protection.h"

namespace bv {

class THash : public TProtection {
 public:
  THash() = default;
  const char* ClassName() const override { return "THash"; }

  virtual void Init() {}
  virtual void Update(const void* data, std::size_t length);
  virtual void Final() {}
  // The digest bytes; the base class has none.
  virtual std::uint8_t* Digest() { return nullptr; }
  virtual std::size_t DigestSize() const { return 0; }
};

// A hash class as a value: makes a new, initialised instance of that class.
using HashFactory = std::shared_ptr<THash> (*)();

class THash_MD4 : public THash {
 public:
  THash_MD4();
  ~THash_MD4() override;
  const char* ClassName() const override { return "THash_MD4"; }
  static std::shared_ptr<THash> Create();

  void Init() override;
  void Update(const void* data, std::size_t length) override;
  void Final() override;
  // The chaining variables stored little-endian, as the published algorithms output them.
  std::uint8_t* Digest() override { return reinterpret_cast<std::uint8_t*>(State); }
  std::size_t DigestSize() const override { return 16; }

 protected:
  virtual void Compress(const std::uint8_t* block);

  // A 64-bit count gives the published length field for every input size (a 32-bit bit
  // count would go wrong from 512 MiB on).
  std::uint64_t ByteCount = 0;
  std::uint8_t Block[64] = {};
  std::uint32_t State[10] = {};
};

}  // namespace bv
