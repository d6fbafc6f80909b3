// Editing inside a real session: a profile built through the dialogs is saved and read back
// exactly as typed, a generated password is the one saved and copied, an edited account makes
// closing the profile ask to save, and ending the program with a profile open clears the
// clipboard only as DCBSalir says.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "DialogAnswerer.h"
#include "EditingFixture.h"
#include "QtPrinting.h"
#include "browser/NodePictureBox.h"
#include "config/QtText.h"
#include "support/gui/SessionHarness.h"

namespace bv {
namespace {

using test::DialogAnswerer;
using test::Inside;
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

// Opens the generator with open (a click or a key in an account dialog) and answers it at
// its default length, which the account's box takes whole: what it showed, kept as bytes
// (a QString would share the box's buffer). A timer of its own, since the answerer's is busy
// with the account dialog around it.
std::string GenerateFrom(const std::function<void()>& open) {
  std::string shown;
  QTimer answer;
  answer.setInterval(5);
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* generator = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!generator || generator->objectName() != "FGenPass") return;
    answer.stop();
    test::Click(*generator, "BtnGenerar");
    shown = ToCp1252(test::Box(*generator, "Resultado")->text()).value_or("");
    test::Click(*generator, "BtnOk");
  });
  answer.start();
  open();
  return shown;
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
  TreeNode* At(int treeIndex) { return Inside(h.window()).Tree().NodeAtTreeIndex(treeIndex); }
  // The first node of the empty profile, selected.
  void AddCategoryCorreo() {
    answer.Expect("FAddGrupo", [](QDialog& d) {
      KeysInto(d, "Ed_Grupo", "Correo");
      test::Click(d, "BtnOk");
    });
    h.Trigger("ActNGrupo");
    Inside(h.window()).SelectNode(At(0));
  }

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
  Inside(h.window()).SelectNode(At(0));
  answer.Expect("FAddSubGrupo", [](QDialog& d) {
    KeysInto(d, "Ed_Grupo", "Bancos €");
    test::Click(d, "BtnOk");
  });
  h.Trigger("ActNSubGrupo");
  Inside(h.window()).SelectNode(At(1));
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
  EXPECT_FALSE(Inside(h.window()).Session().Modified);
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

// Every way the generator's password travels: into the new-account dialog by its button and
// into the edit dialog by the key in the password box, each kept after the generator is
// gone, saved, read back from the file, and copied with F2; the copy a reader took from the
// clipboard outlives the clipboard's own.
TEST_F(SessionEditing, AGeneratedPasswordIsTheOneSavedReadBackAndCopied) {
  h.fakes.realClipboard = true;
  h.Start();
  Inside(h.window()).Flags().MostrarPass = true;  // F2 copies only a password that is shown
  OpenEmptyProfile();
  AddCategoryCorreo();

  std::vector<std::string> generated;
  const auto shownPassword = [](QDialog& d) {
    return ToCp1252(test::Box(d, "Ed_Pass")->text()).value_or("");
  };
  answer.Expect("FAddCuenta", [&](QDialog& d) {
    KeysInto(d, "Ed_NCuenta", "Banco");
    generated.push_back(GenerateFrom([&d] { d.findChild<QToolButton*>("BtnGenerador")->click(); }));
    EXPECT_EQ(shownPassword(d), generated.back());
    test::Click(d, "BtnOk");
  });
  h.Trigger("ActNCuenta");
  answer.Expect("FAddCuenta", [](QDialog& d) {
    KeysInto(d, "Ed_NCuenta", "Correo web");
    KeysInto(d, "Ed_Pass", "vieja");
    test::Click(d, "BtnOk");
  });
  h.Trigger("ActNCuenta");
  Inside(h.window()).SelectNode(At(2));
  answer.Expect("FEditarCuenta", [&](QDialog& d) {
    QLineEdit* password = test::Box(d, "Ed_Pass");
    d.activateWindow();  // a key reaches the dialog a user is typing in
    EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
    password->setFocus();
    generated.push_back(GenerateFrom([password] {
      QTest::keyClick(password, Qt::Key_G, Qt::ControlModifier | Qt::AltModifier);
    }));
    EXPECT_EQ(shownPassword(d), generated.back());
    test::Click(d, "BtnOk");
  });
  h.Trigger("ActECuenta");
  ASSERT_EQ(answer.Answered(), 4);
  ASSERT_EQ(generated.size(), 2u);
  ASSERT_FALSE(generated[0].empty());
  ASSERT_FALSE(generated[1].empty()) << "the key in the password box opens the generator";
  EXPECT_NE(generated[0], generated[1]);

  h.Trigger("ActGuardar");
  h.Trigger("ActCerrar");
  Reopen();
  EXPECT_EQ(h.Shape(), "Correo(Banco Correo web)");
  EXPECT_EQ(At(1)->data.Password, generated[0]);
  EXPECT_EQ(At(2)->data.Password, generated[1]);

  Inside(h.window()).SelectNode(At(1));
  h.Trigger("ActCopPass");
  const QString pasted = QApplication::clipboard()->text();
  EXPECT_EQ(ToCp1252(pasted), generated[0]);
  h.Trigger("ActBorrarCB");
  const QMimeData* left = QApplication::clipboard()->mimeData();
  EXPECT_TRUE(!left || !left->hasText());
  EXPECT_EQ(ToCp1252(pasted), generated[0]) << "the pasted text outlives the clipboard's copy";
}

TEST_F(SessionEditing, AnEditedAccountMakesClosingAskToSave) {
  h.Start();
  OpenEmptyProfile();
  AddCategoryCorreo();
  answer.Expect("FAddCuenta", [](QDialog& d) {
    KeysInto(d, "Ed_NCuenta", "Casa");
    test::Click(d, "BtnOk");
  });
  h.Trigger("ActNCuenta");
  h.Trigger("ActGuardar");
  ASSERT_FALSE(h.Act("ActGuardar")->isEnabled());

  Inside(h.window()).SelectNode(At(1));
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
