#include "app/HeldVersion.h"

#include <utility>

#include "crypto/WipedText.h"
#include "profiledialogs/DialogKit.h"

namespace bv {

void HeldVersion::Hold(ProfileBytes version, std::string_view password) {
  Forget();
  version_ = std::move(version);
  digest_ = version_.fingerprint.digest;
  password_.assign(password);
  holds_ = true;
}

void HeldVersion::Swap(HeldVersion& other) noexcept {
  std::swap(version_, other.version_);
  std::swap(password_, other.password_);
  std::swap(holds_, other.holds_);
  std::swap(digest_, other.digest_);
}

void HeldVersion::Retime(const FileFingerprint& fingerprint) {
  version_.fingerprint.stat = fingerprint.stat;
  if (fingerprint.digest) digest_ = fingerprint.digest;
}

Sha256 HeldVersion::Digest() const {
  if (!digest_) digest_ = Sha256Of(version_.bytes);
  return *digest_;
}

void HeldVersion::Forget() {
  WipeString(password_);
  version_ = {};
  digest_.reset();
  holds_ = false;
}

}  // namespace bv
