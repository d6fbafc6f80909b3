// The recent profiles list: the add rule on its own and through the settings file.
#include <gtest/gtest.h>

#include <vector>

#include "app/RecentList.h"
#include "config/ProgramPaths.h"
#include "support/ScratchFolder.h"

namespace bv {
namespace {

using test::ScratchFolder;

RecentEntries Entries(std::initializer_list<const char*> six) {
  RecentEntries entries;
  std::size_t k = 0;
  for (const char* entry : six) entries[k++] = entry;
  return entries;
}

StoredRecent Stored(const RecentEntries& entries) {
  StoredRecent stored;
  for (std::size_t k = 0; k < entries.size(); ++k) stored[k] = entries[k];
  return stored;
}

class RecentFile : public ::testing::Test {
 protected:
  void SetUp() override { SetProgramDir(dir.path()); }
  std::string Settings() const { return test::ReadFile(dir / "brindlevault.ini"); }
  ScratchFolder dir;
};

// --- the rule ----------------------------------------------------------------------------

TEST(RecentRule, EachPathOpenedInTurnGivesTheDocumentedList) {
  struct Step {
    const char* opened;
    RecentEntries after;
  };
  const std::vector<Step> steps = {
      {"/p/A.bv3",
       Entries({"/p/A.bv3", "/p/A.bv3", "/p/A.bv3", "/p/A.bv3", "/p/A.bv3", "/p/A.bv3"})},
      {"/p/B.bv3",
       Entries({"/p/B.bv3", "/p/A.bv3", "/p/A.bv3", "/p/A.bv3", "/p/A.bv3", "/p/A.bv3"})},
      {"/p/C.bv3",
       Entries({"/p/C.bv3", "/p/B.bv3", "/p/A.bv3", "/p/A.bv3", "/p/A.bv3", "/p/A.bv3"})},
      {"/p/B.bv3",
       Entries({"/p/B.bv3", "/p/C.bv3", "/p/B.bv3", "/p/A.bv3", "/p/A.bv3", "/p/A.bv3"})},
      // Only entry 1 is compared: A is further down and comes to the top once more.
      {"/p/A.bv3",
       Entries({"/p/A.bv3", "/p/B.bv3", "/p/C.bv3", "/p/B.bv3", "/p/A.bv3", "/p/A.bv3"})},
  };
  StoredRecent stored;  // no section yet
  for (const Step& step : steps) {
    const auto after = AddedToRecent(stored, step.opened);
    ASSERT_TRUE(after) << step.opened;
    EXPECT_EQ(*after, step.after) << "after opening " << step.opened;
    stored = Stored(*after);
  }
}

// Linux tells letter case apart in file names: only the very same path is entry 1 again.
TEST(RecentRule, EntryOneAgainChangesNothingButAnotherCaseIsAnotherProfile) {
  const StoredRecent stored = Stored(Entries({"/Perfiles/Casa.bv3", "/b", "/c", "/d", "/e", "/f"}));
  EXPECT_FALSE(AddedToRecent(stored, "/Perfiles/Casa.bv3"));
  // "Ñ" and "ñ" (Windows-1252 0xD1 and 0xF1) differ as much as "C" and "c".
  for (const char* other : {"/perfiles/casa.BV3", "/PERFILES/CASA.BV3", "/Perfiles/Casa.bv3 ",
                            "/Perfiles/\321asa.bv3"}) {
    const auto after = AddedToRecent(stored, other);
    ASSERT_TRUE(after) << other;
    EXPECT_EQ((*after)[0], other);
    EXPECT_EQ((*after)[1], "/Perfiles/Casa.bv3");
  }
}

TEST(RecentRule, AKeyThatIsMissingTakesTheNewPathAndAnEmptyOneMovesDown) {
  StoredRecent stored;
  stored[0] = "/uno";
  stored[1] = "";  // present but empty
  // Entries 3 to 6 are missing.
  const auto after = AddedToRecent(stored, "/nuevo");
  ASSERT_TRUE(after);
  EXPECT_EQ(*after, Entries({"/nuevo", "/uno", "", "/nuevo", "/nuevo", "/nuevo"}));
}

// --- the settings file -------------------------------------------------------------------

TEST_F(RecentFile, WithoutSectionEveryEntryIsEmpty) {
  for (const std::string& entry : ReadRecentEntries()) EXPECT_EQ(entry, "");
  for (int k = 0; k <= 7; ++k) EXPECT_EQ(ReadRecentEntry(k), "") << k;
}

TEST_F(RecentFile, AddingStoresKeysOneToSixInTheSectionReciente) {
  AddToRecentList("/p/A.bv3");
  AddToRecentList("/p/B.bv3");
  const RecentEntries expected =
      Entries({"/p/B.bv3", "/p/A.bv3", "/p/A.bv3", "/p/A.bv3", "/p/A.bv3", "/p/A.bv3"});
  EXPECT_EQ(ReadRecentEntries(), expected);
  EXPECT_EQ(ReadRecentEntry(1), "/p/B.bv3");
  EXPECT_EQ(ReadRecentEntry(6), "/p/A.bv3");
  EXPECT_NE(Settings().find("[Reciente]"), std::string::npos);
  EXPECT_NE(Settings().find("1=/p/B.bv3"), std::string::npos);
}

TEST_F(RecentFile, AnExistingListKeepsItsOtherSectionsAndItsEmptyKeys) {
  test::WriteFile(dir / "brindlevault.ini",
                  "[Configuracion]\r\nCargaUltimo=1\r\n[Reciente]\r\n1=/viejo.bv3\r\n2=\r\n");
  AddToRecentList("/NUEVO.bv3");
  EXPECT_EQ(ReadRecentEntries(),
            Entries({"/NUEVO.bv3", "/viejo.bv3", "", "/NUEVO.bv3", "/NUEVO.bv3", "/NUEVO.bv3"}));
  EXPECT_NE(Settings().find("CargaUltimo=1\r\n"), std::string::npos);
}

TEST_F(RecentFile, TheSamePathLeavesTheFileUntouchedAndAnotherCaseIsOpenedNextTime) {
  AddToRecentList("/x/del.bv3");
  const std::string before = Settings();
  AddToRecentList("/x/del.bv3");
  EXPECT_EQ(Settings(), before);
  AddToRecentList("/x/DEL.bv3");
  EXPECT_EQ(ReadRecentEntry(1), "/x/DEL.bv3");  // the profile opened at the next start
  EXPECT_EQ(ReadRecentEntry(2), "/x/del.bv3");
}

}  // namespace
}  // namespace bv
