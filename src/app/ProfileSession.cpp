#include "app/ProfileSession.h"

#include <utility>

#include "config/MessageIds.h"
#include "config/Messages.h"
#include "profile/DepthLimit.h"
#include "profile/MasterPassword.h"
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
  LoadedProfile loaded =
      LoadProfile(ReadProfileFile(path), state_.SessionPassword(), kWindowDepthLimit);
  state_.Header = loaded.header;
  if (loaded.outcome == LoadedProfile::Outcome::WrongPassword) {
    state_.ProfileOpen = false;
    return {};
  }
  emit opening(state_.Header);
  // The nodes read take the shown tree's place however the load ended: the screen sees one
  // whole change.
  ReplaceNodes(loaded.tree);
  if (loaded.failure) std::rethrow_exception(loaded.failure);
  state_.ProfileOpen = true;
  state_.Modified = false;
  emit opened();
  return {true, loaded.lifted};
}

SaveReport ProfileSession::Save(const std::filesystem::path& path, std::string_view password,
                                const BackupStore& backups) {
  state_.Header.Magic = TProfileHeader::kMagic;
  const SaveReport report =
      WriteProfile(path, state_.Header, tree_, password, MessageText(msg::kRecordMarker), &backups);
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
  state_.ProfilePath.clear();
  emit closed();
}

void ProfileSession::MarkModified() {
  state_.Modified = true;
  emit modified();
}

}  // namespace bv
