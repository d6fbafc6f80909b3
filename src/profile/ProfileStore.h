#pragma once
// The four operations between a profile file and the main window's memory: read header,
// check password, load and save. They work on the session (its header buffer and flags) and
// the tree of the main window and show their steps through a ProfileView. Input/output failures
// throw EInOutError, whose text the application's general handler shows.

#include <filesystem>
#include <string>
#include <string_view>

#include "profile/NodeData.h"
#include "profile/ProfileTree.h"
#include "profile/ProfileView.h"
#include "profile/RecordLayout.h"
#include "profile/SessionState.h"

namespace bv {

class ProfileStore {
 public:
  ProfileStore(SessionState& session, ProfileTree& tree, ProfileView& view)
      : session_(session), tree_(tree), view_(view) {}

  // Fills the header buffer from the file and tells what the file is.
  HeaderKind ReadHeader(const std::filesystem::path& path);
  // True when password opens the file; the header buffer holds the file's header after.
  [[nodiscard]] bool CheckPassword(const std::filesystem::path& path, std::string_view password);
  // Checks the password first: a wrong one shows the error box, leaves the tree untouched,
  // sets ProfileOpen false and returns false. A file that cannot be written still loads.
  [[nodiscard]] bool Load(const std::filesystem::path& path, std::string_view password);
  // Writes the header buffer and the tree; on success Modified is false and the save action
  // disabled. On failure the old file is intact and Modified unchanged. The version replaced
  // is kept in the user's backup folder (BackupStore.h); when that fails the save still
  // happens and an error box says so afterwards.
  void Save(const std::filesystem::path& path, std::string_view password);

 private:
  SessionState& session_;
  ProfileTree& tree_;
  ProfileView& view_;
};

}  // namespace bv
