#include "crypto/Cipher.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "crypto/Bytes.h"
#include "crypto/Exceptions.h"
#include "crypto/RipeMD256.h"

namespace bv {

TCipher::TCipher(CipherSizes sizes, std::shared_ptr<TProtection> next)
    : TProtection(std::move(next)),
      hashClass_(&THash_RipeMD256::Create),
      sizes_(sizes),
      scratch_(new std::uint8_t[BlockBytes()]),
      vector_(new std::uint8_t[BlockBytes()]),
      feedback_(new std::uint8_t[BlockBytes()]),
      schedule_(new std::uint32_t[(sizes.ScheduleSize + 3) / 4]) {
  TCipher::WipeState();
}

TCipher::~TCipher() { TCipher::WipeState(); }

void TCipher::SetHashClass(HashFactory hashClass) {
  if (hashClass == nullptr) hashClass = &THash_RipeMD256::Create;  // never left without a hash
  if (hashClass == hashClass_) return;
  hashClass_ = hashClass;
  hashObject_.reset();
}

void TCipher::SetFlag(int bit, bool value) {
  const std::uint32_t mask = 1U << bit;
  flags_ = value ? (flags_ | mask) : (flags_ & ~mask);
}

void TCipher::RequireKeyed() const {
  if (!IsKeyed()) throw CipherNotInitialized(ClassName());
}

void TCipher::StartAction(TProtectionAction action) {
  RequireKeyed();
  if (action == actEncipher || action == actDecipher) ResetChain();
  TProtection::StartAction(action);
}

void TCipher::FinishAction(TProtectionAction action) {
  TProtection::FinishAction(action);
  if (action == actEncipher || action == actDecipher) ResetChain();
}

void TCipher::ProcessBuffer(void* buffer, std::size_t size, TProtectionAction action) {
  // Deciphering runs a chain of protections in the reverse order of enciphering.
  if (action == actDecipher) {
    if (Actions().Contains(actDecipher)) DecipherBuffer(buffer, buffer, size);
    TProtection::ProcessBuffer(buffer, size, action);
  } else {
    TProtection::ProcessBuffer(buffer, size, action);
    if (Actions().Contains(action)) EncipherBuffer(buffer, buffer, size);
  }
}

void TCipher::ResetChain() {
  const std::size_t n = BlockBytes();
  if (std::memcmp(feedback_.get(), vector_.get(), n) != 0) {
    std::memcpy(scratch_.get(), feedback_.get(), n);
    std::memcpy(feedback_.get(), vector_.get(), n);
  }
}

void TCipher::WipeState() {
  SetFlag(kFlagKeyed, false);
  const std::size_t n = BlockBytes();
  auto* schedule = schedule_.get();
  for (const std::uint8_t fill : {0xAA, 0x55}) {
    WipeBytes(vector_.get(), fill, n);
    WipeBytes(feedback_.get(), fill, n);
    WipeBytes(scratch_.get(), fill, n);
    WipeBytes(schedule, fill, sizes_.ScheduleSize);
  }
  WipeBytes(vector_.get(), 0xFF, n);
  WipeBytes(feedback_.get(), 0xFF, n);
  WipeBytes(scratch_.get(), 0x00, n);
  WipeBytes(schedule, 0x00, sizes_.ScheduleSize);
}

void TCipher::StartKeySetup(std::size_t& length) {
  SetFlag(kFlagKeyed, false);
  WipeState();
  length = std::min(length, static_cast<std::size_t>(std::max(sizes_.KeySize, 0)));
}

void TCipher::FinishKeySetup(const void* vector) {
  if (vector != nullptr) {
    std::memcpy(vector_.get(), vector, BlockBytes());
  } else {
    EncipherBlock(vector_.get());  // the all-0xFF block left by WipeState
  }
  std::memcpy(feedback_.get(), vector_.get(), BlockBytes());
  SetFlag(kFlagKeyed, true);
}

THash& TCipher::KeyHash() {
  if (!hashObject_) hashObject_ = hashClass_();
  return *hashObject_;
}

void TCipher::InitKey(std::string_view password, const void* vector) {
  THash& hash = KeyHash();
  hash.Init();
  hash.Update(password.data(), password.size());
  hash.Final();
  const std::size_t length =
      std::min(hash.DigestSize(), static_cast<std::size_t>(std::max(sizes_.KeySize, 0)));
  Init(hash.Digest(), length, vector);
  // Enciphering the digest in place destroys it; it is not needed again.
  EncipherBuffer(hash.Digest(), hash.Digest(), hash.DigestSize());
  ResetChain();
}

void TCipher::EncipherBuffer(const void* source, void* destination, std::size_t size) {
  RequireKeyed();
  const std::size_t n = BlockBytes();
  const auto* in = static_cast<const std::uint8_t*>(source);
  auto* out = static_cast<std::uint8_t*>(destination);
  std::uint8_t* f = feedback_.get();
  for (; size >= n; size -= n, in += n, out += n) {
    XorBytes(in, f, n, out);
    EncipherBlock(out);
    XorBytes(out, f, n, f);
  }
  if (size > 0) ProcessTail(in, out, size);
}

void TCipher::DecipherBuffer(const void* source, void* destination, std::size_t size) {
  RequireKeyed();
  const std::size_t n = BlockBytes();
  const auto* in = static_cast<const std::uint8_t*>(source);
  auto* out = static_cast<std::uint8_t*>(destination);
  // The next register value is formed in the other buffer before the block is deciphered,
  // because the block may be deciphered in place; the buffers trade roles every block.
  std::uint8_t* f = feedback_.get();
  std::uint8_t* next = scratch_.get();
  for (; size >= n; size -= n, in += n, out += n) {
    XorBytes(in, f, n, next);
    if (out != in) std::memcpy(out, in, n);
    DecipherBlock(out);
    XorBytes(out, f, n, out);
    std::swap(f, next);
  }
  if (f != feedback_.get()) std::memcpy(feedback_.get(), f, n);
  if (size > 0) ProcessTail(in, out, size);
}

void TCipher::ProcessTail(const std::uint8_t* source, std::uint8_t* destination, std::size_t r) {
  const std::size_t n = BlockBytes();
  std::uint8_t* scratch = scratch_.get();
  std::memcpy(scratch, feedback_.get(), n);
  EncipherBlock(scratch);
  XorBytes(source, scratch, r, destination);
  XorBytes(scratch, feedback_.get(), n, feedback_.get());
}

}  // namespace bv
