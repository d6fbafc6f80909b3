#pragma once
// The main window's session variables, set directly by a test that puts the window in a
// state without a profile file behind it. The program itself changes them only through
// ProfileSession.

#include "app/ProfileSession.h"
#include "app/TFPrincipal.h"
#include "support/gui/WindowHarness.h"

namespace bv::test {

struct SessionBackDoor {
  static SessionState& State(ProfileSession& session) { return session.state_; }
};

inline SessionState& SessionOf(TFPrincipal& window) {
  return SessionBackDoor::State(Inside(window).Profile());
}

}  // namespace bv::test
