#include "app/OtherVersion.h"

#include "app/ProfileSession.h"
#include "config/LanguageList.h"
#include "config/MessageIds.h"
#include "config/Messages.h"
#include "config/QtText.h"
#include "crypto/WipedText.h"
#include "profile/DialogKit.h"
#include "profile/MasterPassword.h"
#include "profile/RecordLayout.h"
#include "profile/TFInicioSesion.h"

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
                                                        const std::filesystem::path& file,
                                                        int depthLimit) const {
  if (!WholeProfile(version)) throw EUnreadableVersion();
  DecipheredVersion read;
  const auto opens = [&](const std::string& password) {
    read.loaded = LoadProfile(version, password, depthLimit);
    if (read.loaded.outcome == LoadedProfile::Outcome::FailedPartWay) throw EUnreadableVersion();
    if (read.loaded.outcome != LoadedProfile::Outcome::Loaded) return false;
    read.password = password;
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

MergedProfile OtherVersion::MergeWithHeld(const DecipheredVersion& theirs) const {
  const HeldVersion& held = session_.Held();
  if (!held.Holds()) return Merge(nullptr, theirs);
  const LoadedProfile base = LoadProfile(held.Bytes(), held.Password());
  // A base that no longer opens leaves the two-way merge, which deletes nothing.
  if (base.outcome != LoadedProfile::Outcome::Loaded) return Merge(nullptr, theirs);
  return Merge(&base, theirs);
}

MergedProfile OtherVersion::MergeTwoWay(const DecipheredVersion& theirs) const {
  return Merge(nullptr, theirs);
}

MergedProfile OtherVersion::Merge(const LoadedProfile* base,
                                  const DecipheredVersion& theirs) const {
  const ProfileVersion ours{session_.State().Header, session_.Tree()};
  const ProfileVersion other{theirs.loaded.header, theirs.loaded.tree};
  if (!base) return MergeProfiles(nullptr, ours, other, MessageText(msg::kConflictCopyName));
  const ProfileVersion start{base->header, base->tree};
  return MergeProfiles(&start, ours, other, MessageText(msg::kConflictCopyName));
}

}  // namespace bv
