#include "app/VersionIntake.h"

#include <utility>

#include "app/ProfileSession.h"

namespace bv {

VersionIntake::VersionIntake(ProfileSession& session, QWidget* dialogParent)
    : session_(session), other_(session, dialogParent) {}

DiskCheck VersionIntake::LookAtFile(const std::filesystem::path& path) {
  const HeldVersion& held = session_.Held();
  DiskCheck check =
      CompareWithDisk(path, held.Fingerprint().stat, [&held] { return held.Digest(); });
  if (check.state == DiskState::SameContent) session_.Retime(check.read->fingerprint);
  return check;
}

VersionIntake::Outcome VersionIntake::Decipher(const ProfileBytes& version,
                                               const std::filesystem::path& file,
                                               std::optional<DecipheredVersion>& read) const {
  try {
    read = other_.Decipher(version, file);
  } catch (const EUnreadableVersion&) {
    return Outcome::Unreadable;
  }
  return read ? Outcome::TakenIn : Outcome::NoPassword;
}

VersionIntake::Outcome VersionIntake::Reload(ProfileBytes& version,
                                             std::vector<SplicedRecord>& leftOut) {
  std::optional<DecipheredVersion> read;
  const Outcome outcome = Decipher(version, session_.State().ProfilePath, read);
  if (outcome != Outcome::TakenIn) return outcome;
  session_.Reload(read->loaded, std::move(version), read->password);
  leftOut = std::move(read->leftOut);
  // Not what the file holds: a save writes the profile without those records.
  if (!leftOut.empty()) session_.MarkModified();
  return outcome;
}

VersionIntake::Outcome VersionIntake::Combine(ProfileBytes& version,
                                              const std::filesystem::path& file,
                                              std::optional<std::filesystem::path>& setAside) {
  std::optional<DecipheredVersion> read;
  const Outcome outcome = Decipher(version, file, read);
  if (outcome != Outcome::TakenIn) return outcome;
  // Looked for once the version is deciphered: the login box may have waited a long time.
  setAside = other_.HeldVersionSetAside(file);
  MergedProfile merged = other_.MergeWithHeld(*read, setAside.has_value());
  session_.Combine(merged, std::move(version), read->password);
  if (setAside) session_.SetAsideAfterSave(*setAside);
  Announce(merged);
  return outcome;
}

VersionIntake::Outcome VersionIntake::CombineCopy(const ProfileBytes& bytes,
                                                  const std::filesystem::path& copy) {
  std::optional<DecipheredVersion> read;
  const Outcome outcome = Decipher(bytes, copy, read);
  if (outcome != Outcome::TakenIn) return outcome;
  MergedProfile merged = other_.MergeTwoWay(*read);
  session_.Combine(merged);
  session_.SetAsideAfterSave(copy);
  Announce(merged);
  return outcome;
}

void VersionIntake::Announce(MergedProfile& merged) {
  if (holding_)
    unannounced_ = std::move(merged);
  else
    session_.TellCombined(merged);
}

void VersionIntake::AnnounceHeld() {
  if (!unannounced_) return;
  const MergedProfile merged = std::move(*unannounced_);
  unannounced_.reset();
  session_.TellCombined(merged);
}

}  // namespace bv
