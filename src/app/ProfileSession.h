#pragma once
// The open profile of the main window: its session variables (path, password, header,
// open and modified) and its tree. This object alone changes them, and it says what
// happened through its signals; the tree view's model, the caption, the action categories,
// the recent list and the page follow them. Node edits go through the tree view's model and
// are announced with MarkModified. Input/output failures throw EInOutError.

#include <QObject>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/HeldVersion.h"
#include "files/BackupStore.h"
#include "profile/NodeData.h"
#include "profile/ProfileReader.h"
#include "profile/ProfileWriter.h"
#include "profile/ProfileTree.h"
#include "profile/RecordLayout.h"
#include "profile/SessionState.h"

namespace bv {

struct MergedProfile;

namespace test {
struct SessionBackDoor;
}

class ProfileSession : public QObject {
  Q_OBJECT

 public:
  explicit ProfileSession(QObject* parent = nullptr);
  ~ProfileSession() override;

  const SessionState& State() const { return state_; }
  ProfileTree& Tree() { return tree_; }
  const ProfileTree& Tree() const { return tree_; }

  // --- a file about to be opened: the header buffer takes its header
  HeaderKind ReadHeader(const std::filesystem::path& path);
  // True when password opens the file.
  [[nodiscard]] bool PasswordOpens(const std::filesystem::path& path, std::string_view password);

  // --- what happens to the profile
  struct Opening {
    bool opened = false;     // false: the session password does not open the file
    std::size_t lifted = 0;  // nodes lifted to the deepest level the view shows
  };
  // Reads path once and loads it with the session password. A wrong password leaves the
  // tree as it was, ProfileOpen false and the file's header in the buffer. A load that
  // fails part-way shows the nodes read so far, then throws.
  Opening Open(const std::filesystem::path& path);
  // Writes the header buffer and the tree to path with password, keeping the version it
  // replaces among backups; on failure the old file is intact and Modified unchanged. A
  // backup that could not be kept does not stop the save: the report says why.
  SaveReport Save(const std::filesystem::path& path, std::string_view password,
                  const BackupStore& backups);
  // Lets go of the nodes, the password and the path; nothing is open or modified after.
  void Close();

  // --- other versions of the file (another window, a sync tool)
  // The version of the file last loaded or saved: the base of a merge.
  [[nodiscard]] const HeldVersion& Held() const { return held_; }
  // The version the last save replaced, while the saved one is held: the base of a merge
  // when a sync tool set the saved version aside as a conflict copy and put in its place a
  // version that does not descend from it. Nothing after an opening, reload or combination.
  [[nodiscard]] const HeldVersion& Replaced() const { return replaced_; }
  // Conflict copies taken into the profile, to be moved aside once it is saved.
  void SetAsideAfterSave(const std::filesystem::path& copy);
  [[nodiscard]] bool SetsAside(const std::filesystem::path& copy) const;
  [[nodiscard]] std::vector<std::filesystem::path> TakeCopiesToSetAside();
  // The file on disk has the held bytes under other times.
  void Retime(const FileFingerprint& now) { held_.Retime(now); }
  // Shows loaded (read from version with password) in place of the open profile: nothing is
  // unsaved after, and the version is held. Not an opening: only reloaded() follows.
  void Reload(LoadedProfile& loaded, ProfileBytes version, std::string_view password);
  // Shows merged in place of the open profile, marked modified: only a save writes it. When
  // the merge took in a version of this profile's own file, that version (read with
  // password) is held from now on; a conflict copy's leaves the held one as it is.
  void Combine(MergedProfile& merged);
  void Combine(MergedProfile& merged, ProfileBytes version, std::string_view password);
  // Modified := true: after every change of the profile.
  void MarkModified();

  // --- the session variables
  void SetPath(const std::filesystem::path& path) { state_.ProfilePath = path; }
  void SetPassword(std::string_view password) { state_.SetSessionPassword(password); }
  void WipePassword() { state_.WipePassword(); }
  void SetHeader(const TProfileHeader& header) { state_.Header = header; }
  // Owner and title were stored in the file; the caption keeps the title it was opened with.
  void AnnounceDetailsStored() { emit detailsStored(); }

 signals:
  // The password matched and the header is read; the nodes come next.
  void opening(const bv::TProfileHeader& header);
  // Every node is about to be replaced, or has been: the model resets around the change.
  void nodesAboutToBeReplaced();
  void nodesReplaced();
  // The nodes are in the tree, nothing is unsaved; ProfileOpen is true.
  void opened();
  // The nodes and header now come from another version of the same profile (a reload or a
  // combination): not an opening, so the recent list and the first selection stay as they
  // are.
  void reloaded();
  // Written to its file; nothing is unsaved.
  void saved();
  void modified();
  // No profile is open any more.
  void closed();
  void detailsStored();

 private:
  void ReplaceNodes(ProfileTree& with);

  // Tests set a session up without a file through it.
  friend struct test::SessionBackDoor;

  SessionState state_;
  ProfileTree tree_;
  HeldVersion held_;
  HeldVersion replaced_;
  std::vector<std::filesystem::path> copiesToSetAside_;
};

}  // namespace bv
