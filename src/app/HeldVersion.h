#pragma once
// The version of its profile file that the session holds: the file's fingerprint at the last
// load or save, the enciphered bytes of that version as read or written, and the password
// they were written with (change-password re-enciphers only what is saved next). It is the
// base of a merge with a version another writer saved since; the bytes stay enciphered, so
// no second plain copy of the profile lives in memory.

#include <string>
#include <string_view>

#include "profile/ProfileReader.h"

namespace bv {

class HeldVersion {
 public:
  HeldVersion() = default;
  HeldVersion(const HeldVersion&) = delete;
  HeldVersion& operator=(const HeldVersion&) = delete;
  ~HeldVersion() { Forget(); }

  void Hold(ProfileBytes version, std::string_view password);
  // Takes other's version, password and all; other holds what this one held.
  void Swap(HeldVersion& other) noexcept;
  // Nothing held; the password is wiped.
  void Forget();
  // The same bytes under the times the file shows now (touched, or rewritten alike).
  void Retime(const FileFingerprint& fingerprint) { version_.fingerprint = fingerprint; }

  [[nodiscard]] bool Holds() const { return holds_; }
  [[nodiscard]] const FileFingerprint& Fingerprint() const { return version_.fingerprint; }
  [[nodiscard]] const ProfileBytes& Bytes() const { return version_; }
  [[nodiscard]] const std::string& Password() const { return password_; }

 private:
  ProfileBytes version_;
  std::string password_;  // Windows-1252
  bool holds_ = false;
};

}  // namespace bv
