// Records whose shown fields repeat a secret of the profile: found in any shown field, as a
// whole or cut to whole blocks, whichever version held the secret; left out with what they
// hold, and named without showing the secret.
#include <gtest/gtest.h>

#include "profile/SplicedRecords.h"
#include "support/ProfileFixtures.h"

namespace bv {
namespace {

using test::NamedNode;

TEST(SplicedRecords, AreFoundInEveryShownFieldAndLeftOutWithWhatTheyHold) {
  ProfileTree own;
  TreeNode* ownMail = own.Append(nullptr, NamedNode(NodeKind::Category, "Correo"));
  TNodeData bank = NamedNode(NodeKind::Account, "Banco");
  bank.Password = "S3creta-del-banco";
  bank.Answer = "Rex";
  own.Append(ownMail, bank);

  ProfileTree incoming;
  TreeNode* mail = incoming.Append(nullptr, NamedNode(NodeKind::Category, "Correo"));
  TNodeData copy = NamedNode(NodeKind::Account, "Copia");
  copy.Password = "otra-clave";
  incoming.Append(mail, copy);  // 0: a secret where it belongs
  TNodeData url = NamedNode(NodeKind::Account, "Web");
  url.Url = "S3creta-del-banco";  // 1: another record's password as an address
  incoming.Append(mail, url);
  TNodeData answer = NamedNode(NodeKind::Account, "Pregunta");
  answer.Notes = "Rex";  // 2: an answer in the notes
  incoming.Append(mail, answer);
  TNodeData cut = NamedNode(NodeKind::Account, "Corte");
  cut.Mail = "S3creta";  // 3: shorter than a block: no enciphered copy gives it
  incoming.Append(mail, cut);
  TNodeData block = NamedNode(NodeKind::Account, "Bloque");
  block.UserName = "otra-cla";  // 4: the first block of this version's own password
  incoming.Append(mail, block);
  TreeNode* named = incoming.Append(nullptr, NamedNode(NodeKind::Category, "S3creta-del-banco"));
  TNodeData inside = NamedNode(NodeKind::Account, "Dentro");
  inside.Description = "Rex";  // goes with the category that holds it, not named on its own
  incoming.Append(named, inside);
  incoming.Append(nullptr, NamedNode(NodeKind::Category, "Juegos"));

  const std::vector<SplicedRecord> found = RemoveSplicedRecords(incoming, own);
  std::vector<std::string> seen;
  for (const SplicedRecord& record : found)
    seen.push_back(record.parentPath + "#" + std::to_string(record.row) + ":" +
                   kTextFields[record.field].name);
  EXPECT_EQ(seen, (std::vector<std::string>{"Correo#1:Url", "Correo#2:Notes", "Correo#4:UserName",
                                            "#1:Name"}));
  std::vector<std::string> left;
  incoming.ForEachPreOrder([&](const TreeNode& node, int) { left.push_back(node.data.Name); });
  EXPECT_EQ(left, (std::vector<std::string>{"Correo", "Copia", "Corte", "Juegos"}));
  EXPECT_TRUE(FindSplicedRecords(incoming, own).empty());
}

}  // namespace
}  // namespace bv
