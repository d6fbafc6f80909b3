#pragma once
// Notices when another writer changes the open profile on disk: a second window, or a sync
// tool that writes a temporary file and renames it over the profile.
//
// It watches the file and its folder. A rename over the file ends the watch on the file (the
// watch belongs to the old file), so every check watches the path again; the folder's watch
// sees the rename itself. Bursts of events are taken together: one check a short while after
// the first event. File systems that send no events (network shares) are covered by CheckNow,
// which the window calls when it is activated; a save compares the file with the session's
// held version itself, without the watcher.
//
// Each check compares the file with the version the session holds (HeldVersion.h) and reports
// each new state once: a changed version, the file gone, conflict copies that sync tools left
// beside it (those already there when watching starts count as new, so that the window can
// offer them at open). Our own saves are not reported: the session holds the version it wrote
// before events come back to it. A changed version is reported again once the session holds
// another version, should the file still differ from that one.

#include <QObject>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <vector>

#include "files/FileFingerprint.h"

class QFileSystemWatcher;
class QTimer;

namespace bv {

class HeldVersion;

class ProfileWatcher : public QObject {
  Q_OBJECT

 public:
  // How long after the first event of a burst the file is checked.
  static constexpr int kSettleMilliseconds = 250;

  // The file shows the held bytes under new times (touched, or written again alike).
  using Retime = std::function<void(const FileFingerprint& now)>;

  // held: the session's version (ProfileSession::Held), which every check compares the file
  // with; retime: how the session takes the new times of the same bytes
  // (ProfileSession::Retime). held must outlive the watcher.
  ProfileWatcher(const HeldVersion& held, Retime retime, QObject* parent = nullptr);

  // Starts watching path, the file of the held version.
  void Watch(const std::filesystem::path& path);
  void Stop();
  [[nodiscard]] bool IsWatching() const { return watching_; }
  [[nodiscard]] const std::filesystem::path& Path() const { return path_; }

  // Checks at once, events or not, with the signals below for what is new. Returns the state
  // of the file, also when it was reported before (a version that could not be read is tried
  // again on activation). A file still being written counts as Changed and is checked again
  // shortly.
  DiskState CheckNow();

 signals:
  void changedOnDisk();
  void removedFromDisk();
  void conflictCopiesAppeared(std::vector<std::filesystem::path> copies);

 private:
  void Rewatch();
  void Schedule();
  DiskState Check();
  DiskState CompareFile();
  void ReportChange(const FileStat& stat);
  void ReportMissing();
  void ReportNewConflictCopies();

  const HeldVersion& held_;
  Retime retime_;
  QFileSystemWatcher* watcher_;
  QTimer* settle_;
  std::filesystem::path path_;
  bool watching_ = false;
  bool checking_ = false;
  // What was reported last: the changed file (by its stat, against the held version's), or
  // its absence.
  struct ReportedChange {
    FileStat found;
    FileStat held;
    bool operator==(const ReportedChange&) const = default;
  };
  std::optional<ReportedChange> reportedChange_;
  bool reportedMissing_ = false;
  std::set<std::filesystem::path> knownCopies_;
};

}  // namespace bv
