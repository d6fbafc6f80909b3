#include "app/OtherVersion.h"

#include <algorithm>

#include "app/ProfileSession.h"
#include "config/LanguageList.h"
#include "config/MessageIds.h"
#include "config/Messages.h"
#include "config/QtText.h"
#include "crypto/WipedText.h"
#include "files/BackupStore.h"
#include "files/ConflictCopies.h"
#include "profiledialogs/DialogKit.h"
#include "profile/MasterPassword.h"
#include "profile/RecordLayout.h"
#include "profiledialogs/TFInicioSesion.h"

namespace bv {
namespace {

// Our writer writes whole records only: anything else was cut short or is still arriving.
bool WholeProfile(const ProfileBytes& version) {
  if (version.special || version.bytes.size() < kRecordSize ||
      version.bytes.size() % kRecordSize != 0)
    return false;
  return ReadProfileHeader(version).kind == HeaderKind::Profile;
}

}  // namespace

DecipheredVersion::~DecipheredVersion() { WipeString(password); }

std::optional<DecipheredVersion> OtherVersion::Decipher(const ProfileBytes& version,
                                                        const std::filesystem::path& file) const {
  if (!WholeProfile(version)) throw EUnreadableVersion();
  DecipheredVersion read;
  const auto opens = [&](const std::string& password) {
    read.loaded = LoadProfile(version, password);
    if (read.loaded.outcome == LoadedProfile::Outcome::FailedPartWay) throw EUnreadableVersion();
    if (read.loaded.outcome != LoadedProfile::Outcome::Loaded) return false;
    read.password = password;
    read.leftOut = RemoveSplicedRecords(read.loaded.tree, session_.Tree());
    return true;
  };
  if (opens(session_.State().SessionPassword())) return read;
  if (session_.Held().Holds() && opens(session_.Held().Password())) return read;
  const QString prompt = Msg(msg::kOtherVersionPassword) + QLatin1Char('\n') + PathToQString(file);
  for (;;) {
    std::optional<std::string> typed = TFInicioSesion::Ask(window_, prompt);
    if (!typed) return std::nullopt;
    const WipeOnExit wipe(*typed);
    // An empty answer stands for a profile without password, as at opening.
    if (opens(PasswordOrSentinel(*typed))) return read;
  }
}

std::optional<std::filesystem::path> OtherVersion::HeldVersionSetAside(
    const std::filesystem::path& file) const {
  const HeldVersion& held = session_.Held();
  if (!held.Holds()) return std::nullopt;
  for (const std::filesystem::path& copy : ConflictCopiesOf(file)) {
    std::error_code ec;
    if (std::filesystem::file_size(copy, ec) != held.Fingerprint().stat.size || ec) continue;
    const ProfileBytes* heldBytes = held.Bytes();
    if (!heldBytes) return std::nullopt;  // lost: no copy can be told to be it
    const auto& bytes = heldBytes->bytes;
    try {
      const auto copyBytes = ReadProfileFile(copy).bytes;
      if (std::equal(copyBytes.begin(), copyBytes.end(), bytes.begin(), bytes.end())) return copy;
    } catch (const std::exception&) {
      // Gone or unreadable meanwhile: not the one.
    }
  }
  return std::nullopt;
}

MergedProfile OtherVersion::MergeWithHeld(const DecipheredVersion& theirs,
                                          bool heldSetAside) const {
  // A base that is not known, or no longer opens, leaves the two-way merge, which deletes
  // nothing.
  const std::optional<LoadedProfile> base =
      heldSetAside ? ReplacedVersion() : Opened(session_.Held(), {});
  return Merge(base ? &*base : nullptr, theirs);
}

std::optional<LoadedProfile> OtherVersion::Opened(const HeldVersion& version,
                                                  std::string_view otherPassword) {
  if (!version.Holds()) return std::nullopt;
  for (std::string_view password : {std::string_view(version.Password()), otherPassword}) {
    if (password.empty()) continue;
    const ProfileBytes* bytes = version.Bytes();
    if (!bytes) return std::nullopt;  // lost to a write in place
    LoadedProfile loaded = LoadProfile(*bytes, password);
    if (loaded.outcome == LoadedProfile::Outcome::Loaded) return loaded;
  }
  return std::nullopt;
}

std::optional<LoadedProfile> OtherVersion::ReplacedVersion() const {
  if (session_.Replaced().Holds()) return Opened(session_.Replaced(), {});
  // After a restart: every save keeps the version it replaces, so the newest backup is the
  // one the last save replaced.
  try {
    const auto backups = BackupStore::ForUser(0).BackupsOf(session_.State().ProfilePath);
    if (backups.empty()) return std::nullopt;
    HeldVersion newest;
    newest.Hold(ReadProfileFile(backups.back()), session_.Held().Password());
    return Opened(newest, session_.State().SessionPassword());
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

MergedProfile OtherVersion::MergeTwoWay(const DecipheredVersion& theirs) const {
  return Merge(nullptr, theirs);
}

MergedProfile OtherVersion::Merge(const LoadedProfile* base,
                                  const DecipheredVersion& theirs) const {
  const ProfileVersion ours{session_.State().Header, session_.Tree()};
  const ProfileVersion other{theirs.loaded.header, theirs.loaded.tree};
  const ProfileVersion start = base ? ProfileVersion{base->header, base->tree} : ours;
  MergedProfile merged =
      MergeProfiles(base ? &start : nullptr, ours, other, MessageText(msg::kConflictCopyName));
  merged.leftOut = theirs.leftOut;
  return merged;
}

}  // namespace bv
