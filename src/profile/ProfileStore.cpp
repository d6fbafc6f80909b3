#include "profile/ProfileStore.h"

#include <utility>

#include "config/MessageIds.h"
#include "profile/MasterPassword.h"
#include "profile/ProfileReader.h"
#include "profile/ProfileWriter.h"

namespace bv {

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
  LoadedProfile loaded = LoadProfile(ReadProfileFile(path), password);
  session_.Header = loaded.header;
  if (loaded.outcome == LoadedProfile::Outcome::WrongPassword) {
    view_.ShowErrorBox(view_.MessageText(msg::kWrongPassword) + "\r" +
                       view_.MessageText(msg::kWrongPasswordHint));
    session_.ProfileOpen = false;
    return false;
  }
  view_.ProfileOpening(session_.Header);
  // The nodes read take the shown tree's place however the load ended: the screen sees one
  // whole change. The old nodes go once the screen holds none of them.
  view_.ReplaceNodes([&] { std::swap(tree_, loaded.tree); });
  loaded.tree.Clear();
  if (loaded.failure) std::rethrow_exception(loaded.failure);
  if (tree_.Empty()) view_.ShowEmptyProfilePage();
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
