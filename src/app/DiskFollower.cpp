#include "app/DiskFollower.h"

#include <QApplication>
#include <QEvent>
#include <QStringList>
#include <QTimer>
#include <utility>

#include "app/ProfileSession.h"
#include "app/ProfileWatcher.h"
#include "config/FailureText.h"
#include "config/LanguageList.h"
#include "config/MessageIds.h"
#include "config/Messages.h"
#include "config/QtText.h"
#include "files/BackupStore.h"
#include "files/FileFingerprint.h"
#include "profile/MergeReport.h"
#include "profile/ProfileReader.h"
#include "ui/Seams.h"

namespace bv {

DiskFollower::DiskFollower(Parts parts)
    : QObject(&parts.window),
      session_(parts.session),
      boxes_(parts.boxes),
      window_(parts.window),
      note_(std::move(parts.note)),
      intake_(parts.session, &parts.window),
      watcher_(new ProfileWatcher(
          session_.Held(), [this](const FileFingerprint& now) { session_.Retime(now); }, this)),
      wait_(new QTimer(this)) {
  wait_->setSingleShot(true);
  connect(wait_, &QTimer::timeout, this, &DiskFollower::RunPending);
  // What the watcher reports is taken from the event loop, never inside its check.
  connect(watcher_, &ProfileWatcher::changedOnDisk, this, [this] {
    changeWaits_ = true;
    wait_->start(0);
  });
  connect(watcher_, &ProfileWatcher::removedFromDisk, this, [this] {
    removalWaits_ = true;
    wait_->start(0);
  });
  connect(watcher_, &ProfileWatcher::conflictCopiesAppeared, this,
          [this](const std::vector<std::filesystem::path>& copies) {
            copiesWaiting_.insert(copiesWaiting_.end(), copies.begin(), copies.end());
            wait_->start(0);
          });
  FollowSession();
  window_.installEventFilter(this);
}

DiskFollower::~DiskFollower() = default;

void DiskFollower::FollowSession() {
  connect(&session_, &ProfileSession::opened, this, [this] {
    // A profile read only in part holds no version: a reload would take nothing back.
    if (session_.Held().Holds())
      watcher_->Watch(session_.State().ProfilePath);
    else
      watcher_->Stop();
    // An opening holds the file, not its bytes: its digest is worked out once the window is
    // idle, while the file still holds them. Without it, a file that is only touched (a sync
    // tool setting its times) could not be told from one rewritten in place, and would be
    // reloaded or offered for combining.
    QTimer::singleShot(0, this, [this] {
      if (session_.Held().Holds()) static_cast<void>(session_.Held().Digest());
    });
  });
  connect(&session_, &ProfileSession::saved, this, &DiskFollower::SetAsideCombinedCopies);
  connect(&session_, &ProfileSession::closed, this, [this] {
    watcher_->Stop();
    wait_->stop();
    changeWaits_ = removalWaits_ = unreadable_ = false;
    copiesWaiting_.clear();
  });
}

bool DiskFollower::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_ && event->type() == QEvent::WindowActivate && watcher_->IsWatching()) {
    // Events may never come (network shares): activation checks too. A version that could
    // not be read is tried again, though the watcher reported it already.
    if (watcher_->CheckNow() == DiskState::Changed && unreadable_) {
      changeWaits_ = true;
      wait_->start(0);
    }
  }
  return QObject::eventFilter(watched, event);
}

void DiskFollower::RunPending() {
  if (running_) return;  // the loop below takes it
  running_ = true;
  while (changeWaits_ || removalWaits_ || !copiesWaiting_.empty()) {
    if (QApplication::activeModalWidget()) {
      // Nothing is reloaded or combined under a dialog the user is busy with.
      wait_->start(kWaitMilliseconds);
      break;
    }
    try {
      if (std::exchange(changeWaits_, false)) {
        TakeChange();
      } else if (std::exchange(removalWaits_, false)) {
        TakeRemoval();
      } else {
        const std::filesystem::path copy = copiesWaiting_.front();
        copiesWaiting_.pop_front();
        TakeConflictCopy(copy);
      }
    } catch (const std::exception&) {
      boxes_.Error(CurrentFailureText());
    }
  }
  running_ = false;
}

void DiskFollower::TakeChange() {
  const SessionState& state = session_.State();
  if (!state.ProfileOpen || !session_.Held().Holds()) return;
  const std::filesystem::path path = state.ProfilePath;
  DiskCheck check;
  try {
    check = intake_.LookAtFile(path);
  } catch (const EInOutError&) {
    unreadable_ = true;  // still being written, or not ours to read now
    note_(Msg(msg::kDiskVersionUnreadable));
    return;
  }
  switch (check.state) {
    case DiskState::Unchanged:
    case DiskState::SameContent: return;
    case DiskState::Missing: TakeRemoval(); return;
    case DiskState::Changed: break;
  }
  ProfileBytes version = ProfileBytesOf(std::move(*check.read));
  // Our own last save set aside by a sync tool: combined at once, whatever is unsaved, since
  // a reload would drop that save from view and a later merge would take it for deleted.
  if (intake_.HeldVersionSetAside(path)) {
    CombineFromDisk(version);
    return;
  }
  if (!state.Modified) {
    Reload(version);
    return;
  }
  // Later: the save combines, before it writes.
  if (!boxes_.Choose(Msg(msg::kCombineWithDisk), Msg(msg::kCombineButton), Msg(msg::kLaterButton)))
    return;
  CombineFromDisk(version);
}

bool DiskFollower::Took(VersionIntake::Outcome outcome) {
  unreadable_ = outcome == VersionIntake::Outcome::Unreadable;
  if (unreadable_) note_(Msg(msg::kDiskVersionUnreadable));
  return outcome == VersionIntake::Outcome::TakenIn;
}

void DiskFollower::Reload(ProfileBytes& version) {
  std::vector<SplicedRecord> leftOut;
  const VersionIntake::Outcome outcome = intake_.Reload(version, leftOut);
  if (!Took(outcome)) {
    // Without its password the window keeps what it shows; the save asks for the password
    // again and combines.
    if (outcome == VersionIntake::Outcome::NoPassword) session_.MarkModified();
    return;
  }
  note_(Msg(msg::kReloadedFromDisk));
  if (leftOut.empty()) return;
  QStringList lines;
  for (const SplicedRecord& record : leftOut)
    lines.append(FromCp1252(DescribeSplicedRecord(record, [](int n) { return MessageText(n); })));
  boxes_.Information(lines.join(QLatin1Char('\n')));
}

void DiskFollower::CombineFromDisk(ProfileBytes& version) {
  std::optional<std::filesystem::path> setAside;
  // Without its password nothing is taken: the save of unsaved work combines it.
  if (!Took(intake_.Combine(version, session_.State().ProfilePath, setAside))) return;
  if (setAside) note_(Msg(msg::kOwnSaveSetAside).arg(PathToQString(*setAside)));
}

void DiskFollower::TakeRemoval() {
  if (!session_.State().ProfileOpen) return;
  // Back already (a rename in two steps): the next check compares it.
  if (StatOf(session_.State().ProfilePath)) return;
  session_.MarkModified();
  note_(Msg(msg::kGoneFromDisk));
}

void DiskFollower::TakeConflictCopy(const std::filesystem::path& copy) {
  std::error_code ec;
  if (!session_.State().ProfileOpen || !std::filesystem::exists(copy, ec)) return;
  // Taken in already; or our own save set aside, which the change of the file takes in.
  if (session_.SetsAside(copy) ||
      (intake_.HeldVersionSetAside(session_.State().ProfilePath) == std::optional(copy) &&
       !DiskHoldsHeldVersion()))
    return;
  if (!boxes_.Choose(Msg(msg::kConflictCopyFound).arg(PathToQString(copy)),
                     Msg(msg::kCombineButton), Msg(msg::kLaterButton)))
    return;  // asked again at the next opening
  ProfileBytes bytes;
  try {
    bytes = ReadProfileFile(copy);
  } catch (const EInOutError&) {
    // Combined on another computer and removed by the sync tool while the offer was open.
    if (std::filesystem::exists(copy, ec)) throw;
    note_(Msg(msg::kConflictCopyGone).arg(PathToQString(copy)));
    return;
  }
  Took(intake_.CombineCopy(bytes, copy));
}

bool DiskFollower::DiskHoldsHeldVersion() {
  try {
    const DiskState state = intake_.LookAtFile(session_.State().ProfilePath).state;
    return state == DiskState::Unchanged || state == DiskState::SameContent;
  } catch (const std::exception&) {
    return false;
  }
}

void DiskFollower::SetAsideCombinedCopies() {
  const BackupStore store = BackupStore::ForUser(0);
  for (const std::filesystem::path& copy : session_.TakeCopiesToSetAside()) {
    try {
      const std::filesystem::path aside = store.SetAsideConflictCopy(copy);
      note_(Msg(msg::kConflictCopySetAside).arg(PathToQString(aside)));
    } catch (const EInOutError&) {
      boxes_.Error(CurrentFailureText());
    }
  }
}

}  // namespace bv
