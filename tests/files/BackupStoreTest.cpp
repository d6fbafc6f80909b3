// Backups of replaced versions: kept and rotated per profile, two profiles of one name kept
// apart, owner-only permissions, none at 0, and combined conflict copies set aside for good.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "files/BackupStore.h"
#include "files/InOutError.h"
#include "support/ScratchFolder.h"

namespace bv {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::WriteFile;

mode_t ModeOf(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

std::vector<std::string> Contents(const std::vector<fs::path>& files) {
  std::vector<std::string> contents;
  for (const fs::path& file : files) contents.push_back(ReadFile(file));
  return contents;
}

struct BackupStoreTest : testing::Test {
  test::ScratchFolder dir;
  fs::path data = dir / "datos";
};

TEST_F(BackupStoreTest, KeepsTheNewestCopiesOfEachProfile) {
  const BackupStore store(data, 3);
  const fs::path profile = dir / "p.bv3";
  for (int version = 1; version <= 5; ++version) {
    WriteFile(profile, "version " + std::to_string(version));
    const fs::path kept = store.Keep(profile);
    EXPECT_EQ(kept.parent_path(), data / "backups");
    EXPECT_EQ(ReadFile(kept), "version " + std::to_string(version));
    EXPECT_TRUE(kept.filename().string().starts_with("p.")) << kept;
    EXPECT_EQ(kept.extension(), ".bv3");
  }
  EXPECT_EQ(Contents(store.BackupsOf(profile)),
            (std::vector<std::string>{"version 3", "version 4", "version 5"}));
  EXPECT_EQ(ReadFile(profile), "version 5");  // the profile itself is only read

  // Fewer kept from now on: the next copy leaves the newest two.
  WriteFile(profile, "version 6");
  (void)BackupStore(data, 2).Keep(profile);
  EXPECT_EQ(Contents(store.BackupsOf(profile)),
            (std::vector<std::string>{"version 5", "version 6"}));
}

TEST_F(BackupStoreTest, ProfilesOfOneNameInTwoFoldersKeepTheirOwnCopies) {
  fs::create_directories(dir / "a");
  fs::create_directories(dir / "b");
  const BackupStore store(data, 2);
  WriteFile(dir / "b" / "p.bv3", "b");
  (void)store.Keep(dir / "b" / "p.bv3");
  for (int k = 0; k < 4; ++k) {
    WriteFile(dir / "a" / "p.bv3", "a" + std::to_string(k));
    (void)store.Keep(dir / "a" / "p.bv3");
  }
  // Another name that begins alike, and a file of the user's in the folder, stay too.
  WriteFile(dir / "pp.bv3", "pp");
  (void)store.Keep(dir / "pp.bv3");
  WriteFile(data / "backups" / "p.bv3", "mine");
  EXPECT_EQ(Contents(store.BackupsOf(dir / "a" / "p.bv3")), (std::vector<std::string>{"a2", "a3"}));
  EXPECT_EQ(Contents(store.BackupsOf(dir / "b" / "p.bv3")), std::vector<std::string>{"b"});
  EXPECT_EQ(Contents(store.BackupsOf(dir / "pp.bv3")), std::vector<std::string>{"pp"});
  EXPECT_EQ(ReadFile(data / "backups" / "p.bv3"), "mine");
  // The same file reached through a link shares the copies of its real path.
  fs::create_symlink(dir / "a" / "p.bv3", dir / "enlace.bv3");
  EXPECT_EQ(store.BackupsOf(dir / "enlace.bv3"), store.BackupsOf(dir / "a" / "p.bv3"));
}

TEST_F(BackupStoreTest, FoldersAndCopiesAreForTheOwnerOnly) {
  const fs::path profile = dir / "p.bv3";
  WriteFile(profile, "abierto a todos");
  fs::permissions(profile, fs::perms(0644));
  const fs::path kept = BackupStore(data, 10).Keep(profile);
  EXPECT_EQ(ModeOf(kept), 0600u);
  EXPECT_EQ(ModeOf(data), 0700u);
  EXPECT_EQ(ModeOf(data / "backups"), 0700u);
  // A backup folder opened up by hand is closed again by the next copy.
  fs::permissions(data / "backups", fs::perms(0755));
  (void)BackupStore(data, 10).Keep(profile);
  EXPECT_EQ(ModeOf(data / "backups"), 0700u);
}

TEST_F(BackupStoreTest, KeepsNothingAtZeroNorForANewOrEmptyFile) {
  const fs::path profile = dir / "p.bv3";
  WriteFile(profile, "datos");
  EXPECT_EQ(BackupStore(data, 0).Keep(profile), fs::path());
  EXPECT_FALSE(fs::exists(data));
  const BackupStore store(data, 10);
  EXPECT_EQ(store.Keep(dir / "nuevo.bv3"), fs::path());
  WriteFile(dir / "vacio.bv3", "");
  EXPECT_EQ(store.Keep(dir / "vacio.bv3"), fs::path());
  EXPECT_TRUE(store.BackupsOf(profile).empty());
}

// A folder that is a link, or another user's, is refused for both kinds of copy, saying why,
// and nothing is written through it.
TEST_F(BackupStoreTest, RefusesALinkedFolderOrOneOfAnotherUser) {
  const fs::path profile = dir / "p.bv3";
  WriteFile(profile, "datos");
  const fs::path elsewhere = dir / "elsewhere";
  fs::create_directories(elsewhere);
  fs::create_directories(data);
  struct Case {
    const char* folder;
    EUnsafeFolder::Reason reason;
  };
  for (const Case c : {Case{"backups", EUnsafeFolder::Reason::Link},
                       Case{"conflict-copies", EUnsafeFolder::Reason::Link},
                       Case{"backups", EUnsafeFolder::Reason::OtherOwner},
                       Case{"conflict-copies", EUnsafeFolder::Reason::OtherOwner}}) {
    const bool link = c.reason == EUnsafeFolder::Reason::Link;
    if (!link && ::geteuid() != 0) continue;  // only root can give a folder away
    fs::remove_all(data / c.folder);
    if (link) {
      fs::create_directory_symlink(elsewhere, data / c.folder);
    } else {
      fs::create_directory(data / c.folder);
      ASSERT_EQ(::chown((data / c.folder).c_str(), 65534, 65534), 0);
    }
    WriteFile(dir / "copia.bv3", "copia");
    const BackupStore store(data, 10);
    try {
      if (std::string(c.folder) == "backups")
        (void)store.Keep(profile);
      else
        (void)store.SetAsideConflictCopy(dir / "copia.bv3");
      ADD_FAILURE() << c.folder << " was used";
    } catch (const EUnsafeFolder& error) {
      EXPECT_EQ(error.reason(), c.reason) << c.folder;
      EXPECT_EQ(error.folder(), data / c.folder);
    }
    EXPECT_TRUE(fs::is_empty(elsewhere));
    EXPECT_TRUE(fs::exists(dir / "copia.bv3"));
  }
}

TEST_F(BackupStoreTest, AFolderThatCannotBeMadeIsAnInputOutputFailure) {
  WriteFile(data, "a file where the data folder should be");
  WriteFile(dir / "p.bv3", "datos");
  EXPECT_THROW((void)BackupStore(data, 10).Keep(dir / "p.bv3"), EInOutError);
  EXPECT_THROW((void)BackupStore(fs::path(), 10).Keep(dir / "p.bv3"), EInOutError);
}

TEST_F(BackupStoreTest, CombinedConflictCopiesAreSetAsideAndNeverRotated) {
  const BackupStore store(data, 1);
  const std::string name = "p.sync-conflict-20261209-120000-ABCDEFG.bv3";
  WriteFile(dir / name, "suya");
  fs::permissions(dir / name, fs::perms(0644));
  const fs::path moved = store.SetAsideConflictCopy(dir / name);
  EXPECT_EQ(moved, data / "conflict-copies" / name);
  EXPECT_FALSE(fs::exists(dir / name));
  EXPECT_EQ(ReadFile(moved), "suya");
  EXPECT_EQ(ModeOf(moved), 0600u);
  EXPECT_EQ(ModeOf(data / "conflict-copies"), 0700u);
  // A second copy of the same name takes a number.
  WriteFile(dir / name, "otra");
  EXPECT_EQ(store.SetAsideConflictCopy(dir / name),
            data / "conflict-copies" / "p.sync-conflict-20261209-120000-ABCDEFG (2).bv3");

  for (int k = 0; k < 3; ++k) {
    WriteFile(dir / "p.bv3", std::to_string(k));
    (void)store.Keep(dir / "p.bv3");
  }
  EXPECT_EQ(ReadFile(moved), "suya");
  EXPECT_EQ(ReadFile(data / "conflict-copies" / "p.sync-conflict-20261209-120000-ABCDEFG (2).bv3"),
            "otra");
  EXPECT_EQ(Contents(store.BackupsOf(dir / "p.bv3")), std::vector<std::string>{"2"});
}

// Sets an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST_F(BackupStoreTest, TheDataFolderFollowsXdgDataHomeOrElseHome) {
  const ScopedEnv home("HOME", (dir / "casa").c_str());
  {
    const ScopedEnv xdg("XDG_DATA_HOME", (dir / "xdg").c_str());
    EXPECT_EQ(UserDataFolder(), dir / "xdg" / "brindlevault");
    EXPECT_EQ(BackupStore::ForUser(3).BackupFolder(), dir / "xdg" / "brindlevault" / "backups");
  }
  for (const char* notUsable : {"relativa/datos", "", static_cast<const char*>(nullptr)}) {
    const ScopedEnv xdg("XDG_DATA_HOME", notUsable);
    EXPECT_EQ(UserDataFolder(), dir / "casa" / ".local" / "share" / "brindlevault");
  }
}

}  // namespace
}  // namespace bv
