#include "app/HeldVersion.h"

#include <utility>

#include "profiledialogs/DialogKit.h"

namespace bv {

void HeldVersion::Hold(ProfileBytes version, std::string_view password) {
  Forget();
  version_ = std::move(version);
  password_.assign(password);
  holds_ = true;
}

void HeldVersion::Forget() {
  dialogkit::WipeText(password_);
  version_ = {};
  holds_ = false;
}

}  // namespace bv
