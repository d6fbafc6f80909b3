#include "app/HeldVersion.h"

#include <utility>

#include "crypto/WipedText.h"
#include "files/InOutError.h"

namespace bv {

void HeldVersion::Hold(ProfileBytes version, std::string_view password) {
  Forget();
  fingerprint_ = version.fingerprint;
  digest_ = fingerprint_.digest;
  bytes_ = std::move(version);
  password_.assign(password);
  holds_ = true;
}

void HeldVersion::Hold(OpenVersion version, std::string_view password) {
  Forget();
  fingerprint_ = {version.Stat(), std::nullopt};
  open_ = std::move(version);
  password_.assign(password);
  holds_ = true;
}

void HeldVersion::Swap(HeldVersion& other) noexcept {
  std::swap(fingerprint_, other.fingerprint_);
  std::swap(bytes_, other.bytes_);
  std::swap(open_, other.open_);
  std::swap(digest_, other.digest_);
  std::swap(password_, other.password_);
  std::swap(holds_, other.holds_);
}

void HeldVersion::Retime(const FileFingerprint& fingerprint) {
  fingerprint_.stat = fingerprint.stat;
  if (!fingerprint.digest) return;
  digest_ = fingerprint.digest;
  // The file was shown to have the held bytes: a descriptor that reads that same file compares
  // with its new times from now on.
  open_.Retime(fingerprint.stat);
}

Sha256 HeldVersion::Digest() const {
  if (digest_) return *digest_;
  if (bytes_) {
    digest_ = Sha256Of(bytes_->bytes);
  } else if (open_.IsOpen()) {
    try {
      digest_ = open_.DigestAgain();
    } catch (const EInOutError&) {}
    if (!digest_) Lose();
  }
  return digest_.value_or(Sha256{});
}

const ProfileBytes* HeldVersion::Bytes() const {
  if (bytes_ || !open_.IsOpen()) return bytes_ ? &*bytes_ : nullptr;
  std::optional<WholeFile> again;
  try {
    again = open_.ReadAgain();
  } catch (const EInOutError&) {}
  // Bytes of the same size and times that no longer have the digest worked out before are
  // another writer's, written in place within one tick of the clock.
  if (!again || (digest_ && Sha256Of(again->bytes) != *digest_)) {
    Lose();
    return nullptr;
  }
  bytes_ =
      ProfileBytes{.bytes = std::move(again->bytes), .special = false, .fingerprint = fingerprint_};
  open_ = {};  // the bytes are here now
  return &*bytes_;
}

void HeldVersion::Lose() const { open_ = {}; }

void HeldVersion::Forget() {
  WipeString(password_);
  fingerprint_ = {};
  bytes_.reset();
  open_ = {};
  digest_.reset();
  holds_ = false;
}

}  // namespace bv
