// Watching the open profile: replacements by rename (the way sync tools write), writes in
// place, deletion, our own saves, conflict copies, and checks made without any event.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFileSystemWatcher>
#include <QSignalSpy>
#include <QTest>
#include <functional>

#include "app/HeldVersion.h"
#include "app/ProfileWatcher.h"
#include "profile/ProfileReader.h"
#include "support/ScratchFolder.h"

namespace bv {
namespace {

namespace fs = std::filesystem;

// A change must be noticed this soon after it was made.
constexpr int kNoticedWithin = 2000;

bool WaitUntil(const std::function<bool()>& done, int milliseconds = kNoticedWithin) {
  const QDeadlineTimer deadline(milliseconds);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QTest::qWait(10);
  }
  return true;
}

// Long enough for any check that events could still cause.
void LetChecksRun() { QTest::qWait(3 * ProfileWatcher::kSettleMilliseconds); }

// Same size, and the modification time set back as sync tools do: only inode and change
// time tell the new file from the old.
void ReplaceByRename(const fs::path& path, const std::string& bytes) {
  struct stat old {};
  ASSERT_EQ(::stat(path.c_str(), &old), 0);
  const fs::path temporary = path.parent_path() / ".p.bv3.syncthing.tmp";
  test::WriteFile(temporary, bytes);
  const timespec times[2] = {old.st_atim, old.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, temporary.c_str(), times, 0), 0);
  fs::rename(temporary, path);
}

// The file as it is now is the version held, as after a load (its digest worked out only
// when asked for) or a save (with its digest).
void HoldFile(HeldVersion& held, const fs::path& path, bool withDigest = false) {
  WholeFile read = ReadWholeFile(path);
  if (withDigest) read.fingerprint.digest = Sha256Of(read.bytes);
  held.Hold(ProfileBytesOf(std::move(read)), "");
}

class Watching : public testing::Test {
 protected:
  Watching() {
    test::WriteFile(path, "version 1");
    HoldFile(held, path);
    watcher.Watch(path);
  }
  // The file as it is now is ours.
  void HoldDisk() { HoldFile(held, path, true); }

  test::ScratchFolder folder;
  const fs::path path = folder / "p.bv3";
  HeldVersion held;
  // As the session does: the same bytes under new times are still the version held.
  ProfileWatcher watcher{held, [this](const FileFingerprint& now) { held.Retime(now); }};
  QSignalSpy changed{&watcher, &ProfileWatcher::changedOnDisk};
  QSignalSpy removed{&watcher, &ProfileWatcher::removedFromDisk};
  QSignalSpy copies{&watcher, &ProfileWatcher::conflictCopiesAppeared};
};

enum class Expect {
  Changed,
  Removed,
  Nothing
};

struct WriterCase {
  const char* what;
  std::function<void(const fs::path&, HeldVersion&)> act;
  Expect expected;
};

class WriterTest : public Watching, public testing::WithParamInterface<WriterCase> {};

TEST_P(WriterTest, IsReportedOnceOrNotAtAll) {
  LetChecksRun();  // the first check is over: only events can find the change
  GetParam().act(path, held);
  switch (GetParam().expected) {
    case Expect::Changed:
      EXPECT_TRUE(WaitUntil([&] { return changed.count() > 0; })) << GetParam().what;
      break;
    case Expect::Removed:
      EXPECT_TRUE(WaitUntil([&] { return removed.count() > 0; })) << GetParam().what;
      break;
    case Expect::Nothing: break;
  }
  LetChecksRun();
  EXPECT_EQ(changed.count(), GetParam().expected == Expect::Changed ? 1 : 0) << GetParam().what;
  EXPECT_EQ(removed.count(), GetParam().expected == Expect::Removed ? 1 : 0) << GetParam().what;
  // Nothing new: the version held has the file's times, and later checks need not read it.
  if (GetParam().expected == Expect::Nothing) {
    EXPECT_EQ(std::optional(held.Fingerprint().stat), StatOf(path)) << GetParam().what;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Writers, WriterTest,
    testing::Values(
        WriterCase{"replaced by rename",
                   [](const fs::path& p, HeldVersion&) { ReplaceByRename(p, "version 2"); },
                   Expect::Changed},
        WriterCase{"rewritten in place",
                   [](const fs::path& p, HeldVersion&) { test::WriteInPlace(p, "version 2"); },
                   Expect::Changed},
        WriterCase{"our own save, held before the events come",
                   [](const fs::path& p, HeldVersion& held) {
                     ReplaceByRename(p, "version 2");
                     HoldFile(held, p, true);
                   },
                   Expect::Nothing},
        WriterCase{"the same bytes written again",
                   [](const fs::path& p, HeldVersion&) { ReplaceByRename(p, "version 1"); },
                   Expect::Nothing},
        WriterCase{"deleted", [](const fs::path& p, HeldVersion&) { fs::remove(p); },
                   Expect::Removed},
        WriterCase{"moved away",
                   [](const fs::path& p, HeldVersion&) { fs::rename(p, p.string() + ".old"); },
                   Expect::Removed}));

// The watch on the file goes with the file a rename replaced: every later change must still
// be seen, a write in place (which the folder's watch does not see) included.
TEST_F(Watching, KeepsWatchingAfterEachReplacement) {
  ReplaceByRename(path, "version 2");
  ASSERT_TRUE(WaitUntil([&] { return changed.count() == 1; }));
  HoldDisk();
  LetChecksRun();
  test::WriteInPlace(path, "version 3");
  ASSERT_TRUE(WaitUntil([&] { return changed.count() == 2; }));
  HoldDisk();
  ReplaceByRename(path, "version 4");
  ASSERT_TRUE(WaitUntil([&] { return changed.count() == 3; }));
  EXPECT_EQ(removed.count(), 0);
}

TEST_F(Watching, ReportsEachConflictCopyOnce) {
  LetChecksRun();
  EXPECT_EQ(copies.count(), 0);
  const fs::path copy = folder / "p.sync-conflict-20261209-120000-ABCDEFG.bv3";
  test::WriteFile(copy, "version 2");
  ASSERT_TRUE(WaitUntil([&] { return copies.count() == 1; }));
  EXPECT_EQ(copies.at(0).at(0).value<std::vector<fs::path>>(), std::vector<fs::path>{copy});
  test::WriteFile(folder / "other.txt", "x");  // another event in the folder
  LetChecksRun();
  EXPECT_EQ(copies.count(), 1);
  EXPECT_EQ(changed.count(), 0);

  // Those already there when watching starts are reported at the first check.
  ProfileWatcher again(held, [](const FileFingerprint&) {});
  QSignalSpy found(&again, &ProfileWatcher::conflictCopiesAppeared);
  again.Watch(path);
  ASSERT_TRUE(WaitUntil([&] { return found.count() == 1; }));
  EXPECT_EQ(found.at(0).at(0).value<std::vector<fs::path>>(), std::vector<fs::path>{copy});
}

// Network shares send no events: the check on activation finds the change.
TEST_F(Watching, CheckNowNeedsNoEvents) {
  LetChecksRun();
  watcher.findChild<QFileSystemWatcher*>()->blockSignals(true);
  EXPECT_EQ(watcher.CheckNow(), DiskState::Unchanged);
  ReplaceByRename(path, "version 2");
  EXPECT_EQ(watcher.CheckNow(), DiskState::Changed);
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(watcher.CheckNow(), DiskState::Changed);  // still so, but reported already
  EXPECT_EQ(changed.count(), 1);
  HoldDisk();
  EXPECT_EQ(watcher.CheckNow(), DiskState::Unchanged);
  fs::remove(path);
  EXPECT_EQ(watcher.CheckNow(), DiskState::Missing);
  EXPECT_EQ(removed.count(), 1);
  LetChecksRun();
  EXPECT_EQ(changed.count() + removed.count(), 2);
}

}  // namespace
}  // namespace bv
