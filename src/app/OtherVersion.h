#pragma once
// Another version of the open profile, as another window or a sync tool saved it (or a sync
// tool's conflict copy of it), deciphered and merged with what the session shows.
//
// Its password is tried in this order: the session's, the one the held version was written
// with, then the login box, naming the file, until the user types one that opens it or
// cancels.

#include <QString>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "profile/ProfileMerge.h"
#include "profile/ProfileReader.h"

class QWidget;

namespace bv {

class HeldVersion;
class ProfileSession;

// The bytes are not a whole profile: another edition, truncated or still being written.
class EUnreadableVersion : public std::runtime_error {
 public:
  EUnreadableVersion() : std::runtime_error("not a whole profile") {}
};

// A version deciphered, with the password that opened it (wiped when it goes).
struct DecipheredVersion {
  LoadedProfile loaded;
  std::string password;

  DecipheredVersion() = default;
  DecipheredVersion(DecipheredVersion&&) = default;
  DecipheredVersion& operator=(DecipheredVersion&&) = default;
  ~DecipheredVersion();
};

class OtherVersion {
 public:
  OtherVersion(ProfileSession& session, QWidget* window) : session_(session), window_(window) {}

  // Nothing when the user cancelled the login box; EUnreadableVersion when the bytes are not
  // a whole profile. file names the version in the login box; a tree deeper than depthLimit
  // is lifted to it (DepthLimit.h).
  [[nodiscard]] std::optional<DecipheredVersion> Decipher(const ProfileBytes& version,
                                                          const std::filesystem::path& file,
                                                          int depthLimit = kNoDepthLimit) const;
  // A conflict copy of file whose bytes are the held version: a sync tool set the window's
  // last save aside, and the version now in its place does not descend from it.
  [[nodiscard]] std::optional<std::filesystem::path> HeldVersionSetAside(
      const std::filesystem::path& file) const;
  // The three-way merge of the held version (the base), the session's profile and theirs;
  // two-way when nothing is held. When the held version was set aside, the base is the
  // version its save replaced (two-way when that is not known).
  [[nodiscard]] MergedProfile MergeWithHeld(const DecipheredVersion& theirs,
                                            bool heldSetAside = false) const;
  // The two-way merge, for a conflict copy: nothing is deleted.
  [[nodiscard]] MergedProfile MergeTwoWay(const DecipheredVersion& theirs) const;

 private:
  // The version loaded with its own password, else with otherPassword.
  [[nodiscard]] static std::optional<LoadedProfile> Opened(const HeldVersion& version,
                                                           std::string_view otherPassword);
  // The version the set-aside save replaced: held in memory, or the newest backup.
  [[nodiscard]] std::optional<LoadedProfile> ReplacedVersion() const;
  [[nodiscard]] MergedProfile Merge(const LoadedProfile* base,
                                    const DecipheredVersion& theirs) const;

  ProfileSession& session_;
  QWidget* window_;
};

}  // namespace bv
