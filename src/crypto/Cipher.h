#pragma once
// TCipher: a block cipher with its key schedule, initial vector and feedback register, key
// setup from a password through a hash, and the chaining of blocks (mode 0).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "crypto/Hash.h"
#include "crypto/Protection.h"

namespace bv {

// The chaining mode. Mode 0 is the only one the program uses.
enum TCipherMode : std::uint8_t {
  cmMode0 = 0
};

struct CipherSizes {
  std::int32_t BlockSize = 0;
  std::int32_t KeySize = 0;  // longest key in bytes; longer keys are cut
  std::uint32_t ScheduleSize = 0;
};

class TCipher : public TProtection {
 public:
  // Flag bits: only bit 1 is used (bit 0 stays clear).
  static constexpr int kFlagKeyed = 1;

  static CipherSizes QuerySizes() { return {}; }

  ~TCipher() override;
  const char* ClassName() const override { return "TCipher"; }

  TCipherMode Mode() const { return mode_; }
  void SetMode(TCipherMode mode) { mode_ = mode; }
  HashFactory HashClass() const { return hashClass_; }
  void SetHashClass(HashFactory hashClass);  // null: THash_RipeMD256
  std::int32_t BlockSize() const { return sizes_.BlockSize; }
  std::int32_t KeySize() const { return sizes_.KeySize; }
  std::uint32_t ScheduleSize() const { return sizes_.ScheduleSize; }
  std::uint32_t Flags() const { return flags_; }
  void SetFlag(int bit, bool value);
  [[nodiscard]] bool IsKeyed() const { return (flags_ >> kFlagKeyed) & 1U; }

  std::span<const std::uint8_t> Scratch() const { return {scratch_.get(), BlockBytes()}; }
  std::span<const std::uint8_t> Vector() const { return {vector_.get(), BlockBytes()}; }
  std::span<const std::uint8_t> Feedback() const { return {feedback_.get(), BlockBytes()}; }
  std::span<const std::uint8_t> Schedule() const {
    return {reinterpret_cast<const std::uint8_t*>(schedule_.get()), sizes_.ScheduleSize};
  }

  // Fails with ECipherException code 3 when the cipher is not keyed; resets the chain for
  // enciphering and deciphering, before and after, so every text starts from the vector.
  void StartAction(TProtectionAction action) override;
  void FinishAction(TProtectionAction action) override;
  void ProcessBuffer(void* buffer, std::size_t size, TProtectionAction action) override;

  virtual void EncipherBlock(void* block) = 0;
  virtual void DecipherBlock(void* block) = 0;
  // Key setup from raw key bytes; without a vector, the vector is the enciphered 0xFF block.
  virtual void Init(const void* key, std::size_t length, const void* vector) = 0;
  virtual void ResetChain();
  // Overwrites all key material (0xAA, then 0x55), leaving the vectors 0xFF and the scratch
  // block and schedule zero, and clears the keyed flags.
  virtual void WipeState();

  // Key setup from a password: the hash of its bytes is the key.
  void InitKey(std::string_view password, const void* vector = nullptr);
  // The hash object used by InitKey, made from HashClass on first use.
  THash& KeyHash();

  // Mode 0 over size bytes (any size; a last partial block keeps its length). Source and
  // destination may be the same memory. Throw ECipherException code 3 when not keyed.
  void EncipherBuffer(const void* source, void* destination, std::size_t size);
  void DecipherBuffer(const void* source, void* destination, std::size_t size);

 protected:
  TCipher(CipherSizes sizes, std::shared_ptr<TProtection> next);

  // Start and end of every Init: length is cut to KeySize.
  void StartKeySetup(std::size_t& length);
  void FinishKeySetup(const void* vector);
  // The schedule as 32-bit words, for the block transformations.
  std::uint32_t* ScheduleWords() { return schedule_.get(); }
  const std::uint32_t* ScheduleWords() const { return schedule_.get(); }

 private:
  std::size_t BlockBytes() const { return static_cast<std::size_t>(sizes_.BlockSize); }
  void RequireKeyed() const;
  // The last r bytes of a buffer: XOR with the enciphered feedback register.
  void ProcessTail(const std::uint8_t* source, std::uint8_t* destination, std::size_t r);

  TCipherMode mode_ = cmMode0;
  std::shared_ptr<THash> hashObject_;
  HashFactory hashClass_;
  CipherSizes sizes_;
  std::unique_ptr<std::uint8_t[]> scratch_;
  std::unique_ptr<std::uint8_t[]> vector_;
  std::unique_ptr<std::uint8_t[]> feedback_;
  std::unique_ptr<std::uint32_t[]> schedule_;  // ScheduleSize bytes, word-aligned
  std::uint32_t flags_ = 0;
};

}  // namespace bv
