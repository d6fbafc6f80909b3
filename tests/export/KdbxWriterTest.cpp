// The KDBX export checked by KeePassXC's own command-line tool: what it lists, shows and
// exports must be every group, entry and field of the profile, exactly.

#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <fstream>
#include <map>

#include <botan/base64.h>
#include <gtest/gtest.h>

#include "KeePassCli.h"
#include "config/Cp1252.h"
#include "export/KdbxWriter.h"
#include "files/InOutError.h"
#include "support/ScratchFolder.h"
#include "tools/OneTimeCode.h"

namespace bv {
namespace {

using test::KeePassCli;
using test::ParseCsv;

constexpr const char* kPassword = "clave \xC3\xB1 secreta";  // UTF-8, as typed
const KdbxKeySettings kFastKey{1 << 20, 2, 2};               // 1 MiB, 2 lanes, 2 iterations

std::string U(const std::string& cp1252) { return Cp1252ToUtf8(cp1252); }

TNodeData Node(NodeKind kind, const std::string& name, int picture = 0) {
  TNodeData data = TNodeData::Create(kind, picture);
  data.Name = name;
  return data;
}

TNodeData FullAccount(const std::string& name, int picture) {
  TNodeData a = Node(NodeKind::Account, name, picture);
  a.UserName = "usuario \xF1\xE1\xE9\xED\xF3\xFA\x80\x8C";
  a.Password = "p\xE1ss <&> \"'\x80";
  a.Question = "\xBFPregunta\x9C?";
  a.Answer = "respuesta \xD1\x8A";
  a.Mail = "jos\xE9@example.com";
  a.Url = "https://example.com/?a=1&b=<2>";
  a.AccountType = "Correo \x99";
  a.Description = "descripci\xF3n \x85";
  a.Notes = "primera l\xEDnea\r\nsegunda\r\n\r\ncuarta \x81\x8D\x8F\x90\x9D";
  return a;
}

class KdbxExport : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::KeePassCliAvailable()) GTEST_SKIP() << "keepassxc-cli is not installed";
    header_.Owner = "Jos\xE9 \xD1\xFA\xF1\x65z";
    header_.Title = "Cuentas \x80 personales";
  }

  std::filesystem::path Write(const KdbxKeySettings& key = kFastKey) {
    const auto path = dir_ / "export.kdbx";
    WriteKdbxFile(path, header_, tree_, kPassword, key);
    return path;
  }

  std::string Cli(const std::string& command, std::vector<std::string> args) {
    const auto run = KeePassCli(command, args, kPassword);
    EXPECT_EQ(run.status, 0) << command << ": " << run.errors;
    return run.out;
  }

  // The peer's CSV export, rows by "group path/title", without the header row.
  std::map<std::string, std::vector<std::string>> CsvRows(const std::filesystem::path& file) {
    const auto rows = ParseCsv(Cli("export", {"-f", "csv", file.string()}));
    EXPECT_FALSE(rows.empty());
    std::map<std::string, std::vector<std::string>> byPath;
    for (std::size_t i = 1; i < rows.size(); ++i) byPath[rows[i][0] + "/" + rows[i][1]] = rows[i];
    EXPECT_EQ(byPath.size(), rows.size() - 1) << "two entries with one path";
    return byPath;
  }

  test::ScratchFolder dir_;
  TProfileHeader header_;
  ProfileTree tree_;
};

TEST_F(KdbxExport, EveryFieldComesBackExactly) {
  TNodeData mail = Node(NodeKind::Category, "Correo \xF1", 3);
  mail.Description = "Cuentas de correo\r\nsegunda l\xEDnea";
  auto* category = tree_.Append(nullptr, mail);
  auto* group = tree_.Append(category, Node(NodeKind::Group, "Trabajo \x80\x8C", 5));
  tree_.Append(group, FullAccount("Gmail \xE1\xE9", 7));
  tree_.Append(group, Node(NodeKind::Account, "Vac\355a"));  // every other field empty
  TNodeData controls = FullAccount("Controles", 1);
  controls.UserName = "a\001b\x1F";
  controls.Notes = "tab\there\x0B";
  tree_.Append(category, controls);
  tree_.Append(nullptr, Node(NodeKind::Group, "Grupo \x07 raro"));
  const auto file = Write();

  const std::string info = Cli("db-info", {file.string()});
  EXPECT_NE(info.find("Name: " + U(header_.Owner) + "\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Description: " + U(header_.Title) + "\n"), std::string::npos) << info;

  const std::string groupPath = "Root/" + U("Correo \xF1/Trabajo \x80\x8C");
  auto rows = CsvRows(file);
  ASSERT_EQ(rows.size(), 3u);
  const auto& full = rows[groupPath + "/" + U("Gmail \xE1\xE9")];
  const TNodeData expected = FullAccount("", 0);
  ASSERT_GE(full.size(), 6u);
  EXPECT_EQ(full[2], U(expected.UserName));
  EXPECT_EQ(full[3], U(expected.Password));
  EXPECT_EQ(full[4], U(expected.Url));
  EXPECT_EQ(full[5], U("primera l\xEDnea\nsegunda\n\ncuarta \x81\x8D\x8F\x90\x9D"));
  const auto& empty = rows[groupPath + "/" + U("Vac\355a")];
  ASSERT_GE(empty.size(), 6u);
  EXPECT_EQ(empty[2] + empty[3] + empty[4] + empty[5], "");
  // Characters XML cannot hold travel in protected values, unchanged.
  const auto& odd = rows["Root/" + U("Correo \xF1") + "/Controles"];
  ASSERT_GE(odd.size(), 6u);
  EXPECT_EQ(odd[2], "a\001b\x1F");
  EXPECT_EQ(odd[5], "tab\there\x0B");

  const std::string entry = U("Correo \xF1/Trabajo \x80\x8C/Gmail \xE1\xE9");
  EXPECT_EQ(Cli("show", {"-s", "-a", "Description", "-a", "Question", "-a", "Answer", "-a",
                         "E-mail", "-a", "Account type", file.string(), entry}),
            U(expected.Description + "\n" + expected.Question + "\n" + expected.Answer + "\n" +
              expected.Mail + "\n" + expected.AccountType + "\n"));
  // Empty extra fields are left out; the standard ones are always there.
  EXPECT_EQ(
      KeePassCli("show",
                 {"-a", "Question", file.string(), U("Correo \xF1/Trabajo \x80\x8C/Vac\355a")},
                 kPassword)
          .status,
      1);

  // Group notes carry the description; a group name keeps its control as a visible picture.
  const std::string xml = Cli("export", {"-f", "xml", file.string()});
  EXPECT_NE(xml.find("<Value ProtectInMemory=\"True\">" + U(expected.Answer) + "</Value>"),
            std::string::npos);
  EXPECT_NE(xml.find("<Notes>" + U("Cuentas de correo\nsegunda l\xEDnea") + "</Notes>"),
            std::string::npos);
  EXPECT_NE(Cli("ls", {"-R", "-f", file.string()}).find("Grupo \xE2\x90\x87 raro/"),
            std::string::npos);
}

// A seed in the notes becomes the otp field, and KeePassXC's code is ours; a line that gives
// no code stays in the notes.
TEST_F(KdbxExport, SeedsBecomeTheOtpFieldKeePassXcReads) {
  struct Case {
    const char* name;
    std::string seed;
  };
  const Case cases[] = {
      {"Bare", "jbsw y3dp ehpk 3pxp"},
      {"Sha256",
       "otpauth://totp/Ex:jo?secret=GEZDGNBVGY3TQOJQ&algorithm=SHA256&digits=8&period=60"},
      {"Sha512", "otpauth://totp/?secret=GEZDGNBVGY3TQOJQGE&algorithm=SHA512&digits=7"},
  };
  for (const Case& c : cases) {
    TNodeData account = Node(NodeKind::Account, c.name);
    account.Notes = "PIN 1234\r\nTOTP: " + c.seed;
    tree_.Append(nullptr, account);
  }
  TNodeData broken = Node(NodeKind::Account, "Broken");
  broken.Notes = "TOTP: not base32!";
  tree_.Append(nullptr, broken);
  const auto file = Write();

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TotpSeed seed = *ParseSeed(c.seed).seed;
    // A period may end between our code and the peer's: either code of the two moments.
    const std::string before = CurrentCode(seed).digits;
    const std::string shown = Cli("show", {"-t", file.string(), c.name});
    const std::string after = CurrentCode(seed).digits;
    EXPECT_TRUE(shown == before + "\n" || shown == after + "\n") << shown << " / " << before;
    EXPECT_EQ(Cli("show", {"-a", "Notes", file.string(), c.name}), "PIN 1234\n");
  }
  EXPECT_EQ(Cli("show", {"-a", "Notes", file.string(), "Broken"}), "TOTP: not base32!\n");
  EXPECT_NE(KeePassCli("show", {"-t", file.string(), "Broken"}, kPassword).status, 0);
}

TEST_F(KdbxExport, TreeShapeSurvivesDeepNestingAndAccountsWithChildren) {
  TreeNode* parent = tree_.Append(nullptr, Node(NodeKind::Category, "L0"));
  std::string deepPath = "L0";
  for (int level = 1; level < 50; ++level) {
    parent = tree_.Append(parent, Node(NodeKind::Group, "L" + std::to_string(level)));
    deepPath += "/L" + std::to_string(level);
  }
  tree_.Append(parent, Node(NodeKind::Account, "Fondo"));
  auto* top = tree_.Append(nullptr, Node(NodeKind::Category, "C"));
  auto* holder = tree_.Append(top, Node(NodeKind::Account, "Padre"));
  tree_.Append(holder, Node(NodeKind::Account, "Hija"));
  auto* sub = tree_.Append(holder, Node(NodeKind::Group, "Sub"));
  tree_.Append(sub, Node(NodeKind::Account, "Nieta"));
  tree_.Append(top, Node(NodeKind::Account, "Hermana"));
  const auto file = Write();

  const std::string listing = Cli("ls", {"-R", "-f", file.string()});
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = listing.find('\n', at)) != std::string::npos; at = end + 1)
    lines.push_back(listing.substr(at, end - at));
  std::sort(lines.begin(), lines.end());
  std::vector<std::string> expected = {"C/",           "C/Padre",          "C/Padre/",
                                       "C/Padre/Hija", "C/Padre/Sub/",     "C/Padre/Sub/Nieta",
                                       "C/Hermana",    deepPath + "/Fondo"};
  for (std::string path = deepPath;; path = path.substr(0, path.rfind('/'))) {
    expected.push_back(path + "/");
    if (path.find('/') == std::string::npos) break;
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(lines, expected);
}

std::string Between(const std::string& text, const std::string& open, const std::string& close,
                    std::size_t& from) {
  const auto start = text.find(open, from);
  if (start == std::string::npos) return from = std::string::npos, "";
  const auto end = text.find(close, start + open.size());
  from = end;
  return text.substr(start + open.size(), end - start - open.size());
}

TEST_F(KdbxExport, PicturesBecomeCustomIconsStoredOnceAndTimesAreNow) {
  auto* category = tree_.Append(nullptr, Node(NodeKind::Category, "C", 4));
  tree_.Append(category, Node(NodeKind::Account, "A", 25));
  tree_.Append(category, Node(NodeKind::Account, "B", 25));
  tree_.Append(category, Node(NodeKind::Account, "Sin dibujo", 99));
  const auto file = Write();
  const std::string xml = Cli("export", {"-f", "xml", file.string()});

  std::map<std::string, std::string> iconByUuid;
  for (std::size_t at = xml.find("<CustomIcons>"); at != std::string::npos;) {
    const std::string icon = Between(xml, "<Icon>", "</Icon>", at);
    if (at == std::string::npos || icon.empty()) break;
    std::size_t in = 0;
    const std::string uuid = Between(icon, "<UUID>", "</UUID>", in);
    iconByUuid[uuid] = Between(icon, "<Data>", "</Data>", in);
  }
  ASSERT_EQ(iconByUuid.size(), 2u);
  const auto png = [](int n) {
    char name[16];
    std::snprintf(name, sizeof name, "%02d.png", n);
    return test::ReadFile(std::filesystem::path(BV_SOURCE_DIR) / "src/ui/pictures/nodes" / name);
  };
  const auto decoded = [](const std::string& b64) {
    const auto bytes = Botan::base64_decode(b64);
    return std::string(bytes.begin(), bytes.end());
  };
  int withIcon = 0;
  for (const auto& [uuid, data] : iconByUuid) {
    const std::string bytes = decoded(data);
    EXPECT_TRUE(bytes == png(4) || bytes == png(25));
    for (std::size_t at = 0;
         (at = xml.find("<CustomIconUUID>" + uuid + "<", at)) != std::string::npos; ++at)
      ++withIcon;
  }
  EXPECT_EQ(withIcon, 3);  // the category and the two accounts; the picture 99 has none

  // Times are seconds since the year 1: every one must be the time of the export.
  std::size_t at = 0;
  const std::string created = decoded(Between(xml, "<CreationTime>", "</CreationTime>", at));
  ASSERT_EQ(created.size(), 8u);
  std::int64_t seconds = 0;
  for (int i = 7; i >= 0; --i) seconds = seconds * 256 + static_cast<unsigned char>(created[i]);
  EXPECT_LT(std::abs(seconds - 62135596800 - static_cast<std::int64_t>(std::time(nullptr))), 600);
}

TEST_F(KdbxExport, TenThousandAccountsInOneExport) {
  constexpr int kAccounts = 10000;
  auto* category = tree_.Append(nullptr, Node(NodeKind::Category, "Todas"));
  TreeNode* group = nullptr;
  for (int i = 0; i < kAccounts; ++i) {
    if (i % 100 == 0)
      group = tree_.Append(category, Node(NodeKind::Group, "G" + std::to_string(i / 100)));
    TNodeData a = Node(NodeKind::Account, "Cuenta \xF1 " + std::to_string(i), i % 26);
    a.UserName = "u" + std::to_string(i);
    a.Password = "p\xE9" + std::to_string(i * 7);
    tree_.Append(group, a);
  }
  const auto rows = CsvRows(Write());
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(kAccounts));
  for (int i = 0; i < kAccounts; i += 1) {
    const auto& row = rows.at("Root/Todas/G" + std::to_string(i / 100) + "/" +
                              U("Cuenta \xF1 " + std::to_string(i)));
    ASSERT_EQ(row[2], "u" + std::to_string(i));
    ASSERT_EQ(row[3], U("p\xE9" + std::to_string(i * 7)));
  }
}

TEST_F(KdbxExport, DefaultKeyIsCalibratedArgon2id) {
  tree_.Append(nullptr, Node(NodeKind::Category, "C"));
  const auto file = Write({});
  const std::string info = Cli("db-info", {file.string()});
  const auto kdf = info.find("KDF: Argon2id (");
  ASSERT_NE(kdf, std::string::npos) << info;
  EXPECT_GE(std::stoll(info.substr(kdf + 15)), 2);
}

TEST_F(KdbxExport, FileIsOwnerOnlyAndReplacedOnlyWhole) {
  tree_.Append(nullptr, Node(NodeKind::Category, "C"));
  const auto path = dir_ / "export.kdbx";
  test::WriteFile(path, "old");
  ::chmod(path.c_str(), 0644);
  Write();
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1);

  // Refusals leave the old file as it was.
  const std::string before = test::ReadFile(path);
  EXPECT_THROW(WriteKdbxFile(path, header_, tree_, "", kFastKey), std::invalid_argument);
  EXPECT_THROW(WriteKdbxFile(path, header_, tree_, "x", {1000, 2, 2}), std::invalid_argument);
  EXPECT_EQ(test::ReadFile(path), before);
  EXPECT_THROW(WriteKdbxFile(dir_ / "no/such/folder.kdbx", header_, tree_, "x", kFastKey),
               EInOutError);
  const auto fifo = dir_ / "pipe.kdbx";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_THROW(WriteKdbxFile(fifo, header_, tree_, "x", kFastKey), EInOutError);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 2);
}

}  // namespace
}  // namespace bv
