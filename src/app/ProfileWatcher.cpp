#include "app/ProfileWatcher.h"

#include <QFileSystemWatcher>
#include <QTimer>
#include <utility>

#include "app/HeldVersion.h"
#include "config/LanguageList.h"
#include "files/ConflictCopies.h"

namespace bv {

ProfileWatcher::ProfileWatcher(const HeldVersion& held, Retime retime, QObject* parent)
    : QObject(parent),
      held_(held),
      retime_(std::move(retime)),
      watcher_(new QFileSystemWatcher(this)),
      settle_(new QTimer(this)) {
  settle_->setSingleShot(true);
  settle_->setInterval(kSettleMilliseconds);
  connect(settle_, &QTimer::timeout, this, [this] { static_cast<void>(Check()); });
  connect(watcher_, &QFileSystemWatcher::fileChanged, this, &ProfileWatcher::Schedule);
  connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &ProfileWatcher::Schedule);
}

void ProfileWatcher::Watch(const std::filesystem::path& path) {
  Stop();
  // Absolute: the folder is watched by its path, whatever the working folder becomes.
  path_ = std::filesystem::absolute(path);
  watching_ = true;
  Rewatch();
  // The first check finds the conflict copies already there.
  settle_->start();
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
  // Nothing held (a profile read only in part): nothing to compare with.
  if (!held_.Holds()) return DiskState::Unchanged;
  std::optional<FileStat> stat;
  try {
    stat = StatOf(path_);
    if (!stat) {
      ReportMissing();
      return DiskState::Missing;
    }
    reportedMissing_ = false;
    // Reported already, and the session still holds what it held then: no need to read it.
    if (reportedChange_ == ReportedChange{*stat, held_.Fingerprint().stat})
      return DiskState::Changed;
    DiskCheck check =
        CompareWithDisk(path_, held_.Fingerprint().stat, [this] { return held_.Digest(); });
    switch (check.state) {
      case DiskState::Unchanged: break;
      case DiskState::SameContent: retime_(check.read->fingerprint); break;
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
  reportedChange_ = ReportedChange{stat, held_.Fingerprint().stat};
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
