#include "app/ProfileSession.h"

#include <algorithm>
#include <utility>

#include "config/MessageIds.h"
#include "config/Messages.h"
#include "crypto/WipedText.h"
#include "profile/DepthLimit.h"
#include "profiledialogs/DialogKit.h"
#include "profile/MasterPassword.h"
#include "profile/ProfileMerge.h"
#include "profile/ProfileReader.h"
#include "profile/ProfileWriter.h"

namespace bv {

ProfileSession::ProfileSession(QObject* parent) : QObject(parent) {}

ProfileSession::~ProfileSession() = default;

HeaderKind ProfileSession::ReadHeader(const std::filesystem::path& path) {
  HeaderRead read = ReadProfileHeader(path);
  state_.Header = std::move(read.header);
  return read.kind;
}

bool ProfileSession::PasswordOpens(const std::filesystem::path& path, std::string_view password) {
  ReadHeader(path);
  return PasswordMatches(state_.Header, password);
}

std::size_t ProfileSession::ReplaceNodes(ProfileTree& with) {
  const std::size_t lifted = LiftToWindowDepth(with);
  emit nodesAboutToBeReplaced();
  std::swap(tree_, with);
  emit nodesReplaced();
  with.Clear();  // the old nodes, once the screen holds none of them
  return lifted;
}

void ProfileSession::TellLifted(std::size_t lifted) {
  if (lifted == 0) return;
  MarkModified();  // a save keeps the repair
  emit nodesLifted(lifted);
}

ProfileSession::Opening ProfileSession::Open(const std::filesystem::path& path) {
  // Header and nodes come from one read: the password is checked against the header of the
  // very bytes that are loaded.
  ReadProfile read = ReadAndLoadProfile(path, state_.SessionPassword());
  LoadedProfile& loaded = read.loaded;
  state_.Header = loaded.header;
  if (loaded.outcome == LoadedProfile::Outcome::WrongPassword) {
    state_.ProfileOpen = false;
    return {};
  }
  emit opening(state_.Header);
  // The nodes read take the shown tree's place however the load ended: the screen sees one
  // whole change.
  const std::size_t lifted = ReplaceNodes(loaded.tree);
  // A part-way load is no base for a merge: the tree lacks what the file has.
  held_.Forget();
  replaced_.Forget();
  startsOver_ = false;
  if (loaded.failure) std::rethrow_exception(loaded.failure);
  held_.Hold(std::move(read.file), state_.SessionPassword());
  state_.ProfileOpen = true;
  state_.Modified = false;
  emit opened();
  TellLifted(lifted);
  return {true, lifted};
}

SaveReport ProfileSession::Save(const std::filesystem::path& path, std::string_view password,
                                const BackupStore& backups) {
  state_.Header.Magic = TProfileHeader::kMagic;
  const FirstRecordTail tail =
      startsOver_ ? FirstRecordTail::Zeros : FirstRecordTail::KeptFromReplaced;
  SaveReport report = WriteProfile(path, state_.Header, tree_, password,
                                   MessageText(msg::kRecordMarker), &backups, tail);
  startsOver_ = false;
  // Save As to another file holds that file too: the session goes on with it.
  replaced_.Forget();
  std::error_code ec;
  if (held_.Holds() && std::filesystem::equivalent(path, state_.ProfilePath, ec))
    replaced_.Swap(held_);
  held_.Hold(ProfileBytesOf(std::move(report.written)), password);
  report.written = {};
  state_.Modified = false;
  emit saved();
  return report;
}

void ProfileSession::Close() {
  state_.ProfileOpen = false;
  ProfileTree none;
  ReplaceNodes(none);
  state_.Modified = false;
  state_.WipePassword();
  held_.Forget();
  replaced_.Forget();
  copiesToSetAside_.clear();
  startsOver_ = false;
  state_.ProfilePath.clear();
  emit closed();
}

void ProfileSession::StartNew(const TProfileHeader& header) {
  if (!tree_.Empty()) {
    ProfileTree none;
    ReplaceNodes(none);
  }
  held_.Forget();
  state_.Header = header;
  startsOver_ = true;
}

namespace {

// Runs save; a throw counts as a failure once the caller's undo has run.
template <typename Undo>
bool SaveOrUndo(const ProfileSession::SaveStep& save, Undo undo) {
  bool saved = false;
  try {
    saved = save();
  } catch (...) {
    undo();
    throw;
  }
  if (!saved) undo();
  return saved;
}

}  // namespace

bool ProfileSession::ChangePassword(std::string_view password, const SaveStep& save) {
  std::string oldPassword = state_.SessionPassword();
  const WipeOnExit wipe(oldPassword);
  const std::string oldVerifier = state_.Header.Verifier;
  state_.SetSessionPassword(password);
  state_.Header.Verifier = MakeVerifier(password);
  // A merge keeps our verifier: putting back the old one with the old password leaves the
  // file's password in force, and nothing the merge took in is touched.
  return SaveOrUndo(save, [&] {
    state_.SetSessionPassword(oldPassword);
    state_.Header.Verifier = oldVerifier;
  });
}

bool ProfileSession::StoreDetails(const std::string& owner, const std::string& title,
                                  const SaveStep& save) {
  const std::string oldOwner = state_.Header.Owner;
  const std::string oldTitle = state_.Header.Title;
  const std::string newOwner = owner.substr(0, TProfileHeader::kOwnerMax);
  const std::string newTitle = title.substr(0, TProfileHeader::kTitleMax);
  state_.Header.Owner = newOwner;
  state_.Header.Title = newTitle;
  // A field still as this set it goes back; one a merge took from another writer stays.
  const bool saved = SaveOrUndo(save, [&] {
    if (state_.Header.Owner == newOwner) state_.Header.Owner = oldOwner;
    if (state_.Header.Title == newTitle) state_.Header.Title = oldTitle;
  });
  if (saved) emit detailsStored();
  return saved;
}

void ProfileSession::Reload(LoadedProfile& loaded, ProfileBytes version,
                            std::string_view password) {
  state_.Header = loaded.header;
  const std::size_t lifted = ReplaceNodes(loaded.tree);
  // The password may be the one typed for the new version: it is the session's from now on.
  if (password != state_.SessionPassword()) state_.SetSessionPassword(password);
  held_.Hold(std::move(version), password);
  replaced_.Forget();
  state_.Modified = false;
  emit reloaded();
  TellLifted(lifted);
}

void ProfileSession::Combine(MergedProfile& merged) {
  state_.Header = merged.header;
  const std::size_t lifted = ReplaceNodes(merged.tree);
  emit reloaded();
  MarkModified();
  TellLifted(lifted);
}

void ProfileSession::Combine(MergedProfile& merged, ProfileBytes version,
                             std::string_view password) {
  held_.Hold(std::move(version), password);
  replaced_.Forget();
  Combine(merged);
}

void ProfileSession::SetAsideAfterSave(const std::filesystem::path& copy) {
  if (!SetsAside(copy)) copiesToSetAside_.push_back(copy);
}

bool ProfileSession::SetsAside(const std::filesystem::path& copy) const {
  return std::find(copiesToSetAside_.begin(), copiesToSetAside_.end(), copy) !=
         copiesToSetAside_.end();
}

std::vector<std::filesystem::path> ProfileSession::TakeCopiesToSetAside() {
  return std::exchange(copiesToSetAside_, {});
}

void ProfileSession::MarkModified() {
  state_.Modified = true;
  emit modified();
}

}  // namespace bv
