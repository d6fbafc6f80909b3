// The welcome, empty-profile, summary and group pages.

#include <gtest/gtest.h>

#include "PageText.h"

namespace bv {
namespace {

using test::FixedMessages;
using test::Lines;
using V = std::vector<std::string>;

const V kFooter = {"^{14}Brindlevault 3.5", "^{15}M107", "{1} ",
                   "^{4#0}https://www.brindlevault.org"};

V WithFooter(V head) {
  head.insert(head.end(), kFooter.begin(), kFooter.end());
  return head;
}

V SixSpacers() { return V(6, "{1} "); }

V IntroLines(const std::string& title, const std::string& subtitle) {
  V lines = {"{1} ", "^{10}" + title, "{1} ", "^{13}" + subtitle};
  const V spacers = SixSpacers();
  lines.insert(lines.end(), spacers.begin(), spacers.end());
  return WithFooter(lines);
}

TEST(IntroPages, WelcomeAndEmptyProfileShowTheirTitlesAboveTheProductFooter) {
  const DetailPage welcome = BuildWelcomePage(FixedMessages());
  EXPECT_EQ(Lines(welcome), IntroLines("M69", "M70"));
  EXPECT_EQ(welcome.kind, PageKind::Welcome);

  TProfileHeader header;
  header.Owner = "Jos\xE9";
  const DetailPage empty = BuildEmptyProfilePage(header, FixedMessages());
  EXPECT_EQ(Lines(empty), IntroLines("M66 'Jos\xC3\xA9'", "M67"));
  EXPECT_EQ(empty.kind, PageKind::EmptyProfile);
}

TEST(IntroPages, TheWebAddressIsTheOnlyLinkAndOpensTheProductSite) {
  TProfileHeader header;
  for (const DetailPage& page :
       {BuildWelcomePage(FixedMessages()), BuildEmptyProfilePage(header, FixedMessages())}) {
    ASSERT_EQ(page.links.size(), 1u);
    EXPECT_EQ(page.links[0].action, LinkAction::OpenAddress);
    EXPECT_EQ(page.links[0].address, "https://www.brindlevault.org");
    EXPECT_EQ(page.links[0].hover, "https://www.brindlevault.org");
    EXPECT_TRUE(page.copy.Empty());
  }
}

TEST(SummaryPage, ShowsSixRowsBetweenHeadingAndFooter) {
  SummaryInfo info;
  info.FileName = "cuentas \xD0\xB6.bv3";  // any UTF-8 file name
  info.SizeBytes = 2047;
  info.Accounts = 12;
  info.Others = 3;
  info.Modified = std::chrono::system_clock::from_time_t(1'000'000'000);
  info.Owner = "Ana";
  info.Title = "Casa";
  info.Magic = "Brindlevault_3";
  const DetailPage page = BuildSummaryPage(info, FixedMessages());

  const V expected =
      WithFooter({"^{10}M66 'Ana'", "{1} ", "^{13}M103 'Casa'", "{1} ", "{1} ", "{9}M96", "{1} ",
                  "*L {12}M97 {11}cuentas \xD0\xB6.bv3", "*L {12}M98 {11}1 Kb", "*L {12}M99 {11}12",
                  "*L {12}M100 {11}3", "*L {12}M101 {11@}", "*L {12}M102 {11}Brindlevault_3",
                  "{1} ", "{1} ", "{1} "});
  EXPECT_EQ(Lines(page), expected);
  EXPECT_EQ(page.kind, PageKind::Summary);
  EXPECT_EQ(page.paragraphs[11].pieces[1].time, info.Modified);
  ASSERT_EQ(page.links.size(), 1u);
  EXPECT_EQ(page.links[0].action, LinkAction::OpenAddress);
}

TEST(GroupPage, DescriptionRowAppearsOnlyWhenFilled) {
  TNodeData group = TNodeData::Create(NodeKind::Group, 3);
  group.Name = "Correo";
  EXPECT_EQ(Lines(BuildGroupPage(group, FixedMessages())),
            (V{"{6}M11: {7}Correo", "{1} ", "{9}M61", "*L {5#0}M63"}));

  group.Description = "uno\r\ndos";
  const DetailPage page = BuildGroupPage(group, FixedMessages());
  EXPECT_EQ(Lines(page), (V{"{6}M11: {7}Correo", "{1} ", "*F {7}M76", "{8}  uno", "{8}dos", "{1} ",
                            "{9}M61", "*L {5#0}M63"}));
  EXPECT_EQ(page.kind, PageKind::Group);
  ASSERT_EQ(page.links.size(), 1u);
  EXPECT_EQ(page.links[0].action, LinkAction::Edit);
  EXPECT_EQ(page.links[0].hover, "M25");
}

}  // namespace
}  // namespace bv
