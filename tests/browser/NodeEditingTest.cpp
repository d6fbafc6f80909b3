#include <gtest/gtest.h>

#include <string>

#include "browser/NodeEditing.h"

namespace bv {
namespace {

int SurvivingLength(const std::string& field) {
  for (const TextFieldInfo& info : kTextFields)
    if (field == info.name) return static_cast<int>(info.survivingLength);
  ADD_FAILURE() << "no field " << field;
  return 0;
}

TEST(BoxLimits, FullBoxesSurviveASave) {
  // A box filled to its limit must never hold more than its field reads back.
  const std::pair<int, const char*> boxes[] = {
      {box_limit::kAccountName, "Name"},
      {box_limit::kGroupName, "Name"},
      {box_limit::kUserName, "UserName"},
      {box_limit::kPassword, "Password"},
      {box_limit::kUrl, "Url"},
      {box_limit::kQuestion, "Question"},
      {box_limit::kAnswer, "Answer"},
      {box_limit::kMail, "Mail"},
      {box_limit::kDescription, "Description"},
      {box_limit::kGroupDescription, "Description"},
      {box_limit::kNotes, "Notes"},
      {box_limit::kAccountType, "AccountType"},
  };
  for (const auto& [limit, field] : boxes) EXPECT_LE(limit, SurvivingLength(field)) << field;
  // The type box has no limit of its own: it takes all that survives.
  EXPECT_EQ(box_limit::kAccountType, SurvivingLength("AccountType"));
}

struct NameCase {
  NodeKind kind;
  const char* name;
  std::optional<int> message;
};

class NewGroupNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(NewGroupNames, NeedFourCharacters) {
  const NameCase& c = GetParam();
  EXPECT_EQ(NewGroupRefusal(c.kind, c.name), c.message) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Names, NewGroupNames,
    ::testing::Values(NameCase{NodeKind::Category, "", 44}, NameCase{NodeKind::Category, "Web", 44},
                      NameCase{NodeKind::Category, "Webs", std::nullopt},
                      NameCase{NodeKind::Category, "    ", std::nullopt},  // blanks count
                      NameCase{NodeKind::Group, "abc", 45},
                      NameCase{NodeKind::Group, "\xF1\xF1\xF1", 45},  // one byte a character
                      NameCase{NodeKind::Group, "Foros", std::nullopt}));

TEST(AccountCheck, NameFirstThenPicture) {
  AccountValues v;
  v.Name = "abc";
  v.ImageIndex = -1;
  auto refusal = CheckAccount(v);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->message, 42);
  EXPECT_EQ(refusal->box, AccountBox::Name);

  v.Name = "Correo";
  refusal = CheckAccount(v);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->message, 43);
  EXPECT_EQ(refusal->box, AccountBox::Picture);

  v.ImageIndex = 26;  // past the list: no picture either
  EXPECT_EQ(CheckAccount(v)->message, 43);
  for (int picture : {0, 17, 25}) {
    v.ImageIndex = picture;
    EXPECT_FALSE(CheckAccount(v)) << picture;
  }
}

AccountValues FullAccount() {
  AccountValues v;
  v.Name = "Banco";
  v.UserName = "ana";
  v.Password = "s3cr\xE9t";
  v.Url = "https://banco.example";
  v.Question = "Mascota?";
  v.Answer = "Tobi";
  v.Mail = "ana@example.org";
  v.Description = "l\xEDnea 1\r\nl\xEDnea 2";
  v.Notes = "nota";
  v.AccountType = "Mi tipo propio";
  v.ImageIndex = 5;
  return v;
}

TEST(AccountData, EditingRewritesEveryFieldAndKeepsAnAccount) {
  TNodeData node = MakeAccount(FullAccount());
  EXPECT_EQ(AccountValuesOf(node), FullAccount());
  AccountValues v;
  v.Name = "Otro nombre";
  v.ImageIndex = 0;
  ApplyAccountValues(node, v);
  EXPECT_EQ(AccountValuesOf(node), v);  // emptied boxes empty their fields
  EXPECT_EQ(node.IsAccount, 1);
  EXPECT_EQ(node.IsCategory, 0);
}

TEST(AccountData, LongValuesAreCutToTheFieldMaximum) {
  AccountValues v = FullAccount();
  v.Password = std::string(200, 'p');
  v.Url = std::string(250, 'u');
  v.Notes = std::string(300, 'n');
  const TNodeData node = MakeAccount(v);
  EXPECT_EQ(node.Password, std::string(160, 'p'));
  EXPECT_EQ(node.Url, std::string(200, 'u'));
  EXPECT_EQ(node.Notes, std::string(255, 'n'));
  // A generated password of 117 characters is kept whole.
  v.Password = std::string(117, 'g');
  EXPECT_EQ(MakeAccount(v).Password, v.Password);
}

TEST(GroupData, CategoriesGroupsAndTheirEdits) {
  const GroupValues v{"Trabajo", "Cuentas de la oficina", 24};
  const TNodeData category = MakeCategory(v);
  EXPECT_EQ(category.Kind(), NodeKind::Category);
  EXPECT_EQ(GroupValuesOf(category), v);
  TNodeData group = MakeGroup(v);
  EXPECT_EQ(group.Kind(), NodeKind::Group);
  EXPECT_EQ(group.UserName, "");

  // Editing changes name, description and picture only; an empty name is accepted.
  group.Notes = "kept";
  ApplyGroupValues(group, {"", "", 3});
  EXPECT_EQ(group.Name, "");
  EXPECT_EQ(group.Description, "");
  EXPECT_EQ(group.ImageIndex, 3);
  EXPECT_EQ(group.Kind(), NodeKind::Group);
  EXPECT_EQ(group.Notes, "kept");
  TNodeData edited = category;
  ApplyGroupValues(edited, {"Casa", "", 1});
  EXPECT_EQ(edited.Kind(), NodeKind::Category);
}

}  // namespace
}  // namespace bv
