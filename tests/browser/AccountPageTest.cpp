// The account page: which rows, headings and rules it draws, how hidden values look, and
// which copy commands and links it gives.

#include <gtest/gtest.h>

#include <algorithm>

#include "PageText.h"

namespace bv {
namespace {

using test::FixedMessages;
using test::Lines;
using V = std::vector<std::string>;

TNodeData Account(std::initializer_list<std::pair<std::string TNodeData::*, std::string>> fields) {
  TNodeData d = TNodeData::Create(NodeKind::Account, 0);
  d.Name = "Acme";
  for (const auto& [member, value] : fields) d.*member = value;
  return d;
}

const V kCommandLinks0 = {"{9}M60", "*L {5#0}M65", "*L {5#1}M64", "*L {5#2}M62"};
const V kCommandLinks1 = {"{9}M60", "*L {5#1}M65", "*L {5#2}M64", "*L {5#3}M62"};

V Concat(V head, const V& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

struct AccountCase {
  const char* name;
  TNodeData data;
  bool showHidden;
  V lines;
  PageKind kind;
  CopyFields copy;
};

void PrintTo(const AccountCase& c, std::ostream* os) { *os << c.name; }

class AccountPageTest : public ::testing::TestWithParam<AccountCase> {};

TEST_P(AccountPageTest, DrawsTheRowsOfTheFilledFields) {
  const AccountCase& c = GetParam();
  const DetailPage page = BuildAccountPage(c.data, c.showHidden, FixedMessages());
  EXPECT_EQ(Lines(page), c.lines);
  EXPECT_EQ(page.kind, c.kind);
  EXPECT_EQ(page.copy, c.copy);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AccountPageTest,
    ::testing::Values(
        AccountCase{"OnlyAName",
                    Account({}),
                    false,
                    Concat({"{6}M8: {7}Acme", "{1} "}, kCommandLinks0),
                    PageKind::Account,
                    {}},
        AccountCase{"WithUrl",
                    Account({{&TNodeData::Url, "http://a.example"}}),
                    false,
                    Concat({"{6}M8: {7}Acme", "{1} ", "{9}M71", "*F {7}M90",
                            "{8}       {4#0}http://a.example", "{1} "},
                           kCommandLinks1),
                    PageKind::AccountWithUrl,
                    {CopyField::URL}},
        AccountCase{"UserAndQuestionHaveOneRuleBetween",
                    Account({{&TNodeData::UserName, "alice"}, {&TNodeData::Question, "Pet?"}}),
                    false,
                    Concat({"{6}M8: {7}Acme", "{1} ", "{9}M71", "*F {7}M80", "{8}       alice",
                            "{1} ", "----", "*F {7}M84", "{8}       Pet?", "{1} "},
                           kCommandLinks0),
                    PageKind::Account,
                    {CopyField::User, CopyField::Preg}},
        AccountCase{"ThreeLineDescriptionIndentsOnlyItsFirstLine",
                    Account({{&TNodeData::Description, "one\r\ntwo\nthree"}}),
                    false,
                    Concat({"{6}M8: {7}Acme", "{1} ", "*F {7}M76", "{8}  one", "{8}two", "{8}three",
                            "{1} "},
                           kCommandLinks0),
                    PageKind::Account,
                    {}},
        AccountCase{"HiddenSecretsShowThePlaceholderAndCannotBeCopied",
                    Account({{&TNodeData::Password, "s3cret"},
                             {&TNodeData::Answer, "blue"},
                             {&TNodeData::Mail, "a@b"}}),
                    false,
                    Concat({"{6}M8: {7}Acme", "{1} ", "{9}M71", "*F {7}M82", "{16}       M105",
                            "{1} ", "----", "*F {7}M86", "{16}       M105", "{1} ", "*F {7}M88",
                            "{8}       a@b", "{1} "},
                           kCommandLinks0),
                    PageKind::Account,
                    {CopyField::Mail}},
        AccountCase{"ShownSecretsAreDrawnAndCopyable",
                    Account({{&TNodeData::Password, "s3cret"},
                             {&TNodeData::Answer, "blue"},
                             {&TNodeData::Mail, "a@b"}}),
                    true,
                    Concat({"{6}M8: {7}Acme", "{1} ", "{9}M71", "*F {7}M82", "{8}       s3cret",
                            "{1} ", "----", "*F {7}M86", "{8}       blue", "{1} ", "*F {7}M88",
                            "{8}       a@b", "{1} "},
                           kCommandLinks0),
                    PageKind::Account,
                    {CopyField::Pass, CopyField::Resp, CopyField::Mail}},
        AccountCase{
            "EmptyPasswordHasNoRowEvenWhenShown",
            Account({{&TNodeData::UserName, "alice"}}),
            true,
            Concat({"{6}M8: {7}Acme", "{1} ", "{9}M71", "*F {7}M80", "{8}       alice", "{1} "},
                   kCommandLinks0),
            PageKind::Account,
            {CopyField::User}},
        AccountCase{
            "TypeAloneStillGetsTheHeadingButNoRule",
            Account({{&TNodeData::AccountType, "FTP"}}),
            false,
            Concat({"{6}M8: {7}Acme", "{1} ", "{9}M71", "*F {7}M92", "{8}       FTP", "{1} "},
                   kCommandLinks0),
            PageKind::Account,
            {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AccountPage, FullAccountOrdersSectionsAndDrawsBothRules) {
  const TNodeData d = Account({{&TNodeData::Description, "d"},
                               {&TNodeData::Notes, "n"},
                               {&TNodeData::UserName, "u"},
                               {&TNodeData::Password, "p"},
                               {&TNodeData::Question, "q"},
                               {&TNodeData::Answer, "a"},
                               {&TNodeData::Mail, "m"},
                               {&TNodeData::Url, "w"},
                               {&TNodeData::AccountType, "t"}});
  V skeleton;  // headings, labels and rules only
  for (const std::string& line : Lines(BuildAccountPage(d, true, FixedMessages())))
    if (line == "----" || line.starts_with("*F ") || line.starts_with("{9}"))
      skeleton.push_back(line);
  EXPECT_EQ(skeleton,
            (V{"*F {7}M76", "*F {7}M78", "{9}M71", "*F {7}M80", "*F {7}M82", "----", "*F {7}M84",
               "*F {7}M86", "*F {7}M88", "----", "*F {7}M90", "*F {7}M92", "{9}M60"}));
  const CopyFields all = {CopyField::User, CopyField::Pass, CopyField::Preg,
                          CopyField::Resp, CopyField::Mail, CopyField::URL};
  EXPECT_EQ(BuildAccountPage(d, true, FixedMessages()).copy, all);
}

TEST(AccountPage, HiddenValuesNeverReachThePage) {
  const TNodeData d = Account({{&TNodeData::Password, "s3cret"}, {&TNodeData::Answer, "blue"}});
  for (const std::string& line : Lines(BuildAccountPage(d, false, FixedMessages()))) {
    EXPECT_EQ(line.find("s3cret"), std::string::npos) << line;
    EXPECT_EQ(line.find("blue"), std::string::npos) << line;
  }
}

TEST(AccountPage, LinksCarryTheClickAndHoverTablesOfTheirPage) {
  const auto msg = FixedMessages();
  const DetailPage plain = BuildAccountPage(Account({}), false, msg);
  ASSERT_EQ(plain.links.size(), 3u);
  const LinkAction plainActions[] = {LinkAction::ExportHtml, LinkAction::ExportText,
                                     LinkAction::Edit};
  const char* plainHints[] = {"M33", "M32", "M25"};
  for (int n = 0; n < 3; ++n) {
    EXPECT_EQ(plain.links[n].action, plainActions[n]) << n;
    EXPECT_EQ(plain.links[n].hover, plainHints[n]) << n;
  }

  const DetailPage withUrl =
      BuildAccountPage(Account({{&TNodeData::Url, "ftp://x\xE9"}}), false, msg);
  ASSERT_EQ(withUrl.links.size(), 4u);
  EXPECT_EQ(withUrl.links[0].action, LinkAction::OpenAddress);
  EXPECT_EQ(withUrl.links[0].address, "ftp://x\xC3\xA9");
  EXPECT_EQ(withUrl.links[0].hover, "ftp://x\xC3\xA9");
  for (int n = 1; n < 4; ++n) {
    EXPECT_EQ(withUrl.links[n].action, plainActions[n - 1]) << n;
    EXPECT_EQ(withUrl.links[n].hover, plainHints[n - 1]) << n;
  }
}

// A URL holding a line break is still one link; the commands keep their numbers.
TEST(AccountPage, UrlOverTwoLinesIsOneLink) {
  const DetailPage page =
      BuildAccountPage(Account({{&TNodeData::Url, "http://a\r\nb"}}), false, FixedMessages());
  const V lines = Lines(page);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "{8}       {4#0}http://a"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "{4#0}b"), lines.end());
  EXPECT_EQ(page.links.size(), 4u);
  EXPECT_EQ(page.links[3].action, LinkAction::Edit);
}

TEST(AccountPage, TextsAreConvertedFromWindows1252) {
  TNodeData d = Account({{&TNodeData::UserName, "Mu\xF1oz"}});
  d.Name = "Espa\361a \x80";
  const V lines =
      Lines(BuildAccountPage(d, false, FixedMessages({{8, "Cuenta \xAB"}, {71, "Acceso"}})));
  EXPECT_EQ(lines[0], "{6}Cuenta \xC2\xAB: {7}Espa\xC3\261a \xE2\x82\xAC");
  EXPECT_EQ(lines[2], "{9}Acceso");
  EXPECT_EQ(lines[4], "{8}       Mu\xC3\xB1oz");
}

}  // namespace
}  // namespace bv
