#pragma once
// The open profile of the main window: its session variables (path, password, header,
// open and modified) and its tree. This object alone changes them, and it says what
// happened through its signals; the tree view's model, the caption, the action categories,
// the recent list and the page follow them. Node edits go through the tree view's model and
// are announced with MarkModified. Input/output failures throw EInOutError.

#include <QObject>
#include <filesystem>
#include <functional>
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
    std::size_t lifted = 0;  // nodes lifted to the deepest level the view shows (nodesLifted)
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
  // A new profile with header and no nodes in place of none; the next save writes it as a
  // file of its own, taking nothing from the file it replaces.
  void StartNew(const TProfileHeader& header);

  // --- changes that exist only once saved: each makes its change, runs save (the caller's
  // whole save, which may take in another writer's version first) and, when that fails
  // (false or a throw), puts back only what it changed: what a merge took in meanwhile stays.
  using SaveStep = std::function<bool()>;
  // The session password and the header's verifier; on failure the old password is in force.
  [[nodiscard]] bool ChangePassword(std::string_view password, const SaveStep& save);
  // Owner and title, cut to their fields; detailsStored() follows a save that succeeded.
  [[nodiscard]] bool StoreDetails(const std::string& owner, const std::string& title,
                                  const SaveStep& save);

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
  // What a combination took in, once whoever took it in is done (VersionIntake): combined
  // follows, for the window to show.
  void TellCombined(const MergedProfile& merged) { emit combined(merged); }
  // Modified := true: after every change of the profile.
  void MarkModified();

  // --- the session variables
  void SetPath(const std::filesystem::path& path) { state_.ProfilePath = path; }
  void SetPassword(std::string_view password) { state_.SetSessionPassword(password); }
  void WipePassword() { state_.WipePassword(); }
  void SetHeader(const TProfileHeader& header) { state_.Header = header; }

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
  // Another writer's version or a conflict copy was combined in (TellCombined): what the
  // merge did, for the user to see. The profile is modified; a save that combined before its
  // write says so after the write, whether it succeeded or not.
  void combined(const bv::MergedProfile& merged);
  // Written to its file; nothing is unsaved.
  void saved();
  void modified();
  // Nodes deeper than the view shows were lifted to its depth limit (DepthLimit.h), in a
  // tree opened, reloaded or combined; the profile is marked modified so that a save keeps it.
  void nodesLifted(std::size_t count);
  // No profile is open any more.
  void closed();
  // Owner and title were stored in the file; the caption keeps the title it was opened with.
  void detailsStored();

 private:
  // Every tree the window shows comes in here, and is lifted to the window's depth limit
  // first: returns how many nodes were lifted.
  std::size_t ReplaceNodes(ProfileTree& with);
  // After an opening, reload or combination that lifted nodes: modified, and nodesLifted.
  void TellLifted(std::size_t lifted);

  // Tests set a session up without a file through it.
  friend struct test::SessionBackDoor;

  SessionState state_;
  ProfileTree tree_;
  HeldVersion held_;
  HeldVersion replaced_;
  std::vector<std::filesystem::path> copiesToSetAside_;
  // The next save starts a file over (StartNew) instead of replacing a version of it.
  bool startsOver_ = false;
};

}  // namespace bv
