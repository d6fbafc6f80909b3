#include "profile/ProfileStore.h"

#include <utility>

#include "config/Cp1252.h"
#include "config/MessageIds.h"
#include "files/BackupStore.h"
#include "profile/MasterPassword.h"
#include "profile/ProfileReader.h"
#include "profile/ProfileWriter.h"

namespace bv {
namespace {

// Nodes are read into a tree of their own, which takes the shown tree's place however the
// load ends: the screen sees one whole change, never a tree being filled behind its back.
class LoadedNodes {
 public:
  LoadedNodes(ProfileTree& shown, ProfileView& view) : shown_(shown), view_(view) {}
  ~LoadedNodes() {
    view_.ReplaceNodes([this] { std::swap(shown_, loaded_); });
    loaded_.Clear();  // the old nodes, once the screen holds none of them
  }
  LoadedNodes(const LoadedNodes&) = delete;
  LoadedNodes& operator=(const LoadedNodes&) = delete;

  ProfileTree& Tree() { return loaded_; }

 private:
  ProfileTree& shown_;
  ProfileView& view_;
  ProfileTree loaded_;
};

}  // namespace

HeaderKind ProfileStore::ReadHeader(const std::filesystem::path& path) {
  HeaderRead read = ReadProfileHeader(path);
  session_.Header = std::move(read.header);
  return read.kind;
}

bool ProfileStore::CheckPassword(const std::filesystem::path& path, std::string_view password) {
  ReadHeader(path);
  return PasswordMatches(session_.Header, password);
}

bool ProfileStore::Load(const std::filesystem::path& path, std::string_view password) {
  if (!CheckPassword(path, password)) {
    view_.ShowErrorBox(view_.MessageText(msg::kWrongPassword) + "\r" +
                       view_.MessageText(msg::kWrongPasswordHint));
    session_.ProfileOpen = false;
    return false;
  }
  // CheckPassword left the file's header in the buffer.
  view_.ProfileOpening(session_.Header);
  std::size_t count = 0;
  {
    LoadedNodes loaded(tree_, view_);
    count = LoadProfileNodes(path, password, loaded.Tree());
  }
  if (count == 0) view_.ShowEmptyProfilePage();
  if (!tree_.Empty()) view_.SelectFirstNode();
  // The selection's commands, which selecting the first node switched on, wait for the user.
  view_.ProfileOpened();
  session_.ProfileOpen = true;
  view_.AddToRecentProfiles(path);
  session_.Modified = false;
  if (view_.IrAlPrimero() && !tree_.Empty())
    view_.SelectFirstNode();
  else
    view_.ShowProfileSummary();
  return true;
}

void ProfileStore::Save(const std::filesystem::path& path, std::string_view password) {
  session_.Header.Magic = TProfileHeader::kMagic;
  const BackupStore backups = BackupStore::ForUser(view_.BackupsToKeep());
  const SaveReport report = WriteProfile(path, session_.Header, tree_, password,
                                         view_.MessageText(msg::kRecordMarker), &backups);
  session_.Modified = false;
  view_.ProfileSaved();
  if (!report.backupFailure.empty()) {
    const std::string folder = backups.BackupFolder().string();
    view_.ShowErrorBox(view_.MessageText(msg::kBackupNotKept) + "\r" +
                       Utf8ToCp1252(folder).value_or(folder) + ": " + report.backupFailure +
                       "\r" + view_.MessageText(msg::kBackupNotKeptHint));
  }
}

}  // namespace bv
