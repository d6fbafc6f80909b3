#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "extension/LinkStore.h"
#include "extension/MessageFrames.h"
#include "extension/NodeIdentity.h"
#include "support/ScratchFolder.h"

namespace bv {
namespace {

TEST(MessageFrames, WholeFramesComeOutHoweverTheBytesArrive) {
  const std::string bytes = EncodeFrame("{\"a\":1}") + EncodeFrame("") + EncodeFrame("xyz");
  FrameReader reader;
  std::vector<std::string> seen;
  for (char c : bytes) {
    reader.Feed(std::string_view(&c, 1));
    while (auto frame = reader.Next()) seen.push_back(frame->message);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"{\"a\":1}", "", "xyz"}));
  EXPECT_EQ(reader.Pending(), 0u);
}

TEST(MessageFrames, AnOversizedFrameIsSkippedAndReportedOnce) {
  const std::string big(kMaxMessageBytes + 1, 'x');
  const std::string bytes = EncodeFrame(big) + EncodeFrame("next");
  for (std::size_t chunk : {bytes.size(), std::size_t{4096}}) {
    FrameReader reader;
    std::vector<FrameReader::Frame> frames;
    for (std::size_t at = 0; at < bytes.size(); at += chunk) {
      reader.Feed(std::string_view(bytes).substr(at, chunk));
      while (auto frame = reader.Next()) frames.push_back(*frame);
    }
    ASSERT_EQ(frames.size(), 2u) << "chunk " << chunk;
    EXPECT_TRUE(frames[0].tooLarge);
    EXPECT_FALSE(frames[1].tooLarge);
    EXPECT_EQ(frames[1].message, "next");
  }
}

TEST(NodeIdentity, NamesakesDifferAndAStaleIdentifierFindsNothing) {
  ProfileTree tree;
  TNodeData category = TNodeData::Create(NodeKind::Category, 0);
  category.Name = "Web";
  TreeNode* web = tree.Append(nullptr, category);
  TNodeData account = TNodeData::Create(NodeKind::Account, 0);
  account.Name = "Gmail";
  TreeNode* first = tree.Append(web, account);
  TreeNode* second = tree.Append(web, account);
  TNodeData group = TNodeData::Create(NodeKind::Group, 0);
  group.Name = "Gmail";  // same name, other kind
  TreeNode* third = tree.Append(web, group);
  TreeNode* inner = tree.Append(third, account);  // a Gmail two levels down

  const std::string a = NodeIdentifier(tree, *first);
  const std::string b = NodeIdentifier(tree, *second);
  const std::string c = NodeIdentifier(tree, *third);
  EXPECT_EQ(a.size(), 32u);
  EXPECT_NE(a, b);
  EXPECT_NE(a, c);
  EXPECT_EQ(FindByIdentifier(tree, a), first);
  EXPECT_EQ(FindByIdentifier(tree, b), second);
  EXPECT_EQ(FindByIdentifier(tree, c), third);
  EXPECT_EQ(FindByIdentifier(tree, NodeIdentifier(tree, *inner)), inner);

  // Removing the first Gmail makes the second one the first: its old identifier is stale
  // and must not lead to any account.
  tree.Remove(first);
  EXPECT_EQ(FindByIdentifier(tree, a), second);
  EXPECT_EQ(FindByIdentifier(tree, b), nullptr);
  second->data.Name = "Renamed";
  EXPECT_EQ(FindByIdentifier(tree, a), nullptr);
  EXPECT_EQ(FindByIdentifier(tree, "not an identifier"), nullptr);
}

TEST(LinkStore, KeptForTheOwnerOnlyAndReadBack) {
  test::ScratchFolder scratch;
  const auto file = scratch / "config" / "browser-links.json";
  std::string hash;
  {
    LinkStore store(file);
    ASSERT_TRUE(store.Load());
    hash = store.ProfileHash("/p/a.bv3");
    EXPECT_EQ(hash.size(), 64u);
    EXPECT_NE(store.ProfileHash("/p/b.bv3"), hash);
    EXPECT_EQ(store.AddConnection("/p/a.bv3", {"Firefox", "S0VZ"}), "Firefox");
    // A second browser under the same name never takes the first one's place.
    EXPECT_EQ(store.AddConnection("/p/a.bv3", {"Firefox", "T1RIRVI="}), "Firefox 2");
    store.RememberSite("/p/a.bv3", "acc", "example.com", false);
    ASSERT_TRUE(store.Save());
  }
  struct stat info {};
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  LinkStore store(file);
  ASSERT_TRUE(store.Load());
  EXPECT_EQ(store.ProfileHash("/p/a.bv3"), hash);
  EXPECT_TRUE(store.IsConnection("/p/a.bv3", "Firefox", "S0VZ"));
  EXPECT_TRUE(store.IsConnection("/p/a.bv3", "Firefox 2", "T1RIRVI="));
  EXPECT_FALSE(store.IsConnection("/p/b.bv3", "Firefox", "S0VZ"));
  EXPECT_FALSE(store.IsConnection("/p/a.bv3", "Firefox", "other"));
  EXPECT_EQ(store.SiteDecision("/p/a.bv3", "acc", "example.com"), false);
  EXPECT_EQ(store.SiteDecision("/p/a.bv3", "acc", "www.example.com"), std::nullopt);
  EXPECT_TRUE(store.RemoveConnection("/p/a.bv3", "Firefox"));
  EXPECT_FALSE(store.IsConnection("/p/a.bv3", "Firefox", "S0VZ"));

  test::WriteFile(file, "{\"profiles\": {\"/p\": {\"connections\": [{\"name\": 5}]}}}");
  EXPECT_FALSE(store.Load());
  EXPECT_TRUE(store.Connections("/p").empty());
}

}  // namespace
}  // namespace bv
