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

#include "profile/ProfileMerge.h"
#include "profile/ProfileReader.h"

class QWidget;

namespace bv {

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
  // The three-way merge of the held version (the base), the session's profile and theirs;
  // two-way when nothing is held.
  [[nodiscard]] MergedProfile MergeWithHeld(const DecipheredVersion& theirs) const;
  // The two-way merge, for a conflict copy: nothing is deleted.
  [[nodiscard]] MergedProfile MergeTwoWay(const DecipheredVersion& theirs) const;

 private:
  [[nodiscard]] MergedProfile Merge(const LoadedProfile* base,
                                    const DecipheredVersion& theirs) const;

  ProfileSession& session_;
  QWidget* window_;
};

}  // namespace bv
