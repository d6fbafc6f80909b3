#pragma once
// Takes another version of the open profile into its session: a version another writer saved
// in the profile's own file, or a sync tool's conflict copy of it. It is the one way in for
// both the save, which looks at the file before it writes, and the window that follows the
// file (DiskFollower). It deciphers the version (OtherVersion), merges it with what the session
// shows, takes the result in, and announces what it combined (ProfileSession::combined), so
// that the window shows every merge summary the same way.

#include <filesystem>
#include <optional>
#include <vector>

#include "app/OtherVersion.h"
#include "files/FileFingerprint.h"
#include "profile/ProfileMerge.h"

class QWidget;

namespace bv {

class ProfileSession;

class VersionIntake {
 public:
  enum class Outcome {
    TakenIn,
    NoPassword,  // the user cancelled the login box: nothing was taken
    Unreadable,  // not a whole profile (cut short, still arriving): nothing was taken
  };

  // dialogParent parents the login box that asks for another version's password.
  VersionIntake(ProfileSession& session, QWidget* dialogParent);
  VersionIntake(const VersionIntake&) = delete;
  VersionIntake& operator=(const VersionIntake&) = delete;

  // How the file at path (the profile's own file) compares with the held version, which
  // must be there; the same bytes under new times are held with those times from now on.
  // EInOutError (EChangedWhileRead) when the file cannot be read whole now.
  [[nodiscard]] DiskCheck LookAtFile(const std::filesystem::path& path);

  // version, of the profile's own file, shown in place of the open profile: nothing is
  // unsaved after, unless records were left out (a shown field repeated a secret): leftOut
  // names them, and the profile is marked modified so that a save writes it without them.
  [[nodiscard]] Outcome Reload(ProfileBytes& version, std::vector<SplicedRecord>& leftOut);
  // version, read from file (the profile's own file), merged three-way on the held version
  // and taken in, marked modified. When a sync tool set the held version aside as a conflict
  // copy, the base is the version its save replaced, and the copy (named in setAside) is
  // moved out of the way after the next save.
  [[nodiscard]] Outcome Combine(ProfileBytes& version, const std::filesystem::path& file,
                                std::optional<std::filesystem::path>& setAside);
  // A conflict copy of the profile, merged two-way (nothing is deleted) and taken in, marked
  // modified; the copy is moved out of the way after the next save.
  [[nodiscard]] Outcome CombineCopy(const ProfileBytes& bytes, const std::filesystem::path& copy);

  // A conflict copy of file that holds the held version: the window's last save, set aside.
  [[nodiscard]] std::optional<std::filesystem::path> HeldVersionSetAside(
      const std::filesystem::path& file) const {
    return other_.HeldVersionSetAside(file);
  }

  // From now on what is combined is announced by AnnounceHeld, not at once: a save shows it
  // after its write, whatever the write did. A writer that saved again while we merged is
  // announced once, with the last merge.
  void HoldAnnouncements() { holding_ = true; }
  void AnnounceHeld();

 private:
  [[nodiscard]] Outcome Decipher(const ProfileBytes& version, const std::filesystem::path& file,
                                 std::optional<DecipheredVersion>& read) const;
  void Announce(MergedProfile& merged);

  ProfileSession& session_;
  OtherVersion other_;
  bool holding_ = false;
  std::optional<MergedProfile> unannounced_;
};

}  // namespace bv
