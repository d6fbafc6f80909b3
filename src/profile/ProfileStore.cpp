#include "profile/ProfileStore.h"

#include "config/MessageIds.h"
#include "profile/MasterPassword.h"
#include "profile/ProfileReader.h"
#include "profile/ProfileWriter.h"

namespace bv {
namespace {

// Ends the tree rebuild however the load ends.
class TreeRebuild {
 public:
  explicit TreeRebuild(ProfileView& view) : view_(view) { view_.BeginTreeRebuild(); }
  ~TreeRebuild() { view_.EndTreeRebuild(); }
  TreeRebuild(const TreeRebuild&) = delete;
  TreeRebuild& operator=(const TreeRebuild&) = delete;

 private:
  ProfileView& view_;
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
  ReadHeader(path);
  view_.ProfileOpening(session_.Header);
  {
    TreeRebuild rebuild(view_);
    tree_.Clear();
    if (LoadProfileNodes(path, password, tree_) == 0) view_.ShowEmptyProfilePage();
  }
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
  WriteProfile(path, session_.Header, tree_, password, view_.MessageText(msg::kRecordMarker));
  session_.Modified = false;
  view_.ProfileSaved();
}

}  // namespace bv
