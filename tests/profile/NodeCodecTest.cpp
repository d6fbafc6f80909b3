// One node to its record and back, and the check a save makes of every record it wrote.
#include <gtest/gtest.h>

#include <functional>

#include "crypto/FieldCipher.h"
#include "profile/NodeCodec.h"
#include "support/ProfileFixtures.h"

namespace bv {
namespace {

constexpr const char* kPassword = "clave";
constexpr const char* kMarker = "Marca";

// What a save keeps of a node: values cut to what survives, nothing in fields the node's
// kind does not use, flags 0 or 1.
TNodeData Kept(TNodeData data) {
  for (const auto& field : kTextFields) {
    std::string& value = data.*field.member;
    if (field.accountOnly && !data.IsAccount) value.clear();
    if (value.size() > field.survivingLength) value.resize(field.survivingLength);
  }
  data.IsAccount = data.IsAccount ? 1 : 0;
  data.IsCategory = data.IsCategory ? 1 : 0;
  return data;
}

std::vector<TNodeData> SampleNodes() {
  ProfileTree tree;
  test::FillSampleTree(tree);
  std::vector<TNodeData> nodes;
  tree.ForEachPreOrder([&](const TreeNode& node, int) { nodes.push_back(node.data); });
  // A group carrying account-only values, a value past what survives, an account flag of 7.
  TNodeData group = TNodeData::Create(NodeKind::Group, 2);
  group.Name = "Grupo";
  group.UserName = "no es de un grupo";
  nodes.push_back(group);
  TNodeData account = test::SampleAccount(std::string(120, 'n'));
  account.Url = std::string(200, 'w');
  account.IsAccount = 7;
  nodes.push_back(account);
  return nodes;
}

TEST(NodeCodec, RecordsComeBackAsWhatTheSaveKeeps) {
  FieldCipher cipher(kPassword);
  const std::string marker = cipher.Encipher(kMarker);
  TNodeRecord record;  // one record reused, as a save does
  for (const TNodeData& data : SampleNodes()) {
    SCOPED_TRACE(data.Name);
    EncipherNode(data, 3, marker, cipher, record);
    EXPECT_EQ(record.Level, 3);
    EXPECT_EQ(record.Marker, marker);
    for (std::size_t k = 0; k < std::size(kTextFields); ++k)
      EXPECT_EQ(record.*kRecordTextSlots[k + 1].member,
                EncipherField(Kept(data).*kTextFields[k].member, kPassword))
          << kTextFields[k].name;
    EXPECT_TRUE(RecordMatches(record, data, cipher));
    EXPECT_EQ(DecipherNode(record, cipher), Kept(data));
  }
}

// The check of a written record fails for any one difference from the node in memory.
TEST(NodeCodec, TheCheckNoticesAnyOneDifference) {
  FieldCipher cipher(kPassword);
  const std::string marker = cipher.Encipher(kMarker);
  const TNodeData account = test::SampleAccount("Cuenta");
  TNodeRecord written;
  EncipherNode(account, 1, marker, cipher, written);
  ASSERT_TRUE(RecordMatches(written, account, cipher));

  const std::function<void(TNodeRecord&)> damage[] = {
      [](TNodeRecord& r) { r.IsAccount = 0; },
      [](TNodeRecord& r) { r.IsCategory = 1; },
      [](TNodeRecord& r) { r.ImageIndex += 1; },
  };
  for (const auto& change : damage) {
    TNodeRecord record = written;
    change(record);
    EXPECT_FALSE(RecordMatches(record, account, cipher));
  }
  for (std::size_t k = 0; k < std::size(kTextFields); ++k) {
    SCOPED_TRACE(kTextFields[k].name);
    std::string TNodeRecord::*stored = kRecordTextSlots[k + 1].member;
    const std::string& value = account.*kTextFields[k].member;
    const std::string others[] = {
        "!",                                        // not XX text
        (written.*stored).substr(1),                // cut short
        EncipherField(value + "x", kPassword),      // one byte more
        EncipherField(value, "otra clave"),         // another key
        EncipherField(value.substr(1), kPassword),  // one byte less
        "",
    };
    for (const std::string& other : others) {
      TNodeRecord record = written;
      record.*stored = other;
      EXPECT_FALSE(RecordMatches(record, account, cipher)) << other;
    }
    TNodeData changed = account;
    (changed.*kTextFields[k].member).back() ^= 1;
    EXPECT_FALSE(RecordMatches(written, changed, cipher));
  }
  // A group's record must hold nothing in the account-only fields.
  TNodeData group = TNodeData::Create(NodeKind::Group, 0);
  group.Name = "Grupo";
  TNodeRecord record;
  EncipherNode(group, 0, marker, cipher, record);
  ASSERT_TRUE(RecordMatches(record, group, cipher));
  record.Password = EncipherField("", kPassword);
  EXPECT_TRUE(RecordMatches(record, group, cipher));
  record.Password = EncipherField("x", kPassword);
  EXPECT_FALSE(RecordMatches(record, group, cipher));
}

}  // namespace
}  // namespace bv
