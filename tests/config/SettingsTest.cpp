#include "config/Settings.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "config/ProgramPaths.h"
#include "support/ScratchFolder.h"

namespace bv {
namespace {

using test::ReadFile;
using test::ScratchFolder;
using test::WriteFile;

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { SetProgramDir(dir_.path()); }
  void Store(const std::string& bytes) { WriteFile(dir_ / "brindlevault.ini", bytes); }
  ScratchFolder dir_;
};

TEST_F(SettingsTest, FileLivesInTheWritableProgramFolder) {
  EXPECT_EQ(SettingsFilePath(), dir_ / "brindlevault.ini");
}

TEST_F(SettingsTest, MissingFileGivesDefaults) {
  EXPECT_FALSE(ReadBool(settings::kConfiguracion, settings::kCargaUltimo, false));
  EXPECT_TRUE(ReadBool(settings::kConfiguracion, settings::kDCBSalir, true));
  EXPECT_EQ(ReadInt(settings::kConfiguracion, settings::kAnchoArbol, 233), 233);
  EXPECT_EQ(ReadString(settings::kReciente, "1", ""), "");
  EXPECT_FALSE(std::filesystem::exists(SettingsFilePath()));
}

struct NumberCase {
  const char* stored;
  std::optional<int> value;  // empty: not a number, the default applies
};

class SettingsNumberTest : public SettingsTest, public ::testing::WithParamInterface<NumberCase> {};

TEST_P(SettingsNumberTest, ReadsValueForms) {
  Store(std::string("[Configuracion]\r\nAnchoArbol=") + GetParam().stored + "\r\n");
  const auto value = GetParam().value;
  EXPECT_EQ(ReadInt("configuracion", "anchoarbol", 233), value.value_or(233));
  EXPECT_EQ(ReadBool("Configuracion", "AnchoArbol", true), value ? *value != 0 : true);
  EXPECT_EQ(ReadBool("Configuracion", "AnchoArbol", false), value ? *value != 0 : false);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, SettingsNumberTest,
    ::testing::Values(NumberCase{"300", 300}, NumberCase{"0", 0}, NumberCase{"2", 2},
                      NumberCase{"-1", -1}, NumberCase{"+7", 7}, NumberCase{"0x100", 256},
                      NumberCase{"0X1f", 31}, NumberCase{"0x0", 0}, NumberCase{"0xFFFFFFFF", -1},
                      NumberCase{"0x100000000", std::nullopt}, NumberCase{"0x", std::nullopt},
                      NumberCase{"abc", std::nullopt}, NumberCase{"12abc", std::nullopt},
                      NumberCase{"", std::nullopt}, NumberCase{"99999999999", std::nullopt},
                      NumberCase{"$FF", std::nullopt}));

TEST_F(SettingsTest, WritesBooleansIntegersAndStringsKeepingTheRest) {
  Store("; mine\r\n[Configuracion]\r\nOtra=x\r\nMostrarPass=0\r\n");
  WriteBool(settings::kConfiguracion, settings::kMostrarPass, true);
  WriteInt(settings::kConfiguracion, settings::kAnchoArbol, -5);
  WriteString(settings::kReciente, "1", "/home/u/perfil \xF1.bv3");
  EXPECT_EQ(ReadFile(SettingsFilePath()),
            "; mine\r\n[Configuracion]\r\nOtra=x\r\nMostrarPass=1\r\nAnchoArbol=-5\r\n"
            "[Reciente]\r\n1=/home/u/perfil \xF1.bv3\r\n");
  EXPECT_TRUE(ReadBool(settings::kConfiguracion, settings::kMostrarPass, false));
  EXPECT_EQ(ReadInt(settings::kConfiguracion, settings::kAnchoArbol, 0), -5);
}

class SettingsFallbackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) oldXdg_ = old;
    WriteFile(dir_ / "file", "x");
    // A program folder below a regular file is never writable, not even for root.
    SetProgramDir(dir_ / "file" / "bin");
  }
  void TearDown() override {
    if (oldXdg_)
      ::setenv("XDG_CONFIG_HOME", oldXdg_->c_str(), 1);
    else
      ::unsetenv("XDG_CONFIG_HOME");
  }
  ScratchFolder dir_;
  std::optional<std::string> oldXdg_;
};

TEST_F(SettingsFallbackTest, UsesTheConfigurationFolderAndCreatesIt) {
  ::setenv("XDG_CONFIG_HOME", (dir_ / "cfg").c_str(), 1);
  EXPECT_EQ(SettingsFilePath(), dir_ / "cfg" / "brindlevault" / "brindlevault.ini");
  WriteInt(settings::kConfiguracion, settings::kAnchoArbol, 300);
  EXPECT_EQ(ReadFile(dir_ / "cfg" / "brindlevault" / "brindlevault.ini"),
            "[Configuracion]\nAnchoArbol=300\n");
}

TEST_F(SettingsFallbackTest, FailedWriteNamesTheSettingsFile) {
  ::setenv("XDG_CONFIG_HOME", (dir_ / "file" / "cfg").c_str(), 1);
  const auto path = SettingsFilePath().string();
  try {
    WriteBool(settings::kGeneral, settings::kStartLanguage, false);
    FAIL() << "the write should fail";
  } catch (const ESettingsWriteError& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
  }
}

TEST(SettingsPathTest, StoredPathsRoundTrip) {
  const std::filesystem::path spanish = "/home/u/Espa\xC3\xB1ol.lng";  // UTF-8 on disk
  EXPECT_EQ(PathToSetting(spanish), "/home/u/Espa\xF1ol.lng");
  EXPECT_EQ(PathFromSetting("/home/u/Espa\xF1ol.lng"), spanish);
  const std::filesystem::path greek = "/home/u/\xCE\xB1.bv3";  // no Windows-1252 form
  EXPECT_EQ(PathToSetting(greek), greek.string());
  EXPECT_EQ(PathFromSetting(PathToSetting(greek)), greek);
}

}  // namespace
}  // namespace bv
