#include "config/Messages.h"

#include <gtest/gtest.h>

#include "config/ProgramPaths.h"
#include "config/Settings.h"
#include "support/ScratchFolder.h"

namespace bv {
namespace {

using test::ScratchFolder;
using test::WriteFile;

TEST(MessagesTest, LoadingKeepsTheTextOfMessagesTheFileLacks) {
  ScratchFolder dir;
  WriteFile(dir / "a.lng", "[Mensajes]\r\n20=Guardar \xBF?\r\n21=Opciones\r\n108=fin\r\n");
  WriteFile(dir / "b.lng", "[FPrincipal]\r\n20=not a message\r\n[mensajes]\r\n21=Options\r\n");
  LoadMessages(dir / "a.lng");
  EXPECT_EQ(MessageText(20), "Guardar \xBF?");
  EXPECT_EQ(MessageText(108), "fin");
  LoadMessages(dir / "b.lng");
  EXPECT_EQ(MessageText(20), "Guardar \xBF?");
  EXPECT_EQ(MessageText(21), "Options");
  LoadMessages(dir / "missing.lng");
  EXPECT_EQ(MessageText(21), "Options");
  EXPECT_EQ(MessageText(-1), "");
  EXPECT_EQ(MessageText(kMessageCount), "");
}

class StartLanguageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetProgramDir(dir_.path());
    std::filesystem::create_directory(dir_ / "res");
  }
  std::filesystem::path Spanish() const { return dir_ / "res" / "Espa\xC3\xB1ol.lng"; }
  ScratchFolder dir_;
};

TEST_F(StartLanguageTest, CreatesTheDefaultFileEmptyAndUsesIt) {
  SelectStartLanguage();
  EXPECT_EQ(ActiveLanguageFile(), Spanish());
  EXPECT_TRUE(std::filesystem::exists(Spanish()));
  EXPECT_EQ(std::filesystem::file_size(Spanish()), 0u);
}

TEST_F(StartLanguageTest, KeepsAnExistingDefaultFile) {
  WriteFile(Spanish(), "[Mensajes]\r\n1=x\r\n");
  SelectStartLanguage();
  EXPECT_EQ(std::filesystem::file_size(Spanish()), 17u);
}

TEST_F(StartLanguageTest, TakesTheStoredFileWhenItExists) {
  WriteFile(dir_ / "res" / "English.lng", "");
  WriteString(settings::kConfiguracion, settings::kRecursos,
              PathToSetting(dir_ / "res" / "English.lng"));
  SelectStartLanguage();
  EXPECT_EQ(ActiveLanguageFile(), dir_ / "res" / "English.lng");
}

TEST_F(StartLanguageTest, FallsBackForAMissingOrEmptyStoredFile) {
  for (const char* stored : {"C:\\Archivos de programa\\Brindlevault\\res\\Espa\xF1ol.lng", ""}) {
    WriteString(settings::kConfiguracion, settings::kRecursos, stored);
    SetActiveLanguageFile("/elsewhere.lng");
    SelectStartLanguage();
    EXPECT_EQ(ActiveLanguageFile(), Spanish()) << stored;
  }
}

TEST_F(StartLanguageTest, WithoutResourceFolderCreatesNothing) {
  std::filesystem::remove(dir_ / "res");
  SelectStartLanguage();
  EXPECT_EQ(ActiveLanguageFile(), Spanish());
  EXPECT_FALSE(std::filesystem::exists(Spanish()));
}

TEST_F(StartLanguageTest, ListsTheLanguageFilesByName) {
  for (const char* name : {"English.lng", "Espa\xC3\xB1ol.lng", "Deutsch.LNG", "notes.txt"})
    WriteFile(dir_ / "res" / name, "");
  std::filesystem::create_directory(dir_ / "res" / "folder.lng");
  std::vector<std::string> names;
  for (const auto& file : LanguageFiles(dir_ / "res")) names.push_back(file.filename().string());
  EXPECT_EQ(names, (std::vector<std::string>{"Deutsch.LNG", "English.lng", "Espa\xC3\xB1ol.lng"}));
  EXPECT_TRUE(LanguageFiles(dir_ / "missing").empty());
}

}  // namespace
}  // namespace bv
