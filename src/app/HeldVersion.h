#pragma once
// The version of its profile file that the session holds: the file's fingerprint at the last
// load or save, the enciphered bytes of that version as read or written (the buffer the read
// or the save filled, never a copy), and the password
// they were written with (change-password re-enciphers only what is saved next). It is the
// base of a merge with a version another writer saved since; the bytes stay enciphered, so
// no second plain copy of the profile lives in memory.

#include <optional>
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
  void Retime(const FileFingerprint& fingerprint);

  [[nodiscard]] bool Holds() const { return holds_; }
  // Its digest is there once worked out: a load does not, a save does as it writes.
  [[nodiscard]] const FileFingerprint& Fingerprint() const { return version_.fingerprint; }
  // The digest of the held bytes, worked out the first time it is asked for (when a look at
  // the disk finds the file's identity, size or times changed).
  [[nodiscard]] Sha256 Digest() const;
  [[nodiscard]] const ProfileBytes& Bytes() const { return version_; }
  [[nodiscard]] const std::string& Password() const { return password_; }

 private:
  ProfileBytes version_;
  // Only the digest changes when a const look asks for it: the version stays the same.
  mutable std::optional<Sha256> digest_;
  std::string password_;  // Windows-1252
  bool holds_ = false;
};

}  // namespace bv
