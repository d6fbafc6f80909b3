#include "app/DiskFollower.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <utility>

#include "app/OtherVersion.h"
#include "app/ProfileSession.h"
#include "app/ProfileWatcher.h"
#include "app/TFPrincipal.h"
#include "config/FailureText.h"
#include "config/LanguageList.h"
#include "config/MessageIds.h"
#include "config/QtText.h"
#include "files/BackupStore.h"
#include "files/FileFingerprint.h"
#include "profile/DepthLimit.h"

namespace bv {

DiskFollower::DiskFollower(TFPrincipal& window)
    : QObject(&window),
      window_(window),
      session_(window.Profile()),
      watcher_(new ProfileWatcher(this)),
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
  window.installEventFilter(this);
}

DiskFollower::~DiskFollower() = default;

void DiskFollower::FollowSession() {
  connect(&session_, &ProfileSession::opened, this, [this] {
    // A profile read only in part holds no version: a reload would take nothing back.
    if (session_.Held().Holds())
      watcher_->Watch(session_.State().ProfilePath, session_.Held().Fingerprint());
    else
      watcher_->Stop();
  });
  // Our own writes and the versions we took in are held: the watcher does not report them.
  connect(&session_, &ProfileSession::saved, this, [this] {
    if (session_.Held().Holds()) watcher_->Hold(session_.Held().Fingerprint());
    SetAsideCombinedCopies();
  });
  connect(&session_, &ProfileSession::reloaded, this, [this] {
    if (session_.Held().Holds()) watcher_->Hold(session_.Held().Fingerprint());
  });
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
      window_.GetSeams().boxes->Error(CurrentFailureText());
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
    check = CompareWithDisk(path, session_.Held().Fingerprint());
  } catch (const EInOutError&) {
    unreadable_ = true;  // still being written, or not ours to read now
    Note(Msg(msg::kDiskVersionUnreadable));
    return;
  }
  switch (check.state) {
    case DiskState::Unchanged: return;
    case DiskState::SameContent: session_.Retime(check.read->fingerprint); return;
    case DiskState::Missing: TakeRemoval(); return;
    case DiskState::Changed: break;
  }
  ProfileBytes version = ProfileBytesOf(std::move(*check.read));
  // Our own last save set aside by a sync tool: combined at once, whatever is unsaved, since
  // a reload would drop that save from view and a later merge would take it for deleted.
  if (const auto setAside = OtherVersion(session_, &window_).HeldVersionSetAside(path)) {
    CombineFromDisk(version, &*setAside);
    return;
  }
  if (!state.Modified) {
    Reload(version);
    return;
  }
  // Later: the save combines, before it writes.
  if (!window_.GetSeams().boxes->Choose(Msg(msg::kCombineWithDisk), Msg(msg::kCombineButton),
                                        Msg(msg::kLaterButton)))
    return;
  CombineFromDisk(version);
}

std::optional<DecipheredVersion> DiskFollower::Decipher(const ProfileBytes& version,
                                                        const std::filesystem::path& file,
                                                        int depthLimit) {
  try {
    std::optional<DecipheredVersion> read =
        OtherVersion(session_, &window_).Decipher(version, file, depthLimit);
    unreadable_ = false;
    return read;
  } catch (const EUnreadableVersion&) {
    unreadable_ = true;
    Note(Msg(msg::kDiskVersionUnreadable));
    throw;
  }
}

void DiskFollower::Reload(ProfileBytes& version) {
  std::optional<DecipheredVersion> read;
  try {
    read = Decipher(version, session_.State().ProfilePath, kWindowDepthLimit);
  } catch (const EUnreadableVersion&) {
    return;
  }
  if (!read) {
    // The window keeps what it shows; the save asks for the password again and combines.
    session_.MarkModified();
    return;
  }
  session_.Reload(read->loaded, std::move(version), read->password);
  if (read->loaded.lifted > 0) session_.MarkModified();  // the lifting is saved, as at opening
  Note(Msg(msg::kReloadedFromDisk));
}

void DiskFollower::CombineFromDisk(ProfileBytes& version,
                                   const std::filesystem::path* heldSetAsideAs) {
  std::optional<DecipheredVersion> read;
  try {
    read = Decipher(version, session_.State().ProfilePath, kNoDepthLimit);
  } catch (const EUnreadableVersion&) {
    return;
  }
  if (!read) return;  // still modified: the save combines
  const OtherVersion other(session_, &window_);
  MergedProfile merged = other.MergeWithHeld(*read, heldSetAsideAs != nullptr);
  session_.Combine(merged, std::move(version), read->password);
  if (heldSetAsideAs) {
    session_.SetAsideAfterSave(*heldSetAsideAs);
    Note(Msg(msg::kOwnSaveSetAside).arg(PathToQString(*heldSetAsideAs)));
  }
  window_.ShowMergeOutcome(merged);
}

void DiskFollower::TakeRemoval() {
  if (!session_.State().ProfileOpen) return;
  // Back already (a rename in two steps): the next check compares it.
  if (StatOf(session_.State().ProfilePath)) return;
  session_.MarkModified();
  Note(Msg(msg::kGoneFromDisk));
}

void DiskFollower::TakeConflictCopy(const std::filesystem::path& copy) {
  std::error_code ec;
  if (!session_.State().ProfileOpen || !std::filesystem::exists(copy, ec)) return;
  // Taken in already; or our own save set aside, which the change of the file takes in.
  const OtherVersion other(session_, &window_);
  if (session_.SetsAside(copy) ||
      (other.HeldVersionSetAside(session_.State().ProfilePath) == std::optional(copy) &&
       !DiskHoldsHeldVersion()))
    return;
  if (!window_.GetSeams().boxes->Choose(Msg(msg::kConflictCopyFound).arg(PathToQString(copy)),
                                        Msg(msg::kCombineButton), Msg(msg::kLaterButton)))
    return;  // asked again at the next opening
  ProfileBytes bytes;
  try {
    bytes = ReadProfileFile(copy);
  } catch (const EInOutError&) {
    // Combined on another computer and removed by the sync tool while the offer was open.
    if (std::filesystem::exists(copy, ec)) throw;
    Note(Msg(msg::kConflictCopyGone).arg(PathToQString(copy)));
    return;
  }
  std::optional<DecipheredVersion> read;
  try {
    read = Decipher(bytes, copy, kNoDepthLimit);
  } catch (const EUnreadableVersion&) {
    return;
  }
  if (!read) return;
  MergedProfile merged = other.MergeTwoWay(*read);
  session_.Combine(merged);
  session_.SetAsideAfterSave(copy);
  window_.ShowMergeOutcome(merged);
}

bool DiskFollower::DiskHoldsHeldVersion() const {
  try {
    const DiskState state =
        CompareWithDisk(session_.State().ProfilePath, session_.Held().Fingerprint()).state;
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
      Note(Msg(msg::kConflictCopySetAside).arg(PathToQString(aside)));
    } catch (const EInOutError&) {
      window_.GetSeams().boxes->Error(CurrentFailureText());
    }
  }
}

void DiskFollower::Note(const QString& text) { window_.ShowNote(text); }

}  // namespace bv
