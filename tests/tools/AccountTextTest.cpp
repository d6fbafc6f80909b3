#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/ScratchFolder.h"
#include "support/TestLanguage.h"
#include "tools/AccountText.h"
#include "tools/Banner.h"
#include "tools/PrintLayout.h"

namespace bv {
namespace {

namespace fs = std::filesystem;

TNodeData SampleAccount() {
  TNodeData a = TNodeData::Create(NodeKind::Account, 5);
  a.Name = "Banco";
  a.Description = "Cuenta n\xF3mina";  // nómina
  a.Notes = "";
  a.UserName = "ana";
  a.Password = "p@ss w\xF6rd";
  a.Question = "Color";
  a.Answer = "Azul";
  a.Mail = "ana@example.com";
  a.Url = "https://banco.example.com";
  a.AccountType = "Web";
  return a;
}

class AccountExport : public ::testing::Test {
 protected:
  static std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  test::TestLanguage language_{{}, {{74, "T\xC3\xADtulo:"}}};  // Título:, in UTF-8
  test::ScratchFolder dir_;
};

TEST_F(AccountExport, TextLinesOneByOne) {
  const std::vector<std::string> expected{
      "   *****************************************",
      "   * Brindlevault 3.5                      *",
      "   *     https://www.brindlevault.org      *",
      "   *****************************************",
      "\tm71",
      "\tm72",
      " ",
      "m73",
      "T\xEDtulo:",
      "m75",
      " Banco",
      " ",
      " - m76",
      "   m77",
      " Cuenta n\xF3mina",
      " ",
      " - m78",
      "   m79",
      " ",
      " ",
      " - m80",
      "   m81",
      " ana",
      " ",
      " - m82",
      "   m83",
      " p@ss w\xF6rd",
      " ",
      " - m84",
      "   m85",
      " Color",
      " ",
      " - m86",
      "   m87",
      " Azul",
      " ",
      " - m88",
      "   m89",
      " ana@example.com",
      " ",
      " - m90",
      "   m91",
      " https://banco.example.com",
      " ",
      " - m92",
      "   m93",
      " Web",
      " ",
  };
  ASSERT_EQ(expected.size(), kAccountTextLineCount);
  const std::vector<std::string> lines = AccountTextLines(SampleAccount());
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i)
    EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
}

TEST_F(AccountExport, FileHoldsThe48LinesWithCrLf) {
  const fs::path path = dir_ / "cuenta.txt";
  ExportAccountText(SampleAccount(), path);
  const std::string text = ReadFile(path);
  EXPECT_EQ(text, AccountText(SampleAccount()));

  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "the last line ends with CR LF";
  EXPECT_EQ(lines, AccountTextLines(SampleAccount()));
  EXPECT_EQ(lines.at(18), " ") << "empty notes give a line with one space";
  for (const std::string& line : lines) {
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_EQ(line.find('\r'), std::string::npos);
  }
}

TEST_F(AccountExport, ReplacesAnExistingFileAndKeepsNewOnesPrivate) {
  const fs::path path = dir_ / "old.txt";
  std::ofstream(path) << std::string(10000, 'x');
  ExportAccountText(SampleAccount(), path);
  EXPECT_EQ(ReadFile(path), AccountText(SampleAccount()));

  const fs::path fresh = dir_ / "new.txt";
  ExportAccountText(SampleAccount(), fresh);
  struct stat info {};
  ASSERT_EQ(::stat(fresh.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 077, 0u) << "the password is in clear: no access for others";
}

TEST_F(AccountExport, AFileThatCannotBeCreatedIsReportedWithItsReason) {
  const fs::path plainFile = dir_ / "plain";
  std::ofstream(plainFile) << "x";
  const fs::path target = plainFile / "cuenta.txt";
  try {
    ExportAccountText(SampleAccount(), target);
    FAIL() << "no failure reported";
  } catch (const EExportError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot create file \"" + target.string() + "\". Not a directory");
  }
  EXPECT_FALSE(fs::exists(target));
}

TEST_F(AccountExport, PrintLayoutListsEveryLabelAboveItsValue) {
  const PrintLayout layout = ComposeAccountPrint(SampleAccount());
  EXPECT_EQ(layout.documentTitle, "Banco");
  const auto& p = layout.paragraphs;
  ASSERT_EQ(p.size(), 2u + 6u + 1u + 3u + 10u * 3u + 1u);

  const std::vector<std::string> banner = BannerLines();
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(p[2 + i].text, i < 4 ? banner[i] : "");
    EXPECT_EQ(p[2 + i].style.rgb, kBannerColour);
    EXPECT_TRUE(p[2 + i].style.centred);
    EXPECT_EQ(p[2 + i].style.font, PrintFont::Fixed);
  }
  const PrintParagraph& title = p[9];
  EXPECT_EQ(title.text, "m71");
  EXPECT_EQ(title.style.rgb, kTitleColour);
  EXPECT_TRUE(title.style.bold && title.style.underline && title.style.centred);
  EXPECT_EQ(title.style.font, PrintFont::Verdana);

  const std::pair<std::string, std::string> fields[] = {
      {"T\xEDtulo:", " Banco"}, {"m76", " Cuenta n\xF3mina"}, {"m78", " "},
      {"m80", " ana"},          {"m82", " p@ss w\xF6rd"},     {"m84", " Color"},
      {"m86", " Azul"},         {"m88", " ana@example.com"},  {"m90", " https://banco.example.com"},
      {"m92", " Web"},
  };
  std::size_t at = 12;
  for (const auto& [label, value] : fields) {
    EXPECT_EQ(p[at].text, "");
    EXPECT_EQ(p[at + 1].text, label);
    EXPECT_TRUE(p[at + 1].style.bold && p[at + 1].style.underline);
    EXPECT_FALSE(p[at + 1].style.centred);
    EXPECT_EQ(p[at + 1].style.rgb, 0x000000u);
    EXPECT_EQ(p[at + 1].style.firstLineIndentPt, kFieldIndentPt);
    EXPECT_EQ(p[at + 2].text, value);
    EXPECT_FALSE(p[at + 2].style.bold);
    at += 3;
  }
  EXPECT_EQ(p.back().text, " ");
}

}  // namespace
}  // namespace bv
