#include "app/ProfileWatcher.h"

#include <QFileSystemWatcher>
#include <QTimer>
#include <utility>

#include "config/LanguageList.h"
#include "files/ConflictCopies.h"

namespace bv {

ProfileWatcher::ProfileWatcher(QObject* parent)
    : QObject(parent), watcher_(new QFileSystemWatcher(this)), settle_(new QTimer(this)) {
  settle_->setSingleShot(true);
  settle_->setInterval(kSettleMilliseconds);
  connect(settle_, &QTimer::timeout, this, [this] { static_cast<void>(Check()); });
  connect(watcher_, &QFileSystemWatcher::fileChanged, this, &ProfileWatcher::Schedule);
  connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &ProfileWatcher::Schedule);
}

void ProfileWatcher::Watch(const std::filesystem::path& path, const FileFingerprint& held,
                           HeldDigest heldDigest) {
  Stop();
  // Absolute: the folder is watched by its path, whatever the working folder becomes.
  path_ = std::filesystem::absolute(path);
  held_ = held;
  heldDigest_ = std::move(heldDigest);
  watching_ = true;
  Rewatch();
  // The first check finds the conflict copies already there.
  settle_->start();
}

void ProfileWatcher::Hold(const FileFingerprint& held) {
  held_ = held;
  reportedChange_.reset();
  reportedMissing_ = false;
}

void ProfileWatcher::Stop() {
  watching_ = false;
  settle_->stop();
  for (const QStringList& paths : {watcher_->files(), watcher_->directories()})
    if (!paths.isEmpty()) watcher_->removePaths(paths);
  reportedChange_.reset();
  reportedMissing_ = false;
  knownCopies_.clear();
}

DiskState ProfileWatcher::CheckNow() {
  settle_->stop();
  return Check();
}

void ProfileWatcher::Schedule() {
  // Not restarted by later events: a steady stream of them still gets checked in time.
  if (watching_ && !settle_->isActive()) settle_->start();
}

void ProfileWatcher::Rewatch() {
  const QString file = PathToQString(path_);
  const QString folder = PathToQString(path_.parent_path());
  if (!watcher_->directories().contains(folder)) watcher_->addPath(folder);
  // The watch on a file renamed over, or deleted, is stale even where Qt still lists it.
  if (watcher_->files().contains(file)) watcher_->removePath(file);
  std::error_code error;
  if (std::filesystem::exists(path_, error)) watcher_->addPath(file);
}

DiskState ProfileWatcher::Check() {
  if (!watching_) return DiskState::Unchanged;
  if (checking_) {
    // A dialog opened by one of our signals runs the event loop: check after it.
    Schedule();
    return DiskState::Unchanged;
  }
  checking_ = true;
  Rewatch();
  const DiskState state = CompareFile();
  // A slot may have stopped watching (the profile was closed).
  if (watching_) ReportNewConflictCopies();
  checking_ = false;
  return state;
}

DiskState ProfileWatcher::CompareFile() {
  std::optional<FileStat> stat;
  try {
    stat = StatOf(path_);
    if (!stat) {
      ReportMissing();
      return DiskState::Missing;
    }
    reportedMissing_ = false;
    // Reported already: no need to read it again.
    if (stat == reportedChange_) return DiskState::Changed;
    DiskCheck check = CompareWithDisk(path_, held_.stat, [this] {
      // Without a source an unknown digest counts as other bytes: the change is reported and
      // whoever takes it in compares with the version it holds.
      if (!held_.digest) held_.digest = heldDigest_ ? heldDigest_() : Sha256{};
      return *held_.digest;
    });
    switch (check.state) {
      case DiskState::Unchanged: break;
      case DiskState::SameContent: held_ = check.read->fingerprint; break;
      case DiskState::Changed: ReportChange(check.read->fingerprint.stat); break;
      case DiskState::Missing: ReportMissing(); break;
    }
    return check.state;
  } catch (const EChangedWhileRead&) {
    // A writer at work: look again once it has had time to finish.
    settle_->start();
    return DiskState::Changed;
  } catch (const EInOutError&) {
    // Not readable by us now: another version all the same, which the window's reload
    // will describe.
    if (stat) ReportChange(*stat);
    return DiskState::Changed;
  }
}

void ProfileWatcher::ReportChange(const FileStat& stat) {
  reportedChange_ = stat;
  emit changedOnDisk();
}

void ProfileWatcher::ReportMissing() {
  reportedChange_.reset();
  if (reportedMissing_) return;
  reportedMissing_ = true;
  emit removedFromDisk();
}

void ProfileWatcher::ReportNewConflictCopies() {
  const std::vector<std::filesystem::path> present = ConflictCopiesOf(path_);
  std::vector<std::filesystem::path> fresh;
  for (const std::filesystem::path& copy : present)
    if (!knownCopies_.contains(copy)) fresh.push_back(copy);
  // A copy that went away (combined and set aside) is forgotten: one of the same name that
  // comes later is another copy.
  knownCopies_ = std::set<std::filesystem::path>(present.begin(), present.end());
  if (!fresh.empty()) emit conflictCopiesAppeared(fresh);
}

}  // namespace bv
