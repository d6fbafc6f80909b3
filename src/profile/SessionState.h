#pragma once
// The session of the open profile: where it lives, the master password it was opened
// with, whether one is open and whether it has unsaved changes, and the header buffer
// (owner, title, verifier). The main window's ProfileSession owns the one session and alone
// changes it.

#include <filesystem>
#include <string>
#include <string_view>

#include "profile/NodeData.h"

namespace bv {

class SessionState {
 public:
  SessionState() = default;
  SessionState(const SessionState&) = delete;
  SessionState& operator=(const SessionState&) = delete;
  ~SessionState() { WipePassword(); }

  std::filesystem::path ProfilePath;
  bool ProfileOpen = false;
  bool Modified = false;
  TProfileHeader Header;

  const std::string& SessionPassword() const { return password_; }
  void SetSessionPassword(std::string_view password);
  // Overwrites the password before its memory is given back.
  void WipePassword();

 private:
  std::string password_;  // Windows-1252
};

}  // namespace bv
