#pragma once
// TProtection: the base of every processing object (ciphers and hashes). It defines the
// five processing actions and runs an action over a buffer, a stream or a text.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

namespace bv {

enum TProtectionAction : std::uint8_t {
  actEncipher,
  actDecipher,
  actScramble,
  actCalculate,
  actWipe
};

// A set of actions; bit n stands for action n.
class ProtectionActions {
 public:
  constexpr ProtectionActions() = default;
  constexpr ProtectionActions(std::initializer_list<TProtectionAction> actions) {
    for (auto action : actions) Include(action);
  }
  static constexpr ProtectionActions All() {
    return {actEncipher, actDecipher, actScramble, actCalculate, actWipe};
  }

  [[nodiscard]] constexpr bool Contains(TProtectionAction action) const {
    return (bits_ >> action) & 1U;
  }
  constexpr void Include(TProtectionAction action) {
    bits_ |= static_cast<std::uint8_t>(1U << action);
  }
  constexpr std::uint8_t Bits() const { return bits_; }
  friend constexpr bool operator==(ProtectionActions, ProtectionActions) = default;

 private:
  std::uint8_t bits_ = 0;
};

class TProtection {
 public:
  // Chunk size of ProcessStream: a multiple of every block size, so only the last chunk
  // can end inside a block and chunking never changes the result.
  static constexpr std::size_t kChunkSize = 4096;

  explicit TProtection(std::shared_ptr<TProtection> next = nullptr);
  virtual ~TProtection();
  TProtection(const TProtection&) = delete;
  TProtection& operator=(const TProtection&) = delete;

  virtual const char* ClassName() const { return "TProtection"; }

  // The object every action is passed on to. Throws EProtection when the new object's
  // chain leads back to this one.
  const std::shared_ptr<TProtection>& Next() const { return next_; }
  void SetNext(std::shared_ptr<TProtection> next);

  ProtectionActions Actions() const { return actions_; }
  void SetActions(ProtectionActions actions) { actions_ = actions; }

  virtual void StartAction(TProtectionAction action);
  virtual void FinishAction(TProtectionAction action);
  virtual void ProcessBuffer(void* buffer, std::size_t size, TProtectionAction action);

  // Processes size bytes (all of the source, from its start, when size is negative) from the
  // read position of source to the write position of destination; both may be one stream.
  // No destination means in place.
  void ProcessStream(std::iostream* source, std::iostream* destination, TProtectionAction action,
                     std::int64_t size = -1);
  // Deciphering decodes the text from the format first; every other action encodes its
  // result in the format.
  std::string ProcessText(std::string_view text, TProtectionAction action, std::int32_t formatId);
  std::size_t ProcessData(void* buffer, std::size_t size, TProtectionAction action);

 private:
  std::shared_ptr<TProtection> next_;
  ProtectionActions actions_ = ProtectionActions::All();
};

}  // namespace bv
