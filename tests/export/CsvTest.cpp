// The profile as CSV and back: the exact bytes written, a tree with every odd shape a file
// can hold read back unchanged, KeePassXC's and Bitwarden's files, and the refusals.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "browser/NodeEditing.h"
#include "export/CsvExport.h"
#include "export/CsvImport.h"
#include "support/ProfileFixtures.h"
#include "support/ScratchFolder.h"
#include "tools/AccountText.h"

namespace bv {
namespace {

using test::NamedNode;

std::string Shape(const ProfileTree& tree, const TreeNode* parent = nullptr) {
  std::string text;
  for (const auto& child : tree.ChildrenOf(parent)) {
    if (!text.empty()) text += ' ';
    text += "cga"[static_cast<int>(child->data.Kind())] + (":" + child->data.Name);
    if (!child->children.empty()) text += "(" + Shape(tree, child.get()) + ")";
  }
  return text;
}

// Other managers take every row for an entry: the plain form has the account rows alone,
// the full form adds those of a category with a description and of an empty group.
TEST(CsvExport, WritesQuotedUtf8RowsEndedByCrLf) {
  ProfileTree tree;
  TNodeData category = NamedNode(NodeKind::Category, "Correo");
  category.Description = "todo el correo";
  TreeNode* mail = tree.Append(nullptr, category);
  TNodeData account = NamedNode(NodeKind::Account, "Cuenta \xF1");
  account.Password = "a\"b,c";
  account.Notes = "uno\r\ndos\r\nTOTP: JBSW Y3DP";  // the seed line goes to its own column
  account.Mail = "\x80";
  tree.Append(mail, account);
  tree.Append(mail, NamedNode(NodeKind::Group, "Vac\xEDo"));
  const std::string header =
      "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\",\"TOTP\",\"Description\","
      "\"Question\",\"Answer\",\"E-mail\",\"Account type\"\r\n";
  const std::string accountRow =
      "\"Correo\",\"Cuenta \xC3\xB1\",\"\",\"a\"\"b,c\",\"\",\"uno\r\ndos\",\"JBSW Y3DP\",\"\","
      "\"\",\"\",\"\xE2\x82\xAC\",\"\"\r\n";
  EXPECT_EQ(ProfileCsv(tree, CsvRows::Accounts), header + accountRow);
  EXPECT_EQ(
      ProfileCsv(tree, CsvRows::FullTree),
      header +
          "\"Correo/\",\"\",\"\",\"\",\"\",\"\",\"\",\"todo el correo\",\"\",\"\",\"\",\"\"\r\n" +
          accountRow +
          "\"Correo/Vac\xC3\xADo/\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
}

// Every shape a file can hold: names with "/" and "\", empty names, accounts holding nodes,
// an account and a group at the top, a category below it, empty groups, descriptions,
// every field and byte (the five without a character too).
void FillOddTree(ProfileTree& tree) {
  TNodeData mail = NamedNode(NodeKind::Category, "Co/rreo\\x\\");
  mail.Description = "de \"correo\"";
  TreeNode* c = tree.Append(nullptr, mail);
  TreeNode* work = tree.Append(c, NamedNode(NodeKind::Group, "Trabajo\\/"));
  TNodeData full = NamedNode(NodeKind::Account, "Gmail");
  int k = 0;
  for (const auto& field : kTextFields)
    if (field.member != &TNodeData::Name)
      full.*field.member = "v" + std::to_string(k++) + " \x81\x8D\x8F\x90\x9D\xFF,\"\r\n";
  TreeNode* holder = tree.Append(work, full);
  tree.Append(holder, NamedNode(NodeKind::Account, "Hija"));
  TreeNode* nameless = tree.Append(holder, NamedNode(NodeKind::Group, ""));
  tree.Append(nameless, NamedNode(NodeKind::Account, ""));
  tree.Append(work, NamedNode(NodeKind::Account, "Gmail"));  // a second of the same name, after
  // Seeds: the line alone, after notes, one that is no seed, an empty one, two seed lines.
  for (const char* notes : {"TOTP: otpauth://totp/A:b?secret=JBSWY3DP", "nota\r\nTOTP: jbsw y3dp",
                            "TOTP: nada", "nota\r\nTOTP: ", "TOTP: A\r\nTOTP: B"}) {
    TNodeData seeded = NamedNode(NodeKind::Account, "Dos pasos");
    seeded.Notes = notes;
    tree.Append(work, seeded);
  }
  tree.Append(c, NamedNode(NodeKind::Group, "Vac\xEDo"));
  tree.Append(nullptr, NamedNode(NodeKind::Account, "Suelta"));
  TreeNode* top = tree.Append(nullptr, NamedNode(NodeKind::Group, "Arriba"));
  tree.Append(top, NamedNode(NodeKind::Category, ""));
  tree.Append(nullptr, NamedNode(NodeKind::Category, ""));
}

// Every export holds passwords in clear: owner only, also when it replaces a file others could
// read (the text export serves the account's HTML page too).
TEST(ExportFile, IsOwnerOnlyEvenOverAFileOthersCouldRead) {
  ProfileTree tree;
  TNodeData account = NamedNode(NodeKind::Account, "Cuenta");
  account.Password = "secreta";
  tree.Append(nullptr, account);
  const std::vector<std::pair<const char*, std::function<void(const std::filesystem::path&)>>>
      exports = {
          {"csv", [&](const auto& path) { WriteProfileCsv(path, tree, CsvRows::Accounts); }},
          {"csv-full", [&](const auto& path) { WriteProfileCsv(path, tree, CsvRows::FullTree); }},
          {"text", [&](const auto& path) { ExportAccountText(account, path); }},
      };
  test::ScratchFolder dir;
  for (const auto& [label, write] : exports) {
    const std::filesystem::path path = dir / label;
    test::WriteFile(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    write(path);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u) << label;
    EXPECT_NE(test::ReadFile(path).find("secreta"), std::string::npos) << label;
  }
}

TEST(CsvImport, ReadsItsOwnExportBackUnchangedButThePictures) {
  ProfileTree original;
  FillOddTree(original);
  const ProfileTree back = ReadProfileCsv(ProfileCsv(original, CsvRows::FullTree));
  ASSERT_EQ(Shape(back), Shape(original));
  for (int k = 0; k < static_cast<int>(original.Count()); ++k) {
    TNodeData expected = original.NodeAtTreeIndex(k)->data;
    const TNodeData& actual = back.NodeAtTreeIndex(k)->data;
    expected.ImageIndex = expected.IsAccount ? kNewAccountPicture : kNewCategoryPicture;
    EXPECT_EQ(actual, expected) << k;
  }
}

// What a file read from another password manager must hold: the tree's shape, then the
// text fields of the nodes at the given places of the tree.
struct FieldValue {
  int treeIndex;
  std::string TNodeData::*member;
  std::string value;
};

ProfileTree ExpectRead(const std::string& csv, const char* shape,
                       const std::vector<FieldValue>& fields) {
  ProfileTree tree = ReadProfileCsv(csv);
  EXPECT_EQ(Shape(tree), shape);
  for (const FieldValue& field : fields)
    EXPECT_EQ(tree.NodeAtTreeIndex(field.treeIndex)->data.*field.member, field.value)
        << "node " << field.treeIndex << ": " << field.value;
  return tree;
}

// Line ends of every kind become CR LF; a TOTP seed becomes the last line of the notes.
TEST(CsvImport, ReadsKeePassXcWithoutItsRootGroup) {
  const ProfileTree tree = ExpectRead(
      "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\",\"TOTP\",\"Icon\","
      "\"Last Modified\",\"Created\"\n"
      "\"Passwords/Email\",\"Gmail\",\"jose\",\"secret\",\"https://m.example\",\"a\nb\rc\r\nd\","
      "\"otpauth://totp/G:jose?secret=JBSWY3DP\",\"0\",\"2026-12-09T02:19:15Z\","
      "\"2026-12-09T02:19:15Z\"\n"
      "\"Passwords/Email/Work\",\"Office\",\"\",\"\",\"\",\"\",\"JBSW\",\"0\",\"\",\"\"\n"
      "\"Passwords\",\"Loose\",\"\",\"\",\"\",\"\",\"\",\"0\",\"\",\"\"\n",
      "c:Email(a:Gmail g:Work(a:Office)) c:Importado(a:Loose)",
      {{1, &TNodeData::UserName, "jose"},
       {1, &TNodeData::Password, "secret"},
       {1, &TNodeData::Url, "https://m.example"},
       {1, &TNodeData::Notes, "a\r\nb\r\nc\r\nd\r\nTOTP: otpauth://totp/G:jose?secret=JBSWY3DP"},
       {3, &TNodeData::Notes, "TOTP: JBSW"},
       {5, &TNodeData::Notes, ""}});
  EXPECT_EQ(tree.NodeAtTreeIndex(1)->data.ImageIndex, kNewAccountPicture);
  EXPECT_EQ(tree.NodeAtTreeIndex(0)->data.ImageIndex, kNewCategoryPicture);
}

TEST(CsvImport, ReadsBitwardenByItsColumnNamesInAnyCase) {
  ExpectRead(
      "FOLDER,favorite,type,name,notes,fields,reprompt,login_uri,login_username,"
      "login_password,login_totp\r\n"
      "Social/Chat,1,login,Foro,nota,\"pin: 1234\",0,https://foro.example,ana,p\xC3\xA1ss,JBSW\r\n"
      ",,note,Nota suelta,texto,,0,,,,\r\n",
      "c:Social(g:Chat(a:Foro)) c:Importado(a:Nota suelta)",
      {{2, &TNodeData::Url, "https://foro.example"},
       {2, &TNodeData::UserName, "ana"},
       {2, &TNodeData::Password, "p\xE1ss"},
       {2, &TNodeData::Notes, "nota\r\nTOTP: JBSW"},
       {2, &TNodeData::Description, "pin: 1234"},
       {4, &TNodeData::Notes, "texto"}});
}

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int k = 0; k < times; ++k) out += text;
  return out;
}

struct Refusal {
  const char* label;
  std::string csv;
  ECsvImportError::Reason reason;
  const char* message;
};

class CsvRefusalTest : public testing::TestWithParam<Refusal> {};

TEST_P(CsvRefusalTest, NamesWhereAndWhy) {
  try {
    ReadProfileCsv(GetParam().csv);
    FAIL() << "accepted";
  } catch (const ECsvImportError& error) {
    EXPECT_EQ(error.reason(), GetParam().reason);
    EXPECT_STREQ(error.what(), GetParam().message);
  }
}

using R = ECsvImportError::Reason;
INSTANTIATE_TEST_SUITE_P(
    Csv, CsvRefusalTest,
    testing::Values(
        Refusal{"LongPassword", "Title,Password\nA,B\nC," + std::string(118, 'p') + "\n",
                R::TooLong,
                "row 3 (line 3), column \"Password\": too long (118 characters; at most 117 "
                "survive in a profile)"},
        Refusal{"LongGroupName", "Title,Group\r\n\"A\",\"x/" + std::string(88, 'g') + "\"\r\n",
                R::TooLong,
                "row 2 (line 2), column \"Group\": a name too long (88 characters; at most 87 "
                "survive in a profile)"},
        Refusal{"NotWindows1252", "name,notes\n\"a\nb\",c\nd,\xE6\x97\xA5\n", R::NotCp1252,
                "row 3 (line 4), column \"notes\": holds a character without a Windows-1252 "
                "form"},
        Refusal{"OpenQuote", "Title,Notes\nA,B\nC,\"open\nstill open\n", R::Malformed,
                "line 3: a quoted value is not closed before the end of the file"},
        Refusal{"ExtraColumn", "Title,Notes\nA,B\n\"C\",\"D\",\"E\"\n", R::Malformed,
                "line 3: row 3 has 3 values, the header 2"},
        Refusal{"QuoteInPlainValue", "Title\nab\"c\n", R::Malformed,
                "line 2: a quote inside a value that does not begin with one"},
        Refusal{"NoTitle", "Group,Password\nx,y\n", R::Malformed,
                "line 1: the header has no column Title (or name)"},
        // 126 bytes in the file, 188 characters once each LF is CR LF.
        Refusal{"LineEndsCountTwo", "Title,Notes\nA,\"" + Repeat("x\n", 62) + "xx\"\n", R::TooLong,
                "row 2 (line 2), column \"Notes\": too long (188 characters; at most 186 "
                "survive in a profile)"},
        Refusal{"TotpBeyondTheNotes",
                "name,notes,login_totp\nA," + std::string(170, 'n') + ",JBSWY3DPEHPK3PXP\n",
                R::TooLong,
                "row 2 (line 2), column \"login_totp\": the notes with the line \"TOTP: ...\" "
                "added too long (194 characters; at most 186 survive in a profile)"},
        Refusal{"TotpNotWindows1252", "Title,TOTP\nA,\xE6\x97\xA5\n", R::NotCp1252,
                "row 2 (line 2), column \"TOTP\": holds a character without a Windows-1252 "
                "form"},
        Refusal{"TwoTotpColumns", "Title,TOTP,login_totp\nA,B,C\n", R::Malformed,
                "line 1: the columns \"TOTP\" and \"login_totp\" hold the same field"}),
    [](const auto& info) { return info.param.label; });

}  // namespace
}  // namespace bv
