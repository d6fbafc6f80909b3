// The HTML export of the account page on view: its elements, its pictures as numbered
// bitmaps that never replace a file, and what the page hides.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QTextCursor>
#include <QTextDocument>
#include <fstream>
#include <iterator>

#include "browser/DetailView.h"
#include "browser/ExportAccountHtml.h"
#include "support/ScratchFolder.h"
#include "support/gui/ViewProbe.h"
#include "tools/AccountText.h"
#include "tools/DocumentHtml.h"

namespace bv {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TNodeData Banco() {
  TNodeData a = TNodeData::Create(NodeKind::Account, 3);
  a.Name = "Banco Espa\xF1ol";  // Banco Español
  a.UserName = "ana";
  a.Password = "p<4>&s";
  a.Url = "banco.example.com";
  a.AccountType = "Web";
  return a;
}

class HtmlExport : public ::testing::Test {
 protected:
  HtmlExport() {
    view.SetMessageSource(test::SpanishMessages());
    view.resize(520, 600);
  }

  // Pictures on the page now: the bullets of the rows and of the command links.
  int Pictures() const {
    return static_cast<int>(view.toPlainText().count(QChar::ObjectReplacementCharacter));
  }

  DetailView view;
  test::ScratchFolder folder;
};

TEST_F(HtmlExport, WritesThePageWithTheNamedElements) {
  const TNodeData account = Banco();
  view.ShowAccountPage(account, false);
  ExportAccountHtml(view, account, folder / "banco.html");
  const std::string html = Read(folder / "banco.html");

  EXPECT_EQ(html.rfind("<HTML><HEAD><TITLE>Banco Espa&#241;ol</TITLE></HEAD>", 0), 0u) << html;
  EXPECT_NE(html.find("<BODY bgcolor=\"#ffffff\">"), std::string::npos);
  EXPECT_EQ(html.substr(html.size() - 16), "</BODY></HTML>\r\n");
  // One rule, between the access rows and the address rows; a break after every line.
  EXPECT_EQ(Count(html, "<HR noshade size=1>"), 1);
  EXPECT_GT(Count(html, "<BR>"), 10);
  // The address is a link to the web; the command links are plain text in a file.
  EXPECT_NE(html.find("<A href=\"http://banco.example.com\""), std::string::npos);
  EXPECT_EQ(Count(html, "<A "), 1);
  EXPECT_NE(html.find("Exportar como HTML"), std::string::npos);
  // Runs keep their font, size, colour and weight; indents survive as fixed blanks.
  EXPECT_NE(html.find("<FONT face=\"Verdana"), std::string::npos);
  EXPECT_NE(html.find("color=\"#0000ff\" style=\"font-size:8pt\">banco.example.com"),
            std::string::npos);
  EXPECT_NE(html.find("<B>Usuario</B>"), std::string::npos) << html;
  EXPECT_NE(html.find("&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;ana"), std::string::npos);
  // The password is hidden on the page, so in the file too.
  EXPECT_EQ(html.find("p&lt;4&gt;&amp;s"), std::string::npos);
  for (const unsigned char c : html) EXPECT_LT(c, 0x80);  // plain ASCII, whatever the text
}

TEST_F(HtmlExport, ShowsWhatThePageShows) {
  TNodeData account = Banco();
  account.Notes = "PIN\r\nTOTP: JBSWY3DPEHPK3PXP";
  view.ShowAccountPage(account, true);
  ExportAccountHtml(view, account, folder / "banco.html");
  const std::string html = Read(folder / "banco.html");
  EXPECT_NE(html.find("p&lt;4&gt;&amp;s"), std::string::npos);
  // The two-step code, never its seed, even with hidden values shown.
  EXPECT_NE(html.find("(quedan "), std::string::npos);
  EXPECT_EQ(html.find("JBSWY3DP"), std::string::npos);
  EXPECT_EQ(html.find("TOTP"), std::string::npos);
}

TEST_F(HtmlExport, PicturesAreNumberedOnAndNeverReplaceAFile) {
  const TNodeData account = Banco();
  view.ShowAccountPage(account, false);
  const int n = Pictures();
  ASSERT_GT(n, 3);
  std::ofstream(folder / "img2.bmp") << "mine";

  ExportAccountHtml(view, account, folder / "one.html");
  ExportAccountHtml(view, account, folder / "two.html");

  EXPECT_EQ(Read(folder / "img2.bmp"), "mine");
  const std::string one = Read(folder / "one.html");
  const std::string two = Read(folder / "two.html");
  EXPECT_EQ(Count(one, "<IMG "), n);
  EXPECT_EQ(Count(two, "<IMG "), n);
  // The first export takes 1, 3, 4, ...; the second goes on after the first's last.
  EXPECT_NE(one.find("src=\"img1.bmp\""), std::string::npos);
  EXPECT_EQ(one.find("src=\"img2.bmp\""), std::string::npos);
  EXPECT_NE(one.find("src=\"img" + std::to_string(n + 1) + ".bmp\""), std::string::npos);
  EXPECT_NE(two.find("src=\"img" + std::to_string(n + 2) + ".bmp\""), std::string::npos);
  EXPECT_NE(two.find("src=\"img" + std::to_string(2 * n + 1) + ".bmp\""), std::string::npos);
  for (int i = 1; i <= 2 * n + 1; ++i) {
    if (i == 2) continue;
    const std::string bitmap = Read(folder / ("img" + std::to_string(i) + ".bmp"));
    EXPECT_EQ(bitmap.substr(0, 2), "BM") << i;
  }
  EXPECT_FALSE(fs::exists(folder / ("img" + std::to_string(2 * n + 2) + ".bmp")));
}

TEST_F(HtmlExport, AFileThatCannotBeCreatedIsReportedAndWritesNoPicture) {
  const TNodeData account = Banco();
  view.ShowAccountPage(account, false);
  fs::create_directory(folder / "taken.html");  // a folder where the file should go
  try {
    ExportAccountHtml(view, account, folder / "taken.html");
    FAIL() << "no error";
  } catch (const EExportError& error) {
    EXPECT_EQ(std::string(error.what()), "Is a directory");
  }
  EXPECT_FALSE(fs::exists(folder / "img1.bmp"));
}

TEST(DocumentHtml, WritesEveryKindOfRunAsItIsDrawn) {
  QTextDocument document;
  QTextCursor cursor(&document);
  QTextCharFormat format;
  format.setFontFamilies({QStringLiteral("Times New Roman")});
  format.setFontPointSize(12);
  format.setForeground(QColor(0x80, 0, 0));
  format.setFontUnderline(true);
  format.setFontStrikeOut(true);
  format.setFontItalic(true);
  cursor.insertText(QStringLiteral("1 < 2 \u20AC"), format);
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  cursor.insertBlock(centred);
  cursor.insertText(QStringLiteral("  x"), QTextCharFormat());

  HtmlPageContext context{QStringLiteral("t"), Qt::white, {}, {}};
  const std::string html = DocumentToHtml(document, context);
  EXPECT_NE(html.find("<FONT face=\"Times New Roman\" color=\"#800000\" style=\"font-size:12pt\">"
                      "<I><U><S>1 &lt; 2 &#8364;</S></U></I></FONT><BR>"),
            std::string::npos)
      << html;
  EXPECT_NE(html.find("<DIV align=center><FONT"), std::string::npos);
  EXPECT_NE(html.find(">&nbsp;&nbsp;x</FONT><BR></DIV>"), std::string::npos) << html;
}

}  // namespace
}  // namespace bv
