// The editing commands against the tree: where new nodes go, what is selected, expanded
// and redrawn afterwards, what is asked before deleting, and what a refusal leaves.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPlainTextEdit>

#include "EditingFixture.h"
#include "browser/NodePictureBox.h"

namespace bv {
namespace {

using test::Box;
using test::Click;
using test::TypeInto;

class EditingCommands : public test::EditingTest {
 protected:
  bool Expanded(const std::string& name) {
    return host.view.isExpanded(host.model.IndexOf(Node(name)));
  }
};

TEST_F(EditingCommands, ACategoryNeedsFourCharactersAndGoesToTheEndOfTheTopLevel) {
  Select("A1");
  bool stayedOpen = false;
  Answer([&](QDialog& d) {
    TypeInto(d, "Ed_Grupo", "Web");
    Click(d, "BtnOk");
    stayedOpen = d.isVisible();
    EXPECT_EQ(Box(d, "Ed_Grupo")->selectedText(), "Web");  // ready to be typed over
    TypeInto(d, "Ed_Grupo", "Webs");
    Click(d, "BtnOk");
  });
  controller.ActNGrupoExecute();
  EXPECT_EQ(dialogName, "FAddGrupo");
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(host.errors, QStringList{"corta categoria"});
  EXPECT_EQ(Shape(), "C1(G1(A1 A2) G2) C2 Webs");
  const TNodeData& made = Node("Webs")->data;
  EXPECT_EQ(made.Kind(), NodeKind::Category);
  EXPECT_EQ(made.ImageIndex, 24);  // "General 2" is chosen on show
  // Not selected; the page on view stays.
  EXPECT_EQ(host.SelectedName(), "A1");
  EXPECT_TRUE(host.pages.isEmpty());
  EXPECT_EQ(host.modified, 1);
}

TEST_F(EditingCommands, ANewGroupIsTheLastChildAndItsParentOpens) {
  host.view.collapseAll();
  Select("C1");
  ASSERT_FALSE(Expanded("C1"));
  Answer([](QDialog& d) {
    TypeInto(d, "Ed_Grupo", "Foros");
    d.findChild<QPlainTextEdit*>("Descrip")->setPlainText("de debate");
    d.findChild<NodePictureBox*>("Combo")->SetPicture(13);
    Click(d, "BtnOk");
  });
  controller.ActNSubGrupoExecute();
  EXPECT_EQ(dialogName, "FAddSubGrupo");
  EXPECT_EQ(dialogTitle, "m27");
  EXPECT_EQ(Shape(), "C1(G1(A1 A2) G2 Foros) C2");
  EXPECT_TRUE(Expanded("C1"));
  EXPECT_FALSE(Expanded("G1"));  // one level only
  const TNodeData& made = Node("Foros")->data;
  EXPECT_EQ(made.Kind(), NodeKind::Group);
  EXPECT_EQ(made.Description, "de debate");
  EXPECT_EQ(made.ImageIndex, 13);
  EXPECT_EQ(host.SelectedName(), "C1");
  EXPECT_EQ(host.modified, 1);
}

TEST_F(EditingCommands, AShortGroupNameIsRefusedWithItsOwnMessage) {
  Select("G1");
  Answer([](QDialog& d) {
    TypeInto(d, "Ed_Grupo", "abc");
    Click(d, "BtnOk");
    Click(d, "BtnCancelar");
  });
  controller.ActNSubGrupoExecute();
  EXPECT_EQ(host.errors, QStringList{"m45"});
  EXPECT_EQ(Shape(), "C1(G1(A1 A2) G2) C2");
  EXPECT_EQ(host.modified, 0);
}

TEST_F(EditingCommands, ANewAccountFollowsTheChildrenAndItsGroupStaysSelected) {
  host.view.collapseAll();
  Select("G1");
  Answer([](QDialog& d) {
    TypeInto(d, "Ed_NCuenta", "Correo");
    TypeInto(d, "Ed_Usuario", "ana");
    TypeInto(d, "Ed_Pass", "clave");
    auto* type = d.findChild<QComboBox*>("Ed_Tipo");
    QTest::keyClicks(type->lineEdit(), "Banca online");
    Click(d, "BtnOk");
  });
  controller.ActNCuentaExecute();
  EXPECT_EQ(dialogName, "FAddCuenta");
  EXPECT_EQ(dialogTitle, "Agregar cuenta a G1");
  EXPECT_EQ(Shape(), "C1(G1(A1 A2 Correo) G2) C2");
  EXPECT_EQ(host.SelectedName(), "G1");
  EXPECT_TRUE(host.pages.isEmpty()) << "the group page stays on view";
  EXPECT_TRUE(Expanded("G1"));
  const TNodeData& made = Node("Correo")->data;
  EXPECT_EQ(made.Kind(), NodeKind::Account);
  EXPECT_EQ(made.UserName, "ana");
  EXPECT_EQ(made.Password, "clave");
  EXPECT_EQ(made.AccountType, "Banca online");  // not one of the nine: stored as typed
  EXPECT_EQ(made.ImageIndex, 17);
  EXPECT_EQ(host.modified, 1);
}

TEST_F(EditingCommands, AnAccountGoesIntoACategoryToo) {
  Select("C2");
  Answer([](QDialog& d) {
    TypeInto(d, "Ed_NCuenta", "abc");
    Click(d, "BtnOk");  // message 42
    d.findChild<NodePictureBox*>("Ed_Imagen")->SetPicture(-1);
    TypeInto(d, "Ed_NCuenta", "abcd");  // types over the selected name
    Click(d, "BtnOk");                  // message 43
    EXPECT_EQ(d.focusWidget(), d.findChild<QWidget*>("Ed_Imagen"));
    d.findChild<NodePictureBox*>("Ed_Imagen")->SetPicture(0);
    Click(d, "BtnOk");
  });
  controller.ActNCuentaExecute();
  EXPECT_EQ(host.errors, (QStringList{"m42", "m43"}));
  EXPECT_EQ(Shape(), "C1(G1(A1 A2) G2) C2(abcd)");
}

TEST_F(EditingCommands, EditingAnAccountShowsItInClearAndRedrawsItsPage) {
  TreeNode* a1 = Node("A1");
  a1->data.Password = "oculta";
  a1->data.Answer = "respuesta";
  a1->data.Description = "una\r\ndos";
  Select("A1");
  Answer([](QDialog& d) {
    EXPECT_EQ(Box(d, "Ed_Pass")->text(), "oculta");
    EXPECT_EQ(Box(d, "Ed_Pass")->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(Box(d, "Ed_Respuesta")->text(), "respuesta");
    EXPECT_EQ(d.findChild<QPlainTextEdit*>("Ed_Desc")->toPlainText(), "una\ndos");
    Box(d, "Ed_NCuenta")->setText("Banco");
    Box(d, "Ed_Respuesta")->clear();
    Click(d, "BtnOk");
  });
  controller.ActECuentaExecute();
  EXPECT_EQ(dialogName, "FEditarCuenta");
  EXPECT_EQ(dialogTitle, "m17A1m18G1\"");
  EXPECT_EQ(a1->data.Name, "Banco");
  EXPECT_EQ(a1->data.Answer, "");
  EXPECT_EQ(a1->data.Password, "oculta");
  EXPECT_EQ(a1->data.Description, "una\r\ndos");
  EXPECT_EQ(host.model.data(host.model.IndexOf(a1), Qt::DisplayRole).toString(), "Banco");
  EXPECT_EQ(host.pages, QStringList{"account Banco"});
  EXPECT_EQ(host.SelectedName(), "Banco");
  EXPECT_EQ(host.modified, 1);
}

TEST_F(EditingCommands, RenamingAGroupToNothingIsAccepted) {
  Select("G2");
  Answer([](QDialog& d) {
    EXPECT_EQ(Box(d, "Ed_Grupo")->text(), "G2");
    EXPECT_EQ(d.focusWidget(), Box(d, "Ed_Grupo"));
    Box(d, "Ed_Grupo")->clear();
    d.findChild<NodePictureBox*>("Combo")->SetPicture(7);
    Click(d, "BtnOk");
  });
  controller.ActEGrupoExecute();
  EXPECT_EQ(dialogName, "FEditarGrupo");
  EXPECT_EQ(dialogTitle, "m28");
  EXPECT_TRUE(host.errors.isEmpty());
  EXPECT_EQ(Shape(), "C1(G1(A1 A2) '') C2");
  TreeNode* renamed = host.tree.ChildAt(Node("C1"), 1);
  EXPECT_EQ(renamed->data.Kind(), NodeKind::Group);
  EXPECT_EQ(renamed->data.ImageIndex, 7);
  EXPECT_EQ(host.model.data(host.model.IndexOf(renamed), Qt::DisplayRole).toString(), "");
  EXPECT_EQ(host.pages, QStringList{"group "});
  EXPECT_EQ(host.modified, 1);
}

TEST_F(EditingCommands, CancellingChangesNothing) {
  Select("G1");
  for (auto command :
       {&EditingController::ActNGrupoExecute, &EditingController::ActNSubGrupoExecute,
        &EditingController::ActEGrupoExecute, &EditingController::ActNCuentaExecute}) {
    Answer([](QDialog& d) {
      for (QLineEdit* box : d.findChildren<QLineEdit*>()) box->setText("cambiado");
      Click(d, "BtnCancelar");
    });
    (controller.*command)();
  }
  Select("A1");
  Answer([](QDialog& d) {
    Box(d, "Ed_NCuenta")->setText("cambiado");
    Click(d, "BtnCancelar");
  });
  controller.ActECuentaExecute();
  EXPECT_EQ(Shape(), "C1(G1(A1 A2) G2) C2");
  EXPECT_EQ(host.modified, 0);
}

TEST_F(EditingCommands, DeletingAnEmptyGroupAsksNothingAndSelectsItsParent) {
  Select("G2");
  controller.ActBGrupoExecute();
  EXPECT_TRUE(host.questions.isEmpty());
  EXPECT_EQ(Shape(), "C1(G1(A1 A2)) C2");
  EXPECT_EQ(host.SelectedName(), "C1");
  ASSERT_FALSE(host.pages.isEmpty());
  EXPECT_EQ(host.pages.back(), "group C1");
  EXPECT_EQ(host.modified, 1);
}

TEST_F(EditingCommands, DeletingAGroupWithChildrenAsksFirst) {
  Select("G1");
  host.answers = {false, true};
  controller.ActBGrupoExecute();
  EXPECT_EQ(host.questions, QStringList{"m12 m13 m14\nm15"});
  EXPECT_EQ(Shape(), "C1(G1(A1 A2) G2) C2");
  EXPECT_EQ(host.modified, 0);

  controller.ActBGrupoExecute();
  EXPECT_EQ(Shape(), "C1(G2) C2");
  EXPECT_EQ(host.SelectedName(), "C1");
  EXPECT_EQ(host.pages.back(), "group C1");
  EXPECT_EQ(host.modified, 1);
}

TEST_F(EditingCommands, DeletingACategoryWithChildrenAsksAndTheTreeChoosesTheNext) {
  Select("C1");
  host.answers = {true};
  controller.ActBGrupoExecute();
  EXPECT_EQ(host.questions.size(), 1);
  EXPECT_EQ(Shape(), "C2");
  EXPECT_EQ(host.SelectedName(), "C2");
  EXPECT_EQ(host.pages, QStringList{"group C2"});
}

TEST_F(EditingCommands, DeletingAnAccountAsksAndTheNextNodeIsShown) {
  Select("A1");
  controller.ActBCuentaExecute();  // No
  EXPECT_EQ(host.questions, QStringList{"m34\nm35"});
  EXPECT_EQ(Shape(), "C1(G1(A1 A2) G2) C2");

  host.answers = {true, true};
  controller.ActBCuentaExecute();
  EXPECT_EQ(Shape(), "C1(G1(A2) G2) C2");
  EXPECT_EQ(host.SelectedName(), "A2");
  EXPECT_EQ(host.pages, QStringList{"account A2"});
  // The last child: the tree goes back to its parent.
  host.pages.clear();
  controller.ActBCuentaExecute();
  EXPECT_EQ(host.SelectedName(), "G1");
  EXPECT_EQ(host.pages, QStringList{"group G1"});
  EXPECT_EQ(host.modified, 2);
  EXPECT_EQ(host.nothingSelected, 0);
}

TEST_F(EditingCommands, AfterTheLastNodeTheEmptyProfilePageShows) {
  host.answers = {true, true};
  Select("C1");
  controller.ActBGrupoExecute();
  Select("C2");
  controller.ActBGrupoExecute();
  EXPECT_TRUE(host.tree.Empty());
  EXPECT_EQ(host.pages, QStringList{"empty"});
  EXPECT_EQ(host.nothingSelected, 1);
  EXPECT_EQ(host.modified, 2);
}

TEST_F(EditingCommands, ThePopUpCommandsFollowTheKindOfTheSelection) {
  Select("A2");
  controller.ActPopEliminarExecute();
  EXPECT_EQ(host.questions, QStringList{"m34\nm35"});
  Select("G1");
  controller.ActPopEliminarExecute();
  EXPECT_EQ(host.questions.back(), "m12 m13 m14\nm15");

  Select("A2");
  Answer([](QDialog& d) { Click(d, "BtnCancelar"); });
  controller.ActPopEditarExecute();
  EXPECT_EQ(dialogName, "FEditarCuenta");
  Select("C2");
  Answer([](QDialog& d) { Click(d, "BtnCancelar"); });
  controller.ActPopEditarExecute();
  EXPECT_EQ(dialogName, "FEditarGrupo");
}

TEST_F(EditingCommands, CommandsNeedTheRightKindOfSelection) {
  // Nothing selected, or an account where a group is needed: no dialog, no question.
  host.view.clearSelection();
  int opened = 0;
  controller.SetDialogRunner([&](QDialog&) { return ++opened, int(QDialog::Rejected); });
  controller.ActNSubGrupoExecute();
  controller.ActEGrupoExecute();
  controller.ActECuentaExecute();
  controller.ActPopEditarExecute();
  controller.ActPopEliminarExecute();
  Select("A1");
  controller.ActNSubGrupoExecute();
  controller.ActNCuentaExecute();
  controller.ActBGrupoExecute();
  Select("G1");
  controller.ActBCuentaExecute();
  controller.ActECuentaExecute();
  EXPECT_EQ(opened, 0);
  EXPECT_TRUE(host.questions.isEmpty());
  EXPECT_EQ(Shape(), "C1(G1(A1 A2) G2) C2");
}

}  // namespace
}  // namespace bv
