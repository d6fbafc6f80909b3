#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "support/TestLanguage.h"
#include "tools/TFBusqueda.h"

namespace bv {
namespace {

TNodeData Node(NodeKind kind, const char* name, int picture) {
  TNodeData data = TNodeData::Create(kind, picture);
  data.Name = name;
  return data;
}

// Correo(Personal(Gmail, Mailbox) Trabajo) Juegos(Ajedrez) Ángeles
class Busqueda : public ::testing::Test {
 protected:
  Busqueda() {
    auto* correo = tree.Append(nullptr, Node(NodeKind::Category, "Correo", 1));
    auto* personal = tree.Append(correo, Node(NodeKind::Group, "Personal", 2));
    TNodeData gmail = Node(NodeKind::Account, "Gmail", 3);
    gmail.UserName = "mymailbox";
    tree.Append(personal, gmail);
    tree.Append(personal, Node(NodeKind::Account, "Mailbox", 4));
    tree.Append(correo, Node(NodeKind::Group, "Trabajo", 5));
    auto* juegos = tree.Append(nullptr, Node(NodeKind::Category, "Juegos", 6));
    tree.Append(juegos, Node(NodeKind::Account, "Ajedrez", 99));  // a damaged picture number
    tree.Append(nullptr, Node(NodeKind::Category, "\xC1ngeles", 7));

    dialog = std::make_unique<TFBusqueda>(tree);
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    query = dialog->findChild<QLineEdit*>("Busca");
    field = dialog->findChild<QComboBox*>("BuscarEn");
    list = dialog->findChild<QTreeWidget*>("Lista");
  }

  void Search(int fieldIndex, const QString& text) {
    field->setCurrentIndex(fieldIndex);
    query->clear();
    QTest::keyClicks(query, text);
    QTest::keyClick(query, Qt::Key_Return);
  }

  // "title|kind|idx" per row.
  QStringList Rows() const {
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* row = list->topLevelItem(i);
      rows << row->text(0) + "|" + row->text(1) + "|" + row->text(2);
    }
    return rows;
  }

  test::TestLanguage language{{},
                              {{8, "Cuenta"},
                               {11, "Grupo"},
                               {23, "Buscar"},
                               {537, "Nombre"},
                               {538, "Clase"},
                               {539, "Num"}}};
  ProfileTree tree;
  std::unique_ptr<TFBusqueda> dialog;
  QLineEdit* query;
  QComboBox* field;
  QTreeWidget* list;
};

TEST_F(Busqueda, OpensEmptyOnTheFirstField) {
  EXPECT_EQ(dialog->objectName(), "FBusqueda");
  EXPECT_EQ(dialog->windowTitle(), "Buscar");
  const QStringList fields{
      "Título", "Descripción", "Notas adicionales", "Nombre de usuario", "Pregunta secreta",
      "URL",    "Tipo"};
  ASSERT_EQ(field->count(), fields.size());
  for (int i = 0; i < fields.size(); ++i) EXPECT_EQ(field->itemText(i), fields[i]);
  EXPECT_EQ(field->currentIndex(), 0);
  EXPECT_EQ(list->topLevelItemCount(), 0);
  // The headings are the language's, not built in.
  EXPECT_EQ(list->headerItem()->text(0), "Nombre");
  EXPECT_EQ(list->headerItem()->text(1), "Clase");
  EXPECT_EQ(list->headerItem()->text(2), "Num");
  EXPECT_EQ(dialog->findChild<QLabel*>("lblResultados")->text(), "Resultados:");
  EXPECT_EQ(dialog->findChild<QPushButton*>("BtnBuscar")->text(), "Buscar...");
  EXPECT_TRUE(query->hasFocus());
  EXPECT_FALSE(dialog->SearchReady());
}

TEST_F(Busqueda, ListsMatchesInTreeOrder) {
  struct Case {
    int field;
    QString query;
    QStringList rows;
  };
  const Case cases[] = {
      {3, "MAIL", {"Gmail|Cuenta|2"}},
      {0, "MAIL", {"Gmail|Cuenta|2", "Mailbox|Cuenta|3"}},
      {0,
       "a",
       {"Personal|Grupo|1", "Gmail|Cuenta|2", "Mailbox|Cuenta|3", "Trabajo|Grupo|4",
        "Ajedrez|Cuenta|6"}},
      {0, "", {}},
      {0, "zzz", {}},
  };
  for (const Case& c : cases) {
    Search(c.field, c.query);
    EXPECT_EQ(Rows(), c.rows) << c.field << " " << c.query.toStdString();
    EXPECT_TRUE(dialog->SearchReady());
    EXPECT_TRUE(list->hasFocus()) << "Buscar moves on to the results";
  }
}

TEST_F(Busqueda, AccentedLettersMatchOnlyThemselves) {
  auto typeChar = [this](const QString& c) {
    QTest::sendKeyEvent(QTest::Click, query, Qt::Key_unknown, c, {});
  };
  query->clear();
  typeChar("á");
  QTest::keyClick(query, Qt::Key_Return);
  EXPECT_EQ(Rows(), QStringList{});
  query->clear();
  typeChar("Á");
  QTest::keyClick(query, Qt::Key_Return);
  EXPECT_EQ(Rows(), QStringList{"Ángeles|Grupo|7"});
}

TEST_F(Busqueda, RowsShowTheNodePicture) {
  Search(0, "e");  // Correo, Personal, Juegos, Ajedrez, Ángeles
  ASSERT_EQ(list->topLevelItemCount(), 5);
  EXPECT_FALSE(list->topLevelItem(0)->icon(0).pixmap(16).isNull());
  EXPECT_EQ(list->topLevelItem(3)->text(0), "Ajedrez");
  EXPECT_TRUE(list->topLevelItem(3)->icon(0).isNull()) << "picture 99 does not exist";
}

TEST_F(Busqueda, ChoosingARowSelectsItsNodeAndKeepsTheDialogOpen) {
  QSignalSpy chosen(dialog.get(), &TFBusqueda::nodeChosen);
  Search(0, "a");
  ASSERT_GE(list->topLevelItemCount(), 3);
  QTreeWidgetItem* third = list->topLevelItem(2);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(third).center());
  ASSERT_EQ(chosen.size(), 1);
  auto* node = chosen.front().front().value<TreeNode*>();
  EXPECT_EQ(node, tree.NodeAtTreeIndex(3));
  EXPECT_EQ(node->data.Name, "Mailbox");
  EXPECT_TRUE(dialog->isVisible());

  Search(0, "a");  // refilling the list passes nothing on
  EXPECT_EQ(chosen.size(), 1);
}

TEST_F(Busqueda, AClickInTheQuerySelectsAllOfIt) {
  QTest::keyClicks(query, "correo");
  QTest::mouseClick(query, Qt::LeftButton, {}, QPoint(5, query->height() / 2));
  QCoreApplication::processEvents();
  EXPECT_EQ(query->selectedText(), "correo");
}

TEST_F(Busqueda, EscapeCloses) {
  QTest::keyClick(query, Qt::Key_Escape);
  EXPECT_FALSE(dialog->isVisible());
}

TEST(BusquedaLanguage, FieldListComesFromTheLanguageFile) {
  test::TestLanguage english(
      {{"FBusqueda",
        {{"BuscarEn", "Title÷Description÷Notes÷User name÷Question÷URL÷Type÷"},
         {"lblPalabra", "Find this word:"}}}});
  ProfileTree tree;
  TFBusqueda dialog(tree);
  dialog.show();
  auto* field = dialog.findChild<QComboBox*>("BuscarEn");
  ASSERT_EQ(field->count(), 7);
  EXPECT_EQ(field->itemText(3), "User name");
  EXPECT_EQ(field->currentIndex(), 0) << "showing selects the first field again";
  EXPECT_EQ(dialog.findChild<QLabel*>("lblPalabra")->text(), "Find this word:");
}

}  // namespace
}  // namespace bv
