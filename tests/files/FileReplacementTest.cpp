// Files replaced whole: new files, replaced files, links, refusals and failures, each both
// with the unnamed temporary file and with the named one that serves where there is none.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "files/FileReplacement.h"
#include "files/InOutError.h"
#include "files/LinkGuard.h"
#include "files/TemporaryFileNames.h"
#include "support/ProfileFixtures.h"

namespace bv {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

std::vector<std::string> FilesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

mode_t ModeOf(const fs::path& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

void Replace(const fs::path& path, const std::string& text) {
  FileReplacement replacement(path, 0);
  replacement.Temp().WriteAll(
      std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  replacement.Seal();
  replacement.Commit();
}

// The run-time text of what replacing path throws; empty when it does not throw.
std::string ReplaceFailure(const fs::path& path) {
  try {
    Replace(path, "nuevo");
  } catch (const EInOutError& error) {
    return error.what();
  }
  return "";
}

class FileReplacementTest : public testing::TestWithParam<bool> {
 protected:
  void SetUp() override { AllowUnnamedTemporaryFiles(GetParam()); }
  void TearDown() override { AllowUnnamedTemporaryFiles(true); }

  test::ScratchFolder dir;
};

INSTANTIATE_TEST_SUITE_P(Temporary, FileReplacementTest, testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Unnamed" : "Named"; });

TEST_P(FileReplacementTest, ANewFileIsForItsOwnerOnly) {
  const mode_t old = ::umask(0);
  Replace(dir / "nuevo.txt", "hola");
  ::umask(old);
  EXPECT_EQ(test::ReadFile(dir / "nuevo.txt"), "hola");
  EXPECT_EQ(ModeOf(dir / "nuevo.txt"), 0600u);
  EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"nuevo.txt"});
}

TEST_P(FileReplacementTest, AReplacedFileKeepsItsPermissionsAndIsANewFile) {
  const auto path = dir / "p.txt";
  test::WriteFile(path, "contenido antiguo");
  ::chmod(path.c_str(), 0640);
  struct stat before {};
  ASSERT_EQ(::stat(path.c_str(), &before), 0);

  FileReplacement replacement(path, 9);
  const auto& prefix = replacement.OldPrefix();
  EXPECT_EQ(std::string(prefix.begin(), prefix.end()), "contenido");
  const std::string text = "nuevo";
  replacement.Temp().WriteAll(
      std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  EXPECT_EQ(test::ReadFile(path), "contenido antiguo");  // nothing changes before Commit
  replacement.Seal();
  replacement.Commit();

  EXPECT_EQ(test::ReadFile(path), "nuevo");
  EXPECT_EQ(ModeOf(path), 0640u);
  struct stat after {};
  ASSERT_EQ(::stat(path.c_str(), &after), 0);
  EXPECT_NE(after.st_ino, before.st_ino);  // replaced, never written in place
  EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"p.txt"});
}

TEST_P(FileReplacementTest, WithoutCommitTheOldFileStaysAndNothingIsLeft) {
  const auto path = dir / "p.txt";
  test::WriteFile(path, "antiguo");
  {
    FileReplacement replacement(path, 0);
    const std::string text = "a medias";
    replacement.Temp().WriteAll(
        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    replacement.Seal();
  }
  EXPECT_EQ(test::ReadFile(path), "antiguo");
  EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"p.txt"});
}

// Only the named way has a name during the write: the temporary name, beside the target.
TEST_P(FileReplacementTest, TheTemporaryFileCarriesTheMark) {
  const auto path = dir / "p.bv3";
  test::WriteFile(path, "antiguo");
  FileReplacement replacement(path, 0);
  const auto names = FilesIn(dir.path());
  if (GetParam()) {
    EXPECT_EQ(names, std::vector<std::string>{"p.bv3"});
  } else {
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0].substr(0, 14), ".p.bv3.~bvsave");
    EXPECT_TRUE(IsTemporaryNameOf(path, names[0])) << names[0];
  }
}

TEST_P(FileReplacementTest, SymbolicLinksAreFollowedToTheRealFile) {
  test::WriteFile(dir / "real.txt", "antiguo");
  fs::create_symlink("real.txt", dir / "enlace1");
  fs::create_symlink("enlace1", dir / "enlace2");
  Replace(dir / "enlace2", "nuevo");
  EXPECT_TRUE(fs::is_symlink(dir / "enlace1"));
  EXPECT_TRUE(fs::is_symlink(dir / "enlace2"));
  EXPECT_EQ(test::ReadFile(dir / "real.txt"), "nuevo");

  // A dangling link makes its target; a loop of links is refused.
  fs::create_symlink("falta.txt", dir / "colgante");
  Replace(dir / "colgante", "nuevo");
  EXPECT_EQ(test::ReadFile(dir / "falta.txt"), "nuevo");
  fs::create_symlink("bucle2", dir / "bucle1");
  fs::create_symlink("bucle1", dir / "bucle2");
  EXPECT_EQ(ReplaceFailure(dir / "bucle1"), "Nombre de Archivo inv\xE1lido");
}

TEST_P(FileReplacementTest, FoldersAndSpecialFilesAreRefusedUntouched) {
  EXPECT_EQ(ReplaceFailure(dir.path()), "Acceso al archivo denegado");
  EXPECT_EQ(ReplaceFailure(dir / "falta" / "p.txt"), "Archivo no encontrado");
  for (const test::SpecialFile kind : test::SpecialFileKinds()) {
    const auto path = dir / ("especial" + std::to_string(static_cast<int>(kind)));
    ASSERT_TRUE(test::MakeSpecialFile(path, kind));
    EXPECT_THROW(Replace(path, "nuevo"), ENotRegularFile);
    EXPECT_FALSE(fs::is_regular_file(path));
    fs::remove(path);
  }
  EXPECT_TRUE(FilesIn(dir.path()).empty());
}

TEST_P(FileReplacementTest, AReadOnlyFileIsRefused) {
  const auto folder = dir / "mio";
  fs::create_directory(folder);
  test::GiveToUnprivileged(folder);
  const auto path = folder / "p.txt";
  test::WriteFile(path, "antiguo");
  test::GiveToUnprivileged(path);
  ::chmod(path.c_str(), 0444);
  const std::string failure = test::RunWithoutPrivilege([&]() -> std::string {
    const std::string text = ReplaceFailure(path);
    return text == "Acceso al archivo denegado" ? "" : "replace reported '" + text + "'";
  });
  EXPECT_EQ(failure, "");
  EXPECT_EQ(test::ReadFile(path), "antiguo");
  EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"p.txt"});
}

TEST(ClaimNewFile, MakesAnEmptyOwnerOnlyFileOrChecksTheOneThere) {
  test::ScratchFolder dir;
  const mode_t old = ::umask(0);
  EXPECT_TRUE(ClaimNewFile(dir / "nuevo.bv3"));
  ::umask(old);
  EXPECT_EQ(fs::file_size(dir / "nuevo.bv3"), 0u);
  EXPECT_EQ(ModeOf(dir / "nuevo.bv3"), 0600u);
  test::WriteFile(dir / "nuevo.bv3", "algo");
  EXPECT_FALSE(ClaimNewFile(dir / "nuevo.bv3"));
  EXPECT_EQ(test::ReadFile(dir / "nuevo.bv3"), "algo");
  ASSERT_TRUE(test::MakeSpecialFile(dir / "tuberia", test::SpecialFile::Fifo));
  EXPECT_THROW(static_cast<void>(ClaimNewFile(dir / "tuberia")), ENotRegularFile);  // no wait
}

// The guard removes a name only when the process that gave it ends without releasing it.
TEST(LinkGuard, RemovesTheNameOfAKilledProcessAndNoOther) {
  UseLinkGuardHelper(BV_LINK_GUARD);  // a forked process starts the helper program
  test::ScratchFolder dir;
  const auto pending = dir / "pendiente";
  const auto released = dir / "soltado";
  for (const auto& path : {pending, released}) {
    test::WriteFile(path, "x");
    const pid_t pid = ::fork();
    if (pid == 0) {
      GuardLinkName(path.string());
      if (path == released) ReleaseLinkName();
      ::raise(SIGKILL);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (fs::exists(pending) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_FALSE(fs::exists(pending));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_TRUE(fs::exists(released));
}

// The guard processes this one started, by their /proc entries: every living child, since an
// earlier test may have left a guard forked from this process (named as this process is).
std::vector<pid_t> GuardProcesses() {
  std::vector<pid_t> found;
  for (const auto& entry : fs::directory_iterator("/proc")) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::ifstream status(entry.path() / "status");
    std::string line;
    long parent = -1;
    bool zombie = false;
    while (std::getline(status, line)) {
      if (line.starts_with("State:")) zombie = line.find('Z') != std::string::npos;
      if (line.starts_with("PPid:")) parent = std::stol(line.substr(5));
    }
    if (parent == ::getpid() && !zombie) found.push_back(std::stoi(name));
  }
  return found;
}

// A guard that died is started again as the small helper program, never as a fork of this
// (by then large) process; without the helper program, no guard rather than a fork.
TEST(LinkGuard, StartedAgainByExecutingTheHelperProgram) {
  UseLinkGuardHelper(BV_LINK_GUARD);
  StartLinkGuard();
  test::ScratchFolder dir;
  const std::string name = (dir / "pendiente").string();
  ASSERT_TRUE(GuardLinkName(name));
  ReleaseLinkName();
  for (const auto& [helper, started] : {std::pair{fs::path("/nonexistent/bv-link-guard"), false},
                                        std::pair{fs::path(BV_LINK_GUARD), true}}) {
    for (const pid_t pid : GuardProcesses()) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, nullptr, 0);
    }
    UseLinkGuardHelper(helper);
    EXPECT_EQ(GuardLinkName(name), started) << helper;
    ReleaseLinkName();
    const std::vector<pid_t> guards = GuardProcesses();
    ASSERT_EQ(guards.size(), started ? 1u : 0u) << helper;
    if (started) {
      EXPECT_EQ(fs::read_symlink("/proc/" + std::to_string(guards[0]) + "/exe"),
                fs::canonical(BV_LINK_GUARD));
    }
  }
}

}  // namespace
}  // namespace bv
