#include "extension/BoxChannel.h"

#include <sodium.h>

#include <stdexcept>
#include <vector>

namespace bv {
namespace {

const int kSodiumReady = [] {
  if (sodium_init() < 0) throw std::runtime_error("libsodium cannot start");
  return 0;
}();

}  // namespace

std::string ToBase64(std::string_view bytes) {
  static_cast<void>(kSodiumReady);
  const int variant = sodium_base64_VARIANT_ORIGINAL;
  std::string out(sodium_base64_encoded_len(bytes.size(), variant), '\0');
  sodium_bin2base64(out.data(), out.size(), reinterpret_cast<const unsigned char*>(bytes.data()),
                    bytes.size(), variant);
  out.resize(out.size() - 1);  // the terminating zero
  return out;
}

std::optional<std::string> FromBase64(std::string_view text) {
  std::string out(text.size() / 4 * 3 + 3, '\0');
  std::size_t length = 0;
  const char* end = nullptr;
  if (sodium_base642bin(reinterpret_cast<unsigned char*>(out.data()), out.size(), text.data(),
                        text.size(), nullptr, &length, &end, sodium_base64_VARIANT_ORIGINAL) != 0 ||
      end != text.data() + text.size()) {
    return std::nullopt;
  }
  out.resize(length);
  return out;
}

std::optional<BoxNonce> NonceFromBase64(std::string_view text) {
  const auto bytes = FromBase64(text);
  if (!bytes || bytes->size() != kBoxNonceBytes) return std::nullopt;
  BoxNonce nonce{};
  std::copy(bytes->begin(), bytes->end(), nonce.begin());
  return nonce;
}

BoxNonce Incremented(BoxNonce nonce) {
  sodium_increment(nonce.data(), nonce.size());
  return nonce;
}

BoxChannel::BoxChannel() { NewKeyPair(); }

BoxChannel::~BoxChannel() {
  sodium_memzero(ourSecret_.data(), ourSecret_.size());
  sodium_memzero(clientPublic_.data(), clientPublic_.size());
}

void BoxChannel::NewKeyPair() { crypto_box_keypair(ourPublic_.data(), ourSecret_.data()); }

bool BoxChannel::ChangeClientKey(std::string_view base64) {
  const auto key = FromBase64(base64);
  if (!key || key->size() != kBoxKeyBytes) return false;
  NewKeyPair();
  std::copy(key->begin(), key->end(), clientPublic_.begin());
  hasClient_ = true;
  seen_.clear();
  return true;
}

bool BoxChannel::IsClientKey(std::string_view base64) const {
  const auto key = FromBase64(base64);
  return hasClient_ && key && key->size() == kBoxKeyBytes &&
         sodium_memcmp(key->data(), clientPublic_.data(), kBoxKeyBytes) == 0;
}

std::string BoxChannel::OurPublicKeyBase64() const {
  return ToBase64({reinterpret_cast<const char*>(ourPublic_.data()), ourPublic_.size()});
}

bool BoxChannel::TakeNonce(const BoxNonce& nonce) { return seen_.insert(nonce).second; }

std::optional<std::string> BoxChannel::Open(std::string_view boxBase64,
                                            const BoxNonce& nonce) const {
  if (!hasClient_) return std::nullopt;
  const auto box = FromBase64(boxBase64);
  if (!box || box->size() < crypto_box_MACBYTES) return std::nullopt;
  std::string plain(box->size() - crypto_box_MACBYTES, '\0');
  if (crypto_box_open_easy(reinterpret_cast<unsigned char*>(plain.data()),
                           reinterpret_cast<const unsigned char*>(box->data()), box->size(),
                           nonce.data(), clientPublic_.data(), ourSecret_.data()) != 0) {
    return std::nullopt;
  }
  return plain;
}

std::string BoxChannel::Seal(std::string_view message, const BoxNonce& nonce) const {
  std::string box(message.size() + crypto_box_MACBYTES, '\0');
  if (crypto_box_easy(reinterpret_cast<unsigned char*>(box.data()),
                      reinterpret_cast<const unsigned char*>(message.data()), message.size(),
                      nonce.data(), clientPublic_.data(), ourSecret_.data()) != 0) {
    return {};
  }
  return ToBase64(box);
}

}  // namespace bv
