#include "app/ProfileSession.h"

#include <algorithm>
#include <utility>

#include "config/MessageIds.h"
#include "config/Messages.h"
#include "profile/DepthLimit.h"
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

void ProfileSession::ReplaceNodes(ProfileTree& with) {
  emit nodesAboutToBeReplaced();
  std::swap(tree_, with);
  emit nodesReplaced();
  with.Clear();  // the old nodes, once the screen holds none of them
}

ProfileSession::Opening ProfileSession::Open(const std::filesystem::path& path) {
  // Header and nodes come from one read: the password is checked against the header of the
  // very bytes that are loaded.
  ProfileBytes file = ReadProfileFile(path);
  LoadedProfile loaded = LoadProfile(file, state_.SessionPassword(), kWindowDepthLimit);
  state_.Header = loaded.header;
  if (loaded.outcome == LoadedProfile::Outcome::WrongPassword) {
    state_.ProfileOpen = false;
    return {};
  }
  emit opening(state_.Header);
  // The nodes read take the shown tree's place however the load ended: the screen sees one
  // whole change.
  ReplaceNodes(loaded.tree);
  // A part-way load is no base for a merge: the tree lacks what the file has.
  held_.Forget();
  replaced_.Forget();
  if (loaded.failure) std::rethrow_exception(loaded.failure);
  held_.Hold(std::move(file), state_.SessionPassword());
  state_.ProfileOpen = true;
  state_.Modified = false;
  emit opened();
  return {true, loaded.lifted};
}

SaveReport ProfileSession::Save(const std::filesystem::path& path, std::string_view password,
                                const BackupStore& backups) {
  state_.Header.Magic = TProfileHeader::kMagic;
  SaveReport report =
      WriteProfile(path, state_.Header, tree_, password, MessageText(msg::kRecordMarker), &backups);
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
  state_.ProfilePath.clear();
  emit closed();
}

void ProfileSession::Reload(LoadedProfile& loaded, ProfileBytes version,
                            std::string_view password) {
  state_.Header = loaded.header;
  ReplaceNodes(loaded.tree);
  // The password may be the one typed for the new version: it is the session's from now on.
  if (password != state_.SessionPassword()) state_.SetSessionPassword(password);
  held_.Hold(std::move(version), password);
  replaced_.Forget();
  state_.Modified = false;
  emit reloaded();
}

void ProfileSession::Combine(MergedProfile& merged) {
  state_.Header = merged.header;
  ReplaceNodes(merged.tree);
  emit reloaded();
  MarkModified();
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
