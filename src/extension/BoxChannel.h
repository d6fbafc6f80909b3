#pragma once
// The boxes of one browser connection: NaCl crypto_box (X25519, XSalsa20-Poly1305) between a
// key pair made here for the connection and the browser's public key of the moment. A message
// opens only under a nonce of 24 bytes never used before on this channel; the answer is
// sealed under that nonce incremented. Secret keys are wiped when the channel goes.

#include <array>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace bv {

inline constexpr std::size_t kBoxKeyBytes = 32;
inline constexpr std::size_t kBoxNonceBytes = 24;
using BoxNonce = std::array<unsigned char, kBoxNonceBytes>;

[[nodiscard]] std::string ToBase64(std::string_view bytes);
[[nodiscard]] std::optional<std::string> FromBase64(std::string_view text);
[[nodiscard]] std::optional<BoxNonce> NonceFromBase64(std::string_view text);
[[nodiscard]] BoxNonce Incremented(BoxNonce nonce);

class BoxChannel {
 public:
  BoxChannel();  // a fresh key pair for this connection
  ~BoxChannel();
  BoxChannel(const BoxChannel&) = delete;
  BoxChannel& operator=(const BoxChannel&) = delete;

  // Takes the browser's public key (base64 of 32 bytes); false when it is not one. A new key
  // starts a new session: a new key pair of ours and no nonce seen.
  bool ChangeClientKey(std::string_view base64);
  [[nodiscard]] bool HasClientKey() const { return hasClient_; }
  [[nodiscard]] bool IsClientKey(std::string_view base64) const;
  [[nodiscard]] std::string OurPublicKeyBase64() const;

  // Marks nonce as used; false when it was used before on this channel.
  bool TakeNonce(const BoxNonce& nonce);
  // The plain text of a boxed message (base64) under nonce, or nothing when it does not open.
  [[nodiscard]] std::optional<std::string> Open(std::string_view boxBase64,
                                                const BoxNonce& nonce) const;
  // message boxed under nonce, in base64.
  [[nodiscard]] std::string Seal(std::string_view message, const BoxNonce& nonce) const;

 private:
  void NewKeyPair();

  std::array<unsigned char, kBoxKeyBytes> ourPublic_{};
  std::array<unsigned char, kBoxKeyBytes> ourSecret_{};
  std::array<unsigned char, kBoxKeyBytes> clientPublic_{};
  bool hasClient_ = false;
  std::set<BoxNonce> seen_;
};

}  // namespace bv
