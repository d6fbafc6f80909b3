#include "app/HeldVersion.h"

#include <utility>

#include "crypto/WipedText.h"
#include "profile/DialogKit.h"

namespace bv {

void HeldVersion::Hold(ProfileBytes version, std::string_view password) {
  Forget();
  version_ = std::move(version);
  password_.assign(password);
  holds_ = true;
}

void HeldVersion::Swap(HeldVersion& other) noexcept {
  std::swap(version_, other.version_);
  std::swap(password_, other.password_);
  std::swap(holds_, other.holds_);
}

void HeldVersion::Forget() {
  WipeString(password_);
  version_ = {};
  holds_ = false;
}

}  // namespace bv
