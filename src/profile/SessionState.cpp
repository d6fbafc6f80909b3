#include "profile/SessionState.h"

namespace bv {

void SessionState::SetSessionPassword(std::string_view password) {
  WipePassword();
  password_.assign(password);
}

void SessionState::WipePassword() {
  // Through a volatile pointer, so that the stores are not dropped as dead.
  volatile char* bytes = password_.data();
  for (std::size_t i = 0; i < password_.size(); ++i) bytes[i] = 0;
  password_.clear();
}

}  // namespace bv
