// Editing inside a real session: a profile built through the dialogs is saved and read back
// exactly as typed, an edited account makes closing the profile ask to save, and ending the
// program with a profile open clears the clipboard only as DCBSalir says.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPlainTextEdit>
#include <QTest>

#include "DialogAnswerer.h"
#include "EditingFixture.h"
#include "QtPrinting.h"
#include "browser/NodePictureBox.h"
#include "config/QtText.h"
#include "support/gui/SessionHarness.h"

namespace bv {
namespace {

using test::DialogAnswerer;
using test::PathText;
using test::SessionHarness;

// Types text as a keyboard does, any character (QTest::keyClicks takes ASCII only).
void Keys(QWidget* box, const QString& text) {
  for (const QChar c : text) {
    if (c == QLatin1Char('\n'))
      QTest::keyClick(box, Qt::Key_Return);
    else
      QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), {});
  }
}
void KeysInto(QDialog& d, const char* name, const QString& text) {
  Keys(d.findChild<QWidget*>(QString::fromLatin1(name)), text);
}
void Pick(QDialog& d, const char* chooser, int picture) {
  d.findChild<NodePictureBox*>(QString::fromLatin1(chooser))->SetPicture(picture);
}

struct SessionEditing : ::testing::Test {
  void OpenEmptyProfile() {
    test::ProfileSetup empty;
    empty.sample = false;
    path = h.MakeProfile("casa.bv3", empty);
    h.session().OpenDropped(PathText(path));
    ASSERT_TRUE(h.ProfileOpen());
  }
  void Reopen() {
    h.session().OpenDropped(PathText(path));
    ASSERT_TRUE(h.ProfileOpen());
  }
  TreeNode* At(int treeIndex) { return h.window().Tree().NodeAtTreeIndex(treeIndex); }

  SessionHarness h;
  DialogAnswerer answer;
  std::filesystem::path path;
};

TEST_F(SessionEditing, AProfileBuiltThroughTheDialogsReadsBackAsTyped) {
  h.Start();
  OpenEmptyProfile();

  answer.Expect("FAddGrupo", [](QDialog& d) {
    KeysInto(d, "Ed_Grupo", "Cuentas de casa");
    KeysInto(d, "Descrip", "Lo de todos\ny lo mío");
    Pick(d, "Combo", 6);
    test::Click(d, "BtnOk");
  });
  h.Trigger("ActNGrupo");
  h.window().SelectNode(At(0));
  answer.Expect("FAddSubGrupo", [](QDialog& d) {
    KeysInto(d, "Ed_Grupo", "Bancos €");
    test::Click(d, "BtnOk");
  });
  h.Trigger("ActNSubGrupo");
  h.window().SelectNode(At(1));
  answer.Expect("FAddCuenta", [](QDialog& d) {
    KeysInto(d, "Ed_NCuenta", "Banco Ñandú");
    KeysInto(d, "Ed_Usuario", "ana.maría");
    KeysInto(d, "Ed_Pass", "p@ss€ word");
    KeysInto(d, "Ed_URL", "https://ñandú.example");
    KeysInto(d, "Ed_Pregunta", "¿Mascota?");
    KeysInto(d, "Ed_Respuesta", "Tobías");
    KeysInto(d, "Ed_Mail", "ana@example.org");
    KeysInto(d, "Ed_Desc", "línea uno\nlínea dos");
    KeysInto(d, "Ed_Notas", "—nota—");
    Keys(d.findChild<QComboBox*>("Ed_Tipo")->lineEdit(), "Banca en línea");
    Pick(d, "Ed_Imagen", 20);
    test::Click(d, "BtnOk");
  });
  h.Trigger("ActNCuenta");
  answer.Expect("FAddCuenta", [](QDialog& d) {
    KeysInto(d, "Ed_NCuenta", "Caja");
    d.findChild<QComboBox*>("Ed_Tipo")->setCurrentIndex(1);
    test::Click(d, "BtnOk");
  });
  h.Trigger("ActNCuenta");
  ASSERT_EQ(answer.Answered(), 4);

  h.Trigger("ActGuardar");
  EXPECT_FALSE(h.window().Session().Modified);
  h.Trigger("ActCerrar");
  EXPECT_TRUE(h.Boxes().isEmpty());
  Reopen();

  EXPECT_EQ(h.Shape(), "Cuentas de casa(Bancos \x80(Banco \321and\xFA Caja))");
  const TNodeData& category = At(0)->data;
  EXPECT_EQ(category.Kind(), NodeKind::Category);
  EXPECT_EQ(category.Description, "Lo de todos\r\ny lo m\xEDo");
  EXPECT_EQ(category.ImageIndex, 6);
  EXPECT_EQ(At(1)->data.Kind(), NodeKind::Group);
  EXPECT_EQ(At(1)->data.ImageIndex, 24);
  TNodeData expected = TNodeData::Create(NodeKind::Account, 20);
  expected.Name = "Banco \321and\xFA";
  expected.UserName = "ana.mar\355a";
  expected.Password = "p@ss\x80 word";
  expected.Url = "https://\361and\xFA.example";
  expected.Question = "\xBFMascota?";
  expected.Answer = "Tob\355as";
  expected.Mail = "ana@example.org";
  expected.Description = "l\xEDnea uno\r\nl\xEDnea dos";
  expected.Notes = "\x97nota\x97";
  expected.AccountType = "Banca en l\xEDnea";
  EXPECT_EQ(At(2)->data, expected);
  EXPECT_EQ(At(3)->data.AccountType, "Usuario de sitio web");
  EXPECT_EQ(At(3)->data.ImageIndex, 17);
}

TEST_F(SessionEditing, AnEditedAccountMakesClosingAskToSave) {
  h.Start();
  OpenEmptyProfile();
  answer.Expect("FAddGrupo", [](QDialog& d) {
    KeysInto(d, "Ed_Grupo", "Correo");
    test::Click(d, "BtnOk");
  });
  h.Trigger("ActNGrupo");
  h.window().SelectNode(At(0));
  answer.Expect("FAddCuenta", [](QDialog& d) {
    KeysInto(d, "Ed_NCuenta", "Casa");
    test::Click(d, "BtnOk");
  });
  h.Trigger("ActNCuenta");
  h.Trigger("ActGuardar");
  ASSERT_FALSE(h.Act("ActGuardar")->isEnabled());

  h.window().SelectNode(At(1));
  answer.Expect("FEditarCuenta", [](QDialog& d) {
    KeysInto(d, "Ed_Usuario", "ana");
    test::Click(d, "BtnOk");
  });
  h.Trigger("ActECuenta");
  EXPECT_TRUE(h.Act("ActGuardar")->isEnabled());
  h.fakes.boxes->answers = {true};
  h.Trigger("ActCerrar");
  EXPECT_EQ(h.Boxes(), QStringList{Msg(19)});
  Reopen();
  EXPECT_EQ(At(1)->data.UserName, "ana");
}

TEST_F(SessionEditing, EndingTheProgramClearsTheClipboardOnlyAsDCBSalirSays) {
  for (const bool dcbSalir : {true, false}) {
    SessionHarness s;
    s.folder.WriteSettings(dcbSalir ? "[Configuracion]\r\nDCBSalir=1\r\nDCBCerrar=1\r\n"
                                    : "[Configuracion]\r\nDCBSalir=0\r\nDCBCerrar=1\r\n");
    s.Start();
    s.session().OpenDropped(PathText(s.MakeProfile("a.bv3")));
    ASSERT_TRUE(s.ProfileOpen());
    s.fakes.clipboard->SetText("clave copiada");
    EXPECT_TRUE(s.window().close());
    // Ending with a profile open runs only the exit clearing, never the closing one.
    EXPECT_EQ(s.fakes.clipboard->clears, dcbSalir ? 1 : 0);
    EXPECT_EQ(s.fakes.clipboard->text, dcbSalir ? "" : "clave copiada");
  }
}

}  // namespace
}  // namespace bv
