#include "profile/ProfileStore.h"

#include "config/MessageIds.h"
#include "config/Product.h"
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
  view_.SetCaption(std::string(kProductName) + " - [" + session_.Header.Title + "]");
  {
    TreeRebuild rebuild(view_);
    tree_.Clear();
    if (LoadProfileNodes(path, password, tree_) == 0) view_.ShowEmptyProfilePage();
  }
  if (!tree_.Empty()) view_.SelectFirstNode();
  view_.EnableActionCategories({"perfilon"},
                               {"selcuenta", "selgrupo", "copiar", "seleccionado", "varios"});
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
  view_.EnableActionCategories({}, {"varios"});
}

}  // namespace bv
