#pragma once
// The four operations between a profile file and the main window's memory: read header,
// check password, load and save. They work on the main window's header buffer, tree and
// session variables and show their steps through a ProfileView. Input/output failures
// throw EInOutError, whose text the application's general handler shows.

#include <filesystem>
#include <string>
#include <string_view>

#include "profile/NodeData.h"
#include "profile/ProfileTree.h"
#include "profile/ProfileView.h"
#include "profile/RecordLayout.h"

namespace bv {

struct ProfileSession {
  std::filesystem::path ProfilePath;
  std::string SessionPassword;  // the master password, or kEmptyPasswordSentinel
  bool ProfileOpen = false;
  bool Modified = false;
};

class ProfileStore {
 public:
  ProfileStore(TProfileHeader& header, ProfileTree& tree, ProfileSession& session,
               ProfileView& view)
      : header_(header), tree_(tree), session_(session), view_(view) {}

  // Fills the header buffer from the file and tells what the file is.
  HeaderKind ReadHeader(const std::filesystem::path& path);
  // True when password opens the file; the header buffer holds the file's header after.
  bool CheckPassword(const std::filesystem::path& path, std::string_view password);
  // Checks the password first: a wrong one shows the error box, leaves the tree untouched,
  // sets ProfileOpen false and returns false. A file that cannot be written still loads.
  bool Load(const std::filesystem::path& path, std::string_view password);
  // Writes the header buffer and the tree; on success Modified is false and the save action
  // disabled. On failure the old file is intact and Modified unchanged.
  void Save(const std::filesystem::path& path, std::string_view password);

 private:
  TProfileHeader& header_;
  ProfileTree& tree_;
  ProfileSession& session_;
  ProfileView& view_;
};

}  // namespace bv
