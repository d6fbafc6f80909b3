// Saves killed at random moments: whatever the moment, the profile is exactly the old file
// or exactly the new one, and the folder holds nothing else afterwards (almost never for
// SIGKILL, never for the signals a program can catch).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "support/ProfileFixtures.h"

namespace bv {
namespace {

using test::Bytes;
using test::ScratchFolder;
using Clock = std::chrono::steady_clock;

constexpr int kAccounts = 2000;

pid_t StartSave(const std::filesystem::path& profile, const std::string& variant, bool named) {
  const std::string accounts = std::to_string(kAccounts);
  const pid_t pid = ::fork();
  if (pid == 0) {
    const char* mode = named ? "named" : "unnamed";
    ::execl(BV_SAVE_CHILD, BV_SAVE_CHILD, profile.c_str(), accounts.c_str(), variant.c_str(), mode,
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  return pid;
}

// How the child ended: "exit N" or "signal N".
std::string Wait(pid_t pid) {
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (WIFEXITED(status)) return "exit " + std::to_string(WEXITSTATUS(status));
  return "signal " + std::to_string(WTERMSIG(status));
}

class KillTest : public testing::Test {
 protected:
  void SetUp() override {
    // The old file, and the new one as an undisturbed save writes it (a save is deterministic).
    ASSERT_EQ(Wait(StartSave(profile_, "old", false)), "exit 0");
    old_ = test::ReadBytes(profile_);
    const auto started = Clock::now();
    ASSERT_EQ(Wait(StartSave(profile_, "new", false)), "exit 0");
    duration_ = Clock::now() - started;
    new_ = test::ReadBytes(profile_);
    ASSERT_NE(old_, new_);
  }

  struct Tally {
    int runs = 0, old = 0, fresh = 0, strays = 0;
  };

  // Puts the old file back, starts a save and sends sig at a random moment of its run.
  void Run(int sig, bool named, int runs, Tally& tally) {
    std::uniform_int_distribution<long> moment(
        0, static_cast<long>(
               std::chrono::duration_cast<std::chrono::microseconds>(duration_).count()));
    for (int k = 0; k < runs; ++k) {
      test::WriteBytes(profile_, old_);
      const pid_t pid = StartSave(profile_, "new", named);
      std::this_thread::sleep_for(std::chrono::microseconds(moment(random_)));
      ::kill(pid, sig);
      const std::string end = Wait(pid);
      ++tally.runs;
      const Bytes now = test::ReadBytes(profile_);
      if (now == old_)
        ++tally.old;
      else if (now == new_)
        ++tally.fresh;
      else
        ADD_FAILURE() << "run " << k << " (" << end << "): the profile is neither file";
      for (const auto& path : StrayFiles()) {
        ++tally.strays;
        std::filesystem::remove(path);
      }
    }
    std::printf("signal %d, %s temporary file: %d runs, %d old, %d new, %d stray files\n", sig,
                named ? "named" : "unnamed", tally.runs, tally.old, tally.fresh, tally.strays);
  }

  // What is left beside the profile. A killed save's guard process outlives the save by a
  // moment: it has up to five seconds to remove the name.
  std::vector<std::filesystem::path> StrayFiles() const {
    std::vector<std::filesystem::path> strays;
    for (int wait = 0; wait < 500; ++wait) {
      strays.clear();
      for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
        if (entry.path() != profile_) strays.push_back(entry.path());
      if (strays.empty()) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return strays;
  }

  ScratchFolder dir_;
  std::filesystem::path profile_ = dir_ / "perfil.bv3";
  Bytes old_, new_;
  Clock::duration duration_{};
  std::mt19937 random_{std::random_device{}()};
};

// How many random kills: 200, or BV_KILL_RUNS (say 400 for a longer trial).
int KillRuns() {
  const char* runs = std::getenv("BV_KILL_RUNS");
  return runs && std::atoi(runs) > 0 ? std::atoi(runs) : 200;
}

TEST_F(KillTest, SigkillLeavesTheOldOrTheNewFileAndAlmostNeverAStrayFile) {
  Tally tally;
  Run(SIGKILL, false, KillRuns(), tally);
  EXPECT_LE(tally.strays, 1);
  // The moments spread over the whole save: both outcomes occur.
  EXPECT_GT(tally.old, 0);
  EXPECT_GT(tally.fresh, 0);
  // Where the unnamed file cannot be used, the named one is at least never half a profile.
  Tally named;
  Run(SIGKILL, true, 30, named);
  EXPECT_LE(named.strays, 1);
}

TEST_F(KillTest, CatchableSignalsLeaveNoStrayFile) {
  for (const bool named : {false, true}) {
    for (const int sig : {SIGINT, SIGTERM, SIGHUP}) {
      Tally tally;
      Run(sig, named, 20, tally);
      EXPECT_EQ(tally.strays, 0) << "signal " << sig << (named ? " named" : " unnamed");
    }
  }
}

// What a killed save left is removed by the next save of the same profile, once it is old
// enough not to belong to a save still running elsewhere; nothing else in the folder is touched.
TEST_F(KillTest, TheNextSaveRemovesTheTemporaryFilesOfKilledSaves) {
  const auto make = [&](const std::string& name, std::chrono::seconds age) {
    const auto path = dir_ / name;
    test::WriteBytes(path, old_);
    const auto when = std::filesystem::file_time_type::clock::now() - age;
    std::filesystem::last_write_time(path, when);
    return path;
  };
  const auto old = make(".perfil.bv3.~bvsave~Ab3xY9", std::chrono::seconds(120));
  const auto young = make(".perfil.bv3.~bvsave~Qw8eR2", std::chrono::seconds(0));
  const auto lookalikes = {make(".perfil.bv3.~bvsave~Ab3x", std::chrono::seconds(120)),
                           make(".otro.bv3.~bvsave~Ab3xY9", std::chrono::seconds(120)),
                           make("perfil.bv3.~bvsave~Ab3xY9", std::chrono::seconds(120)),
                           make(".perfil.bv3.backup", std::chrono::seconds(120))};
  for (const bool named : {false, true}) {
    ASSERT_EQ(Wait(StartSave(profile_, "new", named)), "exit 0");
    EXPECT_FALSE(std::filesystem::exists(old));
    EXPECT_TRUE(std::filesystem::exists(young));
    for (const auto& path : lookalikes) EXPECT_TRUE(std::filesystem::exists(path)) << path;
    make(old.filename().string(), std::chrono::seconds(120));
  }
}

}  // namespace
}  // namespace bv
