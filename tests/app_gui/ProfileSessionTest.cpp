// Load and save through the main window's session: what reaches the tree and the session,
// and what it announces, in order. What the window shows on each announcement (selection,
// categories, recent list, page) is in OpenTest.
#include <gtest/gtest.h>

#include "app/ProfileSession.h"
#include "crypto/FieldCipher.h"
#include "files/BackupStore.h"
#include "files/FileFingerprint.h"
#include "files/InOutError.h"
#include "profile/MasterPassword.h"
#include "support/ProfileFixtures.h"

namespace bv {
namespace {

using test::ScratchFolder;

constexpr const char* kPassword = "clave secreta";

// The session, with what it announced.
struct Window {
  Window() {
    ProfileSession* s = &profile;
    QObject::connect(s, &ProfileSession::opening,
                     [this](const TProfileHeader& h) { calls.push_back("opening " + h.Title); });
    QObject::connect(s, &ProfileSession::nodesAboutToBeReplaced,
                     [this] { calls.push_back("nodesAboutToBeReplaced"); });
    QObject::connect(s, &ProfileSession::nodesReplaced, [this] {
      calls.push_back("nodesReplaced " + std::to_string(profile.Tree().Count()));
    });
    QObject::connect(s, &ProfileSession::opened, [this] {
      calls.push_back(std::string("opened ") + (profile.State().ProfileOpen ? "open" : "closed"));
    });
    QObject::connect(s, &ProfileSession::saved, [this] { calls.push_back("saved"); });
    QObject::connect(s, &ProfileSession::modified, [this] { calls.push_back("modified"); });
    QObject::connect(s, &ProfileSession::closed, [this] { calls.push_back("closed"); });
  }
  [[nodiscard]] bool Load(const std::filesystem::path& path, std::string_view password) {
    profile.SetPassword(password);
    return profile.Open(path).opened;
  }
  void Save(const std::filesystem::path& path, const std::string& password) {
    static_cast<void>(profile.Save(path, password, BackupStore::ForUser(0)));
  }
  // The header and tree as a test sets them up before a save.
  void Fill(const TProfileHeader& header, bool withNodes) {
    profile.SetHeader(header);
    if (withNodes) test::FillSampleTree(profile.Tree());
  }
  const TProfileHeader& header() const { return profile.State().Header; }

  ProfileSession profile;
  ProfileTree& tree = profile.Tree();
  std::vector<std::string> calls;
};

class ProfileSessionTest : public testing::Test {
 protected:
  // Saves the sample tree (or an empty one) and returns the path.
  std::filesystem::path SaveSample(bool withNodes = true, const std::string& password = kPassword) {
    Window writer;
    writer.Fill(test::SampleHeader(password), withNodes);
    const auto path = dir / "perfil.bv3";
    writer.Save(path, password);
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

TEST_F(ProfileSessionTest, SaveThenLoadGivesTheSameTree) {
  const auto path = SaveSample();
  ProfileTree sample;
  test::FillSampleTree(sample);

  ASSERT_TRUE(window.Load(path, kPassword));
  ExpectSameTrees(sample, window.tree);
  EXPECT_EQ(window.header().Owner, "Jos\xE9 P\xE9rez");
  EXPECT_EQ(window.header().Title, "Perfil de prueba");
  EXPECT_EQ(window.header().Magic, "Brindlevault_3");
}

TEST_F(ProfileSessionTest, LoadAnnouncesItsStepsInOrder) {
  const auto path = SaveSample();
  window.profile.MarkModified();
  window.calls.clear();
  ASSERT_TRUE(window.Load(path, kPassword));
  EXPECT_EQ(window.calls, (std::vector<std::string>{
                              "opening Perfil de prueba",
                              "nodesAboutToBeReplaced",
                              "nodesReplaced 8",
                              "opened open",
                          }));
  EXPECT_TRUE(window.profile.State().ProfileOpen);
  EXPECT_FALSE(window.profile.State().Modified);
}

TEST_F(ProfileSessionTest, ProfileWithoutNodesReplacesTheTreeWithNone) {
  const auto path = SaveSample(false);
  EXPECT_EQ(std::filesystem::file_size(path), kRecordSize);
  test::FillSampleTree(window.tree);
  ASSERT_TRUE(window.Load(path, kPassword));
  EXPECT_TRUE(window.tree.Empty());
  EXPECT_EQ(window.calls, (std::vector<std::string>{
                              "opening Perfil de prueba",
                              "nodesAboutToBeReplaced",
                              "nodesReplaced 0",
                              "opened open",
                          }));
}

TEST_F(ProfileSessionTest, WrongPasswordAnnouncesNothingAndLeavesTheTreeAlone) {
  const auto path = SaveSample();
  TNodeData kept = TNodeData::Create(NodeKind::Category, 2);
  kept.Name = "ya abierto";
  window.tree.Append(nullptr, kept);

  EXPECT_FALSE(window.Load(path, "otra clave"));
  EXPECT_TRUE(window.calls.empty());
  EXPECT_EQ(test::Shape(window.tree), "ya abierto");
  EXPECT_FALSE(window.profile.State().ProfileOpen);
  EXPECT_EQ(window.header().Title, "Perfil de prueba");  // the check read the file's header
}

TEST_F(ProfileSessionTest, ClosingLetsGoOfNodesPasswordAndPath) {
  const auto path = SaveSample();
  window.profile.SetPath(path);
  ASSERT_TRUE(window.Load(path, kPassword));
  window.calls.clear();
  window.profile.Close();
  EXPECT_EQ(window.calls,
            (std::vector<std::string>{"nodesAboutToBeReplaced", "nodesReplaced 0", "closed"}));
  EXPECT_FALSE(window.profile.State().ProfileOpen);
  EXPECT_TRUE(window.profile.State().SessionPassword().empty());
  EXPECT_TRUE(window.profile.State().ProfilePath.empty());
}

// The held version is what a later merge starts from: it must be the very file on disk, with
// the password it was written with, at each load and save, and nothing once closed.
TEST_F(ProfileSessionTest, HoldsTheVersionOfTheFileAtEachLoadAndSave) {
  const auto path = SaveSample();
  const auto holdsTheFile = [&](const std::string& password) {
    const WholeFile disk = ReadWholeFile(path);
    const HeldVersion& held = window.profile.Held();
    EXPECT_TRUE(held.Holds());
    EXPECT_EQ(held.Fingerprint().stat, disk.fingerprint.stat);
    ASSERT_NE(held.Bytes(), nullptr);
    EXPECT_EQ(held.Bytes()->bytes, disk.bytes);
    EXPECT_EQ(held.Digest(), Sha256Of(disk.bytes));
    EXPECT_EQ(held.Password(), password);
    EXPECT_EQ(CompareWithDisk(path, held.Fingerprint().stat, [&] { return held.Digest(); }).state,
              DiskState::Unchanged);
  };
  ASSERT_TRUE(window.Load(path, kPassword));
  holdsTheFile(kPassword);
  // A new password re-enciphers what is saved: the held version follows the file.
  window.profile.SetHeader(test::SampleHeader("otra"));
  window.Save(path, "otra");
  holdsTheFile("otra");
  window.profile.Close();
  EXPECT_FALSE(window.profile.Held().Holds());
  EXPECT_TRUE(window.profile.Held().Password().empty());
}

TEST_F(ProfileSessionTest, PasswordCheckComparesTheVerifierExactly) {
  const auto withPassword = SaveSample(true, kPassword);
  EXPECT_TRUE(window.profile.PasswordOpens(withPassword, kPassword));
  EXPECT_FALSE(window.profile.PasswordOpens(withPassword, std::string(kPassword) + " "));
  EXPECT_FALSE(window.profile.PasswordOpens(withPassword, "clave"));
  EXPECT_FALSE(window.profile.PasswordOpens(withPassword, kEmptyPasswordSentinel));

  const auto withoutPassword = SaveSample(true, std::string(kEmptyPasswordSentinel));
  EXPECT_TRUE(window.profile.PasswordOpens(withoutPassword, kEmptyPasswordSentinel));
  ASSERT_TRUE(window.Load(withoutPassword, kEmptyPasswordSentinel));
  EXPECT_EQ(window.tree.Count(), 8u);
}

TEST_F(ProfileSessionTest, HeaderIsReadableWithoutThePassword) {
  const auto path = SaveSample();
  EXPECT_EQ(window.profile.ReadHeader(path), HeaderKind::Profile);
  EXPECT_EQ(window.header().Owner, "Jos\xE9 P\xE9rez");
  EXPECT_EQ(window.header().Verifier, EncipherField(kPassword, kPassword));
  EXPECT_TRUE(window.calls.empty());
}

TEST_F(ProfileSessionTest, SaveClearsModifiedAndDisablesTheSaveAction) {
  TProfileHeader header = test::SampleHeader(kPassword);
  header.Magic = "anything";
  window.Fill(header, true);
  window.profile.MarkModified();
  window.calls.clear();
  window.Save(dir / "nuevo.bv3", kPassword);
  EXPECT_FALSE(window.profile.State().Modified);
  EXPECT_EQ(window.header().Magic, "Brindlevault_3");
  EXPECT_EQ(window.calls, (std::vector<std::string>{"saved"}));

  // A failed save announces nothing and leaves the profile modified.
  window.profile.MarkModified();
  window.calls.clear();
  EXPECT_THROW(window.Save(dir / "no-existe" / "nuevo.bv3", kPassword), EInOutError);
  EXPECT_TRUE(window.profile.State().Modified);
  EXPECT_TRUE(window.calls.empty());
}

TEST_F(ProfileSessionTest, ValuesAreCutToWhatSurvivesTheirField) {
  window.Fill(test::SampleHeader(kPassword), false);
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
  window.Save(path, kPassword);

  Window reader;
  ASSERT_TRUE(reader.Load(path, kPassword));
  const TNodeData& back = reader.tree.First()->data;
  for (const auto& field : kTextFields) {
    SCOPED_TRACE(field.name);
    EXPECT_EQ(back.*field.member, (data.*field.member).substr(0, field.survivingLength));
  }
}

}  // namespace
}  // namespace bv
