// Load and save through the main window's buffers: what reaches the tree, the session and
// the screen, in order.
#include <gtest/gtest.h>

#include <cstdlib>

#include "crypto/FieldCipher.h"
#include "files/BackupStore.h"
#include "profile/MasterPassword.h"
#include "profile/ProfileStore.h"
#include "support/ProfileFixtures.h"

namespace bv {
namespace {

using test::FakeView;
using test::ScratchFolder;

constexpr const char* kPassword = "clave secreta";

struct Window {
  SessionState session;
  TProfileHeader& header = session.Header;
  ProfileTree tree;
  FakeView view{&session};
  ProfileStore store{session, tree, view};
};

class ProfileStoreTest : public testing::Test {
 protected:
  // Saves the sample tree (or an empty one) and returns the path.
  std::filesystem::path SaveSample(bool withNodes = true, const std::string& password = kPassword) {
    Window writer;
    writer.header = test::SampleHeader(password);
    if (withNodes) test::FillSampleTree(writer.tree);
    const auto path = dir / "perfil.bv3";
    writer.store.Save(path, password);
    return path;
  }

  ScratchFolder dir;
  Window window;
};

void ExpectSameTrees(const ProfileTree& expected, const ProfileTree& actual) {
  ASSERT_EQ(test::Shape(actual), test::Shape(expected));
  for (int k = 0; k < static_cast<int>(expected.Count()); ++k) {
    SCOPED_TRACE("node " + std::to_string(k));
    EXPECT_EQ(actual.NodeAtTreeIndex(k)->data, expected.NodeAtTreeIndex(k)->data);
  }
}

TEST_F(ProfileStoreTest, SaveThenLoadGivesTheSameTree) {
  const auto path = SaveSample();
  ProfileTree sample;
  test::FillSampleTree(sample);

  ASSERT_TRUE(window.store.Load(path, kPassword));
  ExpectSameTrees(sample, window.tree);
  EXPECT_EQ(window.header.Owner, "Jos\xE9 P\xE9rez");
  EXPECT_EQ(window.header.Title, "Perfil de prueba");
  EXPECT_EQ(window.header.Magic, "Brindlevault_3");
}

TEST_F(ProfileStoreTest, LoadShowsItsStepsInOrder) {
  const auto path = SaveSample();
  window.session.Modified = true;
  ASSERT_TRUE(window.store.Load(path, kPassword));
  EXPECT_EQ(window.view.calls,
            (std::vector<std::string>{
                "ProfileOpening Perfil de prueba",
                "ReplaceNodes",
                "SelectFirstNode",
                "ProfileOpened",
                "Recent perfil.bv3 open",
                "ShowProfileSummary",
            }));
  EXPECT_TRUE(window.session.ProfileOpen);
  EXPECT_FALSE(window.session.Modified);
}

TEST_F(ProfileStoreTest, IrAlPrimeroSelectsTheFirstNodeInsteadOfTheSummary) {
  const auto path = SaveSample();
  window.view.irAlPrimero = true;
  ASSERT_TRUE(window.store.Load(path, kPassword));
  EXPECT_EQ(window.view.calls.back(), "SelectFirstNode");
  EXPECT_EQ(std::count(window.view.calls.begin(), window.view.calls.end(), "ShowProfileSummary"),
            0);
}

TEST_F(ProfileStoreTest, ProfileWithoutNodesShowsTheEmptyPageThenTheSummary) {
  const auto path = SaveSample(false);
  EXPECT_EQ(std::filesystem::file_size(path), kRecordSize);
  window.view.irAlPrimero = true;  // no node to go to
  test::FillSampleTree(window.tree);
  ASSERT_TRUE(window.store.Load(path, kPassword));
  EXPECT_TRUE(window.tree.Empty());
  EXPECT_EQ(window.view.calls,
            (std::vector<std::string>{
                "ProfileOpening Perfil de prueba",
                "ReplaceNodes",
                "ShowEmptyProfilePage",
                "ProfileOpened",
                "Recent perfil.bv3 open",
                "ShowProfileSummary",
            }));
}

TEST_F(ProfileStoreTest, WrongPasswordShowsTheErrorBoxAndLeavesTheTreeAlone) {
  const auto path = SaveSample();
  window.view.messages[6] = "No se pudo abrir el perfil.";
  window.view.messages[7] =
      "La contrase\xF1"
      "a es incorrecta.";
  TNodeData kept = TNodeData::Create(NodeKind::Category, 2);
  kept.Name = "ya abierto";
  window.tree.Append(nullptr, kept);
  window.session.ProfileOpen = true;

  EXPECT_FALSE(window.store.Load(path, "otra clave"));
  EXPECT_EQ(window.view.calls,
            (std::vector<std::string>{"ErrorBox No se pudo abrir el perfil.\rLa contrase\xF1"
                                      "a es incorrecta."}));
  EXPECT_EQ(test::Shape(window.tree), "ya abierto");
  EXPECT_FALSE(window.session.ProfileOpen);
  EXPECT_EQ(window.header.Title, "Perfil de prueba");  // the check read the file's header
}

TEST_F(ProfileStoreTest, PasswordCheckComparesTheVerifierExactly) {
  const auto withPassword = SaveSample(true, kPassword);
  EXPECT_TRUE(window.store.CheckPassword(withPassword, kPassword));
  EXPECT_FALSE(window.store.CheckPassword(withPassword, std::string(kPassword) + " "));
  EXPECT_FALSE(window.store.CheckPassword(withPassword, "clave"));
  EXPECT_FALSE(window.store.CheckPassword(withPassword, kEmptyPasswordSentinel));

  const auto withoutPassword = SaveSample(true, std::string(kEmptyPasswordSentinel));
  EXPECT_TRUE(window.store.CheckPassword(withoutPassword, kEmptyPasswordSentinel));
  ASSERT_TRUE(window.store.Load(withoutPassword, kEmptyPasswordSentinel));
  EXPECT_EQ(window.tree.Count(), 8u);
}

TEST_F(ProfileStoreTest, HeaderIsReadableWithoutThePassword) {
  const auto path = SaveSample();
  EXPECT_EQ(window.store.ReadHeader(path), HeaderKind::Profile);
  EXPECT_EQ(window.header.Owner, "Jos\xE9 P\xE9rez");
  EXPECT_EQ(window.header.Verifier, EncipherField(kPassword, kPassword));
  EXPECT_TRUE(window.view.calls.empty());
}

TEST_F(ProfileStoreTest, SaveClearsModifiedAndDisablesTheSaveAction) {
  window.header = test::SampleHeader(kPassword);
  window.header.Magic = "anything";
  test::FillSampleTree(window.tree);
  window.session.Modified = true;
  window.store.Save(dir / "nuevo.bv3", kPassword);
  EXPECT_FALSE(window.session.Modified);
  EXPECT_EQ(window.header.Magic, "Brindlevault_3");
  EXPECT_EQ(window.view.calls, (std::vector<std::string>{"ProfileSaved"}));
}

TEST_F(ProfileStoreTest, ValuesAreCutToWhatSurvivesTheirField) {
  window.header = test::SampleHeader(kPassword);
  TNodeData data = TNodeData::Create(NodeKind::Account, 4);
  data.Name = std::string(120, 'n');
  data.UserName = std::string(160, 'u');
  data.Password = std::string(150, 'p');  // a generated password can be this long
  data.Question = std::string(118, 'q');
  data.Answer = std::string(117, 'a');
  data.Mail = std::string(160, 'm');
  data.Url = std::string(200, 'w');
  data.AccountType = std::string(100, 't');  // typed freely in its dialog
  data.Description = std::string(255, 'd');
  data.Notes = std::string(187, 'o');
  window.tree.Append(nullptr, data);
  const auto path = dir / "largo.bv3";
  window.store.Save(path, kPassword);

  Window reader;
  ASSERT_TRUE(reader.store.Load(path, kPassword));
  const TNodeData& back = reader.tree.First()->data;
  for (const auto& field : kTextFields) {
    SCOPED_TRACE(field.name);
    EXPECT_EQ(back.*field.member, (data.*field.member).substr(0, field.survivingLength));
  }
}

// Each save keeps the version it replaces among the user's backups; when no copy can be
// kept the save still happens and an error box says so afterwards.
TEST_F(ProfileStoreTest, SavesKeepTheReplacedVersionsAndReportACopyNotKept) {
  window.header = test::SampleHeader(kPassword);
  window.view.backupsToKeep = 2;
  const auto path = dir / "perfil.bv3";
  std::vector<std::string> versions;
  for (int k = 0; k < 4; ++k) {
    window.tree.Append(nullptr, TNodeData::Create(NodeKind::Category, k));
    window.store.Save(path, kPassword);
    versions.push_back(test::ReadFile(path));
  }
  std::vector<std::string> kept;
  for (const auto& copy : BackupStore::ForUser(2).BackupsOf(path))
    kept.push_back(test::ReadFile(copy));
  EXPECT_EQ(kept, (std::vector<std::string>{versions[1], versions[2]}));
  EXPECT_EQ(window.view.calls.back(), "ProfileSaved");

  const std::string dataHome = std::getenv("XDG_DATA_HOME");
  test::WriteFile(dir / "no-es-carpeta", "x");
  ::setenv("XDG_DATA_HOME", (dir / "no-es-carpeta").c_str(), 1);
  window.session.Modified = true;
  window.tree.Append(nullptr, TNodeData::Create(NodeKind::Category, 9));
  window.store.Save(path, kPassword);
  ::setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
  EXPECT_FALSE(window.session.Modified);
  EXPECT_NE(test::ReadFile(path), versions[3]);  // saved all the same
  ASSERT_GE(window.view.calls.size(), 2u);
  EXPECT_EQ(window.view.calls[window.view.calls.size() - 2], "ProfileSaved");
  const std::string box = window.view.calls.back();
  EXPECT_TRUE(box.starts_with("ErrorBox msg155\r" + (dir / "no-es-carpeta").string() +
                              "/brindlevault/backups: "))
      << box;
  EXPECT_TRUE(box.ends_with("\rmsg156")) << box;
}

}  // namespace
}  // namespace bv
