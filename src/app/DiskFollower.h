#pragma once
// What the main window does when another writer changes its open profile on disk: it watches
// the file while a profile is open (ProfileWatcher.h), checks it again whenever the window is
// activated, and then
//   - nothing unsaved: reloads the profile in place with the same password (the login box
//     asks, naming the file, when the new version has another one; cancelled, the window
//     keeps what it shows, marked modified, and the save combines later), with a note;
//   - unsaved changes: asks whether to combine now (the default) or later; combining merges
//     into the window and marks the profile modified, it never writes the file;
//   - a file that cannot be read as a whole profile: keeps the open profile, with a note,
//     and tries again at the next check;
//   - the file gone: keeps the profile open, marked modified, so that a save writes it again;
//   - a conflict copy beside it: offers to combine it; once combined and saved, the copy is
//     moved out of the way (BackupStore::SetAsideConflictCopy);
//   - a conflict copy that holds the window's own last save, with another version in its
//     place: the sync tool set our save aside. The version in its place does not descend from
//     it, so both are combined at once, without a question, on the version that save replaced;
//     the copy is moved out of the way after the next save.
// Anything that arrives while a modal dialog is open waits until it closes.

#include <QObject>
#include <QString>
#include <deque>
#include <filesystem>
#include <functional>
#include <vector>

#include "app/VersionIntake.h"

class QTimer;
class QWidget;

namespace bv {

class MessageBoxes;
class ProfileSession;
class ProfileWatcher;
struct ProfileBytes;

class DiskFollower : public QObject {
  Q_OBJECT

 public:
  // How often a change that waits for a modal dialog looks again.
  static constexpr int kWaitMilliseconds = 200;

  // What it works with; all of it must outlive this object.
  struct Parts {
    ProfileSession& session;
    MessageBoxes& boxes;
    QWidget& window;  // parents the dialogs; its activation looks at the file again
    std::function<void(const QString&)> note;  // a passing note for the user (status bar)
  };
  explicit DiskFollower(Parts parts);
  ~DiskFollower() override;

  [[nodiscard]] ProfileWatcher& Watcher() { return *watcher_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FollowSession();
  // Runs what waits, unless a modal dialog is open or one of ours is already running.
  void RunPending();
  void TakeChange();
  void TakeRemoval();
  void TakeConflictCopy(const std::filesystem::path& copy);
  void Reload(ProfileBytes& version);
  void CombineFromDisk(ProfileBytes& version);
  // A version that could not be read is noted, and tried again at the next activation.
  // True when the version was taken in.
  bool Took(VersionIntake::Outcome outcome);
  // The file holds the version the session holds (or the same bytes).
  [[nodiscard]] bool DiskHoldsHeldVersion();
  void SetAsideCombinedCopies();

  ProfileSession& session_;
  MessageBoxes& boxes_;
  QWidget& window_;
  std::function<void(const QString&)> note_;
  VersionIntake intake_;
  ProfileWatcher* watcher_;
  QTimer* wait_;
  bool running_ = false;
  bool changeWaits_ = false;
  bool removalWaits_ = false;
  bool unreadable_ = false;  // the last version found could not be read: try it again
  std::deque<std::filesystem::path> copiesWaiting_;
};

}  // namespace bv
