#pragma once
// The field cipher: one text field enciphered with the master password.
// Blowfish keyed with RIPEMD-256(key), chaining mode 0 from the enciphered all-0xFF block,
// the ciphertext written as XX text. Deterministic; a plain text of n bytes gives
// L(n) = ceil(n/45) + 4*ceil(n/3) characters (0 for n = 0).

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bv {

class TCipher_Blowfish;
class ChainBatch;
struct TextSpan;

// Each call keys a fresh cipher. Throws ECipherException (code 3) for an empty key with a
// non-empty text; DecipherField throws EStringFormat for text that is not valid XX.
std::string EncipherField(std::string_view text, std::string_view key);
std::string DecipherField(std::string_view text, std::string_view key);

// Length of the enciphered form of a plain text of n bytes.
[[nodiscard]] std::size_t EncipheredLength(std::size_t n);

// One keyed cipher reused for many fields (a whole load or save): the same bytes as the
// per-call functions, because the chain is reset to the vector before every text.
class FieldCipher {
 public:
  explicit FieldCipher(std::string_view key);
  ~FieldCipher();
  FieldCipher(const FieldCipher&) = delete;
  FieldCipher& operator=(const FieldCipher&) = delete;

  std::string Encipher(std::string_view text);
  std::string Decipher(std::string_view text);

  // The texts of one record at once, each with the result of the one-text call above. The
  // texts' blocks do not depend on each other, so they run side by side, and the strings
  // given for the results keep their storage from record to record.
  // EncipherEach fails as Encipher does.
  void EncipherEach(std::span<const std::string_view> texts, std::span<std::string* const> out);
  // Each out[i] gets what Decipher(texts[i]) gives, or is emptied where Decipher would fail;
  // false when any text failed.
  [[nodiscard]] bool DecipherEach(std::span<const std::string_view> texts,
                                  std::span<std::string* const> out);
  // True when every texts[i] deciphers (as Decipher would, without failing) to plains[i].
  [[nodiscard]] bool DeciphersTo(std::span<const std::string_view> texts,
                                 std::span<const std::string_view> plains);

 private:
  void RequireKeyed() const;
  // The binary form of every text into bytes_, one after another (spans_[i]); a text that
  // Decipher would refuse gets an empty span and a false entry in decoded_.
  void DecodeAll(std::span<const std::string_view> texts);
  // After deciphering, bytes_ holds plain text.
  void WipeDecoded();

  std::unique_ptr<TCipher_Blowfish> cipher_;
  std::unique_ptr<ChainBatch> chains_;
  std::string bytes_;
  std::vector<TextSpan> spans_;
  std::vector<bool> decoded_;
};

}  // namespace bv
