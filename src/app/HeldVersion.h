#pragma once
// The version of its profile file that the session holds: the file's fingerprint at the last
// load or save, that version's enciphered bytes, and the password they were written with
// (change-password re-enciphers only what is saved next). It is the base of a merge with a
// version another writer saved since; the bytes stay enciphered, so no second plain copy of
// the profile lives in memory.
//
// A save's bytes are in memory anyway: they are held as the writer filled them. A load keeps
// none (a profile of 200 MB would cost as much memory and time again): it holds the descriptor
// it read from, and the bytes are read again only when a merge needs them. A writer that wrote
// to the file in place since changed what that descriptor reads: the version is then lost, and
// a merge starts from no base (two-way, deleting nothing), never from the other writer's bytes.

#include <optional>
#include <string>
#include <string_view>

#include "files/OpenVersion.h"
#include "profile/ProfileReader.h"

namespace bv {

class HeldVersion {
 public:
  HeldVersion() = default;
  HeldVersion(const HeldVersion&) = delete;
  HeldVersion& operator=(const HeldVersion&) = delete;
  ~HeldVersion() { Forget(); }

  // Bytes in memory: a save's, or another writer's version read whole.
  void Hold(ProfileBytes version, std::string_view password);
  // The descriptor a load read the version from.
  void Hold(OpenVersion version, std::string_view password);
  // Takes other's version, password and all; other holds what this one held.
  void Swap(HeldVersion& other) noexcept;
  // Nothing held; the password is wiped.
  void Forget();
  // The same bytes under the times the file shows now (touched, or rewritten alike).
  void Retime(const FileFingerprint& fingerprint);

  // Also while a lost version's bytes cannot be read again: its fingerprint and password are
  // still what the file on disk is compared with and tried with.
  [[nodiscard]] bool Holds() const { return holds_; }
  // Its digest is there once worked out: a load does not, a save does as it writes.
  [[nodiscard]] const FileFingerprint& Fingerprint() const { return fingerprint_; }
  // The digest of the held bytes, worked out the first time it is asked for (when a look at
  // the disk finds the file's identity, size or times changed). A version lost before it was
  // worked out gives all zeros, which no file's bytes give: the disk never matches it.
  [[nodiscard]] Sha256 Digest() const;
  // The held bytes, read again the first time they are asked for when a load left only its
  // descriptor; nothing when the version is lost.
  [[nodiscard]] const ProfileBytes* Bytes() const;
  [[nodiscard]] const std::string& Password() const { return password_; }

 private:
  // Reads failing on the way (a disk error) lose the version too: a merge does without it.
  void Lose() const;

  FileFingerprint fingerprint_;
  // A const look may read the bytes again or work out the digest: the version stays the same.
  mutable std::optional<ProfileBytes> bytes_;
  mutable OpenVersion open_;
  mutable std::optional<Sha256> digest_;
  std::string password_;  // Windows-1252
  bool holds_ = false;
};

}  // namespace bv
