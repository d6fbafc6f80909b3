#include "config/ProgramPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "config/Settings.h"
#include "support/ScratchFolder.h"

namespace bv {
namespace {

using test::ScratchFolder;

// The scratch folder stands for a prefix (bin/, share/brindlevault/) or an unpacked portable
// folder (bin/res/), and holds the user's home and configuration folders too.
class ProgramPathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir_ / "bin");
    std::filesystem::create_directories(dir_ / "home");
    SetProgramDir(dir_ / "bin");
    Point("XDG_CONFIG_HOME", dir_ / "cfg");
    Point("HOME", dir_ / "home");
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
      else
        ::unsetenv(name.c_str());
    }
  }
  void Point(const std::string& name, const std::filesystem::path& to) {
    if (!saved_.count(name)) {
      const char* old = std::getenv(name.c_str());
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    ::setenv(name.c_str(), to.c_str(), 1);
  }
  void LayOutInstalled() {
    std::filesystem::create_directories(dir_ / "share" / "brindlevault" / "res");
  }

  ScratchFolder dir_;
  std::map<std::string, std::optional<std::string>> saved_;
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
  LayOutInstalled();
  EXPECT_TRUE(IsInstalledLayout());
  const auto share = (dir_ / "share" / "brindlevault").lexically_normal();
  EXPECT_EQ(ResourceDir(), share / "res");
  EXPECT_EQ(HelpDir(), share / "help");
  EXPECT_EQ(DocumentDir(), share);
  EXPECT_EQ(SettingsFilePath(), dir_ / "cfg" / "brindlevault" / "brindlevault.ini");
}

TEST_F(ProgramPathsTest, InstalledProgramWritesItsSettingsOnlyIntoTheUsersFolder) {
  LayOutInstalled();  // the program's folder is writable, as for root or a prefix in $HOME
  WriteInt("Configuracion", "AnchoArbol", 300);
  EXPECT_TRUE(std::filesystem::exists(dir_ / "cfg" / "brindlevault" / "brindlevault.ini"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "bin" / "brindlevault.ini"));
  EXPECT_EQ(ReadInt("Configuracion", "AnchoArbol", 0), 300);
}

TEST_F(ProgramPathsTest, PortableProgramWritesItsSettingsBesideItself) {
  std::filesystem::create_directories(dir_ / "bin" / "res");
  WriteInt("Configuracion", "AnchoArbol", 300);
  EXPECT_TRUE(std::filesystem::exists(dir_ / "bin" / "brindlevault.ini"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "cfg"));
}

TEST_F(ProgramPathsTest, WithoutXdgConfigHomeTheHomeFolderIsUsed) {
  LayOutInstalled();
  const auto inHome = dir_ / "home" / ".config" / "brindlevault" / "brindlevault.ini";
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(SettingsFilePath(), inHome);
  Point("XDG_CONFIG_HOME", "");
  EXPECT_EQ(SettingsFilePath(), inHome);
  Point("XDG_CONFIG_HOME", "relative/path");  // only absolute paths count
  EXPECT_EQ(SettingsFilePath(), inHome);
}

}  // namespace
}  // namespace bv
