#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/NodeSearch.h"

namespace bv {
namespace {

TNodeData Node(NodeKind kind, const std::string& name) {
  TNodeData data = TNodeData::Create(kind, 0);
  data.Name = name;
  return data;
}

// Correo(Personal(Gmail, Mailbox) Trabajo) Juegos(Ajedrez) Ñandú
struct SearchTreeFixture : ::testing::Test {
  SearchTreeFixture() {
    auto* correo = tree.Append(nullptr, Node(NodeKind::Category, "Correo"));
    auto* personal = tree.Append(correo, Node(NodeKind::Group, "Personal"));
    TNodeData gmail = Node(NodeKind::Account, "Gmail");
    gmail.UserName = "mymailbox";
    gmail.Description = "Cuenta principal";
    gmail.Url = "https://MAIL.example.com";
    tree.Append(personal, gmail);
    TNodeData box = Node(NodeKind::Account, "Mailbox");
    box.UserName = "\xC1ngel";  // Ángel
    box.Notes = "PIN en la caja";
    box.Question = "Nombre del perro";
    box.AccountType = "IMAP";
    tree.Append(personal, box);
    tree.Append(correo, Node(NodeKind::Group, "Trabajo"));
    auto* juegos = tree.Append(nullptr, Node(NodeKind::Category, "Juegos"));
    tree.Append(juegos, Node(NodeKind::Account, "Ajedrez"));
    tree.Append(nullptr, Node(NodeKind::Category, "\321and\xFA"));  // Ñandú
  }

  std::vector<std::string> Found(int field, const std::string& query) const {
    std::vector<std::string> out;
    for (const SearchHit& hit : SearchTree(tree, field, query)) {
      EXPECT_EQ(tree.TreeIndexOf(hit.node), hit.treeIndex);
      out.push_back(hit.node->data.Name + "@" + std::to_string(hit.treeIndex));
    }
    return out;
  }

  ProfileTree tree;
};

using Names = std::vector<std::string>;

TEST_F(SearchTreeFixture, FindsByTheChosenFieldInTreeOrder) {
  struct Case {
    int field;
    std::string query;
    Names found;
  };
  const Case cases[] = {
      {3, "MAIL", {"Gmail@2"}},  // user name "mymailbox"
      {0, "MAIL", {"Gmail@2", "Mailbox@3"}},
      {0, "a", {"Personal@1", "Gmail@2", "Mailbox@3", "Trabajo@4", "Ajedrez@6", "\321and\xFA@7"}},
      {1, "PRINCIPAL", {"Gmail@2"}},
      {2, "caja", {"Mailbox@3"}},
      {4, "perro", {"Mailbox@3"}},
      {5, "mail.EXAMPLE", {"Gmail@2"}},
      {6, "imap", {"Mailbox@3"}},
      {0, "", {}},
      {3, "", {}},
      {0, "zzz", {}},
      {7, "a", {}},  // a drop-down item beyond the seven fields finds nothing
      {-1, "a", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Found(c.field, c.query), c.found) << c.field << c.query;
}

TEST_F(SearchTreeFixture, FoldsOnlyTheLettersAToZ) {
  EXPECT_EQ(Found(3, "\xE1"), Names{});             // "á" does not find "Ángel"
  EXPECT_EQ(Found(3, "\xC1"), Names{"Mailbox@3"});  // "Á" does
  EXPECT_EQ(Found(0, "\361AND"), Names{});          // "ñ" does not find "Ñandú"
  EXPECT_EQ(Found(0, "\321AND\xFA"), Names{"\321and\xFA@7"});
  EXPECT_EQ(Found(0, "AND\xDA"), Names{});  // "Ú" does not find "ú"
}

TEST(FoldAsciiLower, ChangesOnlyCapitalsAToZ) {
  EXPECT_EQ(FoldAsciiLower("AZaz09@[`\xC1\xD1\xC9"), "azaz09@[`\xC1\xD1\xC9");
  EXPECT_FALSE(FieldContains("", "a"));
  EXPECT_FALSE(FieldContains("a", ""));
  EXPECT_TRUE(FieldContains("Hola", "OLA"));
}

}  // namespace
}  // namespace bv
