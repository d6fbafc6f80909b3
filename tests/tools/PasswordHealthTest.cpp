// The password health report: which accounts it lists, with which findings, in which order.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/ScratchFolder.h"
#include "support/StrengthWords.h"
#include "tools/BreachList.h"
#include "tools/PasswordHealth.h"

namespace bv {
namespace {

constexpr const char* kStrong = "vR2@mK4$wZ8&Xq7#pL9!";
constexpr const char* kMaster = "Tr3s-Gatos-Azul";

HealthOptions WithMaster(const char* master) {
  HealthOptions options;
  options.masterPassword = master;
  return options;
}

TNodeData Account(const std::string& name, const std::string& password,
                  const std::string& user = "") {
  TNodeData data = TNodeData::Create(NodeKind::Account, 17);
  data.Name = name;
  data.Password = password;
  data.UserName = user;
  return data;
}

// Correo(Gmail Outlook Yahoo) Bancos(Ahorro(Banco Nube Caja Fuerte)) Juegos(Steam(Mods))
struct HealthFixture : ::testing::Test {
  HealthFixture() {
    auto* correo = tree.Append(nullptr, TNodeData::Create(NodeKind::Category, 3));
    correo->data.Name = "Correo";
    tree.Append(correo, Account("Gmail", "123456", "jose"));
    tree.Append(correo, Account("Outlook", "123456", "jose"));
    tree.Append(correo, Account("Yahoo", "", "jose"));
    auto* bancos = tree.Append(nullptr, TNodeData::Create(NodeKind::Category, 3));
    bancos->data.Name = "Bancos";
    auto* ahorro = tree.Append(bancos, TNodeData::Create(NodeKind::Group, 3));
    ahorro->data.Name = "Ahorro";
    // "JOSÉ.martínez-44" against the user name "José.Martínez-44": the same but for case.
    tree.Append(ahorro, Account("Banco", "JOS\xC9.MART\xCDNEZ-44", "Jos\xE9.Mart\xEDnez-44"));
    tree.Append(ahorro, Account("Nube de Fotos 2019", "nube de fotos 2019"));
    tree.Append(ahorro, Account("Caja", kMaster));
    tree.Append(ahorro, Account("Fuerte", "tr3s-gatos-azul"));  // the master's, but for case
    auto* juegos = tree.Append(nullptr, TNodeData::Create(NodeKind::Category, 3));
    juegos->data.Name = "Juegos";
    auto* steam = tree.Append(juegos, Account("Steam", kStrong));
    tree.Append(steam, Account("Mods", kStrong));  // an account inside an account
  }

  // Account name -> its findings as "kind" or "kind:count", in the order given.
  std::map<std::string, std::vector<std::string>> Findings(const HealthReport& report) const {
    std::map<std::string, std::vector<std::string>> found;
    for (const AccountHealth& entry : report.entries) {
      auto& list = found[entry.node->data.Name];
      for (const HealthFinding& f : entry.findings)
        list.push_back(std::string(HealthKindName(f.kind)) +
                       (f.count ? ":" + std::to_string(f.count) : ""));
    }
    return found;
  }

  ProfileTree tree;
};

TEST_F(HealthFixture, ListsEachAccountWithItsFindings) {
  const HealthReport report = AnalyzeHealth(tree, WithMaster(kMaster));
  EXPECT_EQ(report.accounts, 9U);
  using V = std::vector<std::string>;
  const std::map<std::string, V> expected = {
      {"Yahoo", V{"empty"}},  // empty only: not weak, not reused
      {"Gmail", V{"weak", "reused:2"}},
      {"Outlook", V{"weak", "reused:2"}},
      // The account's own name and user name are words an attacker knows: weak too.
      {"Banco", V{"same-as-user-name", "weak"}},
      {"Nube de Fotos 2019", V{"same-as-name", "weak"}},
      {"Caja", V{"same-as-master"}},
      {"Steam", V{"reused:2"}},
      {"Mods", V{"reused:2"}},
  };
  EXPECT_EQ(Findings(report), expected);  // "Fuerte" differs from the master in case only
  EXPECT_EQ(report.counts[static_cast<std::size_t>(HealthKind::Reused)], 4U);
  EXPECT_EQ(report.counts[static_cast<std::size_t>(HealthKind::Weak)], 4U);
  EXPECT_EQ(report.counts[static_cast<std::size_t>(HealthKind::Empty)], 1U);
  EXPECT_EQ(report.counts[static_cast<std::size_t>(HealthKind::Breached)], 0U);
  EXPECT_FALSE(report.cancelled);
}

TEST(HealthWords, WordsOfTheShippedLanguagesAreWeak) {
  ProfileTree tree;
  auto* category = tree.Append(nullptr, TNodeData::Create(NodeKind::Category, 3));
  const auto& rows = test::StrengthRows();
  for (std::size_t i = 0; i < rows.size(); ++i)
    tree.Append(category,
                Account("Cuenta " + std::to_string(i), rows[i].password, rows[i].userName));
  std::vector<bool> weak(rows.size());
  for (const AccountHealth& entry : AnalyzeHealth(tree, {}).entries)
    for (const HealthFinding& finding : entry.findings)
      if (finding.kind == HealthKind::Weak)
        weak[static_cast<std::size_t>(entry.treeIndex - 1)] = true;
  for (std::size_t i = 0; i < rows.size(); ++i)
    EXPECT_EQ(weak[i], rows[i].weak) << rows[i].password << " / " << rows[i].userName;
}

TEST_F(HealthFixture, WorstComesFirstThenWeakerThenTreeOrder) {
  const HealthReport report = AnalyzeHealth(tree, WithMaster(kMaster));
  std::vector<std::string> order;
  for (const AccountHealth& entry : report.entries) order.push_back(entry.node->data.Name);
  const std::vector<std::string> expected = {"Yahoo", "Caja",    "Banco", "Nube de Fotos 2019",
                                             "Gmail", "Outlook", "Steam", "Mods"};
  EXPECT_EQ(order, expected);
  EXPECT_EQ(NodePath(report.entries.back().node),
            (std::vector<std::string>{"Juegos", "Steam", "Mods"}));
  EXPECT_EQ(report.entries.back().score, 4);
}

TEST_F(HealthFixture, WithoutMasterPasswordNothingIsTheMasters) {
  const auto found = Findings(AnalyzeHealth(tree, {}));
  EXPECT_EQ(found.count("Caja"), 0U);
}

TEST_F(HealthFixture, BreachedPasswordsCarryTheirCount) {
  std::vector<std::string> lines = {Sha1Hex(PasswordSha1("123456")) + ":37359195",
                                    Sha1Hex(PasswordSha1(kStrong)) + ":2"};
  std::sort(lines.begin(), lines.end());
  test::ScratchFolder scratch;
  test::WriteFile(scratch / "pwned.txt", lines[0] + "\r\n" + lines[1] + "\r\n");
  const BreachList list(scratch / "pwned.txt");
  HealthOptions options;
  options.breachList = &list;
  const auto found = Findings(AnalyzeHealth(tree, options));
  EXPECT_EQ(found.at("Gmail"), (std::vector<std::string>{"breached:37359195", "weak", "reused:2"}));
  EXPECT_EQ(found.at("Mods"), (std::vector<std::string>{"breached:2", "reused:2"}));
}

TEST_F(HealthFixture, ProgressCoversTheDistinctPasswordsAndCanCancel) {
  std::size_t lastDone = 0, lastTotal = 0;
  HealthOptions options;
  options.progress = [&](std::size_t d, std::size_t t) {
    lastDone = d;
    lastTotal = t;
    return true;
  };
  const HealthReport done = AnalyzeHealth(tree, options);
  EXPECT_EQ(lastTotal, 6U);  // eight passwords, two of them shared
  EXPECT_EQ(lastDone, 6U);
  EXPECT_FALSE(done.cancelled);
  options.progress = [](std::size_t, std::size_t) { return false; };
  const HealthReport cancelled = AnalyzeHealth(tree, options);
  EXPECT_TRUE(cancelled.cancelled);
  EXPECT_TRUE(cancelled.entries.empty());
}

TEST(SameIgnoringCase, FoldsEveryWindows1252Letter) {
  EXPECT_TRUE(SameIgnoringCase("Maria", "mARIA"));
  EXPECT_TRUE(
      SameIgnoringCase("\xD1"
                       "and\xDA",
                       "\xF1"
                       "AND\xFA"));                                       // Ñandú
  EXPECT_TRUE(SameIgnoringCase("\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF"));  // Š Œ Ž Ÿ
  EXPECT_FALSE(SameIgnoringCase("\xD7", "\xF7"));  // × and ÷ are no letters
  EXPECT_FALSE(SameIgnoringCase("maria",
                                "mar\xED"
                                "a"));
  EXPECT_FALSE(SameIgnoringCase("maria", "marias"));
}

}  // namespace
}  // namespace bv
