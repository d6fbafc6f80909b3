#include "config/ProgramPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "config/TempDir.h"

namespace bv {
namespace {

using test::TempDir;

class ProgramPathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir_ / "bin");
    SetProgramDir(dir_ / "bin");
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) oldXdg_ = old;
    ::setenv("XDG_CONFIG_HOME", (dir_ / "cfg").c_str(), 1);
  }
  void TearDown() override {
    if (oldXdg_) ::setenv("XDG_CONFIG_HOME", oldXdg_->c_str(), 1);
    else ::unsetenv("XDG_CONFIG_HOME");
  }
  TempDir dir_;
  std::optional<std::string> oldXdg_;
};

TEST_F(ProgramPathsTest, PortableProgramKeepsEverythingBesideItself) {
  std::filesystem::create_directories(dir_ / "bin" / "res");
  std::filesystem::create_directories(dir_ / "share" / "brindlevault" / "res");
  EXPECT_FALSE(IsInstalledLayout());
  EXPECT_EQ(ResourceDir(), dir_ / "bin" / "res");
  EXPECT_EQ(HelpDir(), dir_ / "bin" / "help");
  EXPECT_EQ(DocumentDir(), dir_ / "bin");
  EXPECT_EQ(SettingsFilePath(), dir_ / "bin" / "brindlevault.ini");
}

TEST_F(ProgramPathsTest, InstalledProgramUsesShareAndTheUsersConfigurationFolder) {
  std::filesystem::create_directories(dir_ / "share" / "brindlevault" / "res");
  EXPECT_TRUE(IsInstalledLayout());
  const auto share = (dir_ / "share" / "brindlevault").lexically_normal();
  EXPECT_EQ(ResourceDir().lexically_normal(), share / "res");
  EXPECT_EQ(HelpDir().lexically_normal(), share / "help");
  EXPECT_EQ(DocumentDir(), share);
  EXPECT_EQ(SettingsFilePath(), dir_ / "cfg" / "brindlevault" / "brindlevault.ini");
}

TEST_F(ProgramPathsTest, WithoutXdgConfigHomeTheHomeFolderIsUsed) {
  std::filesystem::create_directories(dir_ / "share" / "brindlevault" / "res");
  ::unsetenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  if (!home || !*home) GTEST_SKIP() << "no HOME";
  EXPECT_EQ(SettingsFilePath(),
            std::filesystem::path(home) / ".config" / "brindlevault" / "brindlevault.ini");
  ::setenv("XDG_CONFIG_HOME", "relative/path", 1);  // only absolute paths count
  EXPECT_EQ(SettingsFilePath(),
            std::filesystem::path(home) / ".config" / "brindlevault" / "brindlevault.ini");
}

}  // namespace
}  // namespace bv
