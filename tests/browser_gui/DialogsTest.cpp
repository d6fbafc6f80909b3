// The five editing dialogs as the user sees them: names, captions, labels, limits, tab
// order, the picture chooser and the account type box, translation and the generator.

#include <gtest/gtest.h>

#include "QtPrinting.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

#include "browser/MemoEdit.h"
#include "browser/NodePictureBox.h"
#include "browser/TFAddCuenta.h"
#include "browser/TFAddGrupo.h"
#include "browser/TFAddSubGrupo.h"
#include "browser/TFCodigoDosPasos.h"
#include "browser/TFEditarCuenta.h"
#include "browser/TFEditarGrupo.h"
#include "DialogAnswerer.h"
#include "support/gui/WindowCoverage.h"
#include "tools/OneTimeCode.h"
#include "support/TestLanguage.h"

namespace bv {
namespace {

template <class T>
T* Get(QWidget& dialog, const char* name) {
  T* control = dialog.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(control, nullptr) << name;
  return control;
}

QString LabelText(QWidget& dialog, const char* name) { return Get<QLabel>(dialog, name)->text(); }

// The focus chain from the first box, as Tab walks it.
QStringList TabChain(QWidget& dialog, const char* first, int steps) {
  QStringList chain;
  QWidget* w = Get<QWidget>(dialog, first);
  for (int i = 0; i < steps && w; ++i) {
    chain << w->objectName();
    do w = w->nextInFocusChain();
    while (w && (w->objectName().isEmpty() || !(w->focusPolicy() & Qt::TabFocus)));
  }
  return chain;
}

std::unique_ptr<GroupDialog> MakeGroupDialog(int which) {
  switch (which) {
    case 0: return std::make_unique<TFAddGrupo>();
    case 1: return std::make_unique<TFAddSubGrupo>();
    default: return std::make_unique<TFEditarGrupo>();
  }
}

TEST(GroupDialogs, NamesCaptionsLabelsAndLimits) {
  test::TestLanguage language;  // every message N reads "mN", no window texts
  const struct {
    const char* window;
    const char* caption;
    const char* nameLabel;
  } expected[] = {
      {"FAddGrupo", "m31", "Nombre de la categoría a agregar:"},
      {"FAddSubGrupo", "m27", "Nombre del grupo a agregar:"},
      {"FEditarGrupo", "m28", "Nombre del grupo a editar:"},
  };
  for (int i = 0; i < 3; ++i) {
    auto dialog = MakeGroupDialog(i);
    SCOPED_TRACE(expected[i].window);
    EXPECT_EQ(dialog->objectName(), expected[i].window);
    EXPECT_EQ(dialog->windowTitle(), expected[i].caption);
    EXPECT_EQ(LabelText(*dialog, "lblGrupo"), expected[i].nameLabel);
    EXPECT_EQ(LabelText(*dialog, "lblDescrip"), "Descripción:");
    EXPECT_EQ(LabelText(*dialog, "lblImagen"), "Imagen:");
    EXPECT_EQ(Get<QPushButton>(*dialog, "BtnOk")->text(), "Aceptar");
    EXPECT_TRUE(Get<QPushButton>(*dialog, "BtnOk")->isDefault());
    EXPECT_EQ(Get<QPushButton>(*dialog, "BtnCancelar")->text(), "Cancelar");
    EXPECT_EQ(Get<QLineEdit>(*dialog, "Ed_Grupo")->maxLength(), 30);
    EXPECT_EQ(Get<MemoEdit>(*dialog, "Descrip")->Limit(), 170);
    EXPECT_EQ(TabChain(*dialog, "Ed_Grupo", 5),
              (QStringList{"Ed_Grupo", "Descrip", "Combo", "BtnOk", "BtnCancelar"}));
    test::ExpectCoveredByLanguageFiles(dialog.get());
  }
}

TEST(GroupDialogs, NewOnesStartEmptyWithGeneral2) {
  test::TestLanguage language;
  for (int i = 0; i < 2; ++i) {
    auto dialog = MakeGroupDialog(i);
    dialog->SetValues({"antes", "algo", 3});
    dialog->show();
    EXPECT_EQ(dialog->Values(), (GroupValues{"", "", 24}));
    EXPECT_EQ(dialog->focusWidget(), Get<QWidget>(*dialog, "Ed_Grupo"));
  }
  // The edit dialog keeps what it was filled with.
  auto edit = MakeGroupDialog(2);
  edit->SetValues({"Trabajo", "l1\r\nl2", 3});
  edit->show();
  EXPECT_EQ(edit->Values(), (GroupValues{"Trabajo", "l1\r\nl2", 3}));
}

TEST(PictureChooser, ListsTheTwentySixPicturesByNameAndIsNotTranslated) {
  test::TestLanguage language({{"FAddGrupo", {{"Combo", "uno÷dos÷"}, {"lblImagen", "Picture:"}}}});
  TFAddGrupo dialog;
  auto* combo = Get<NodePictureBox>(dialog, "Combo");
  ASSERT_EQ(combo->count(), 26);
  EXPECT_EQ(combo->itemText(0), "Correo general");
  EXPECT_EQ(combo->itemText(4), "Conexión a Internet");
  EXPECT_EQ(combo->itemText(17), "Sesión de Inicio");
  EXPECT_EQ(combo->itemText(25), "General 3");
  for (int i = 0; i < 26; ++i) EXPECT_FALSE(combo->itemIcon(i).isNull()) << i;
  EXPECT_FALSE(combo->isEditable());
  EXPECT_EQ(combo->maxVisibleItems(), 8);
  EXPECT_EQ(LabelText(dialog, "lblImagen"), "Picture:");  // the window was translated
  combo->SetPicture(26);
  EXPECT_EQ(combo->Picture(), -1);
}

TEST(AccountDialogs, ControlsLimitsAndTabOrder) {
  test::TestLanguage language;
  TFAddCuenta add;
  TFEditarCuenta edit;
  EXPECT_EQ(add.objectName(), "FAddCuenta");
  EXPECT_EQ(edit.objectName(), "FEditarCuenta");
  EXPECT_EQ(add.windowTitle(), "Agregar cuenta a");
  EXPECT_EQ(edit.windowTitle(), "Editar la cuenta \"\" en \"\"");
  for (AccountDialog* dialog :
       {static_cast<AccountDialog*>(&add), static_cast<AccountDialog*>(&edit)}) {
    SCOPED_TRACE(dialog->objectName().toStdString());
    const std::pair<const char*, int> limits[] = {
        {"Ed_NCuenta", 30},  {"Ed_Usuario", 90},   {"Ed_Pass", 90}, {"Ed_URL", 60},
        {"Ed_Pregunta", 90}, {"Ed_Respuesta", 90}, {"Ed_Mail", 90},
    };
    for (const auto& [name, limit] : limits)
      EXPECT_EQ(Get<QLineEdit>(*dialog, name)->maxLength(), limit) << name;
    EXPECT_EQ(Get<QLineEdit>(*dialog, "Ed_Pass")->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(Get<MemoEdit>(*dialog, "Ed_Desc")->Limit(), 170);
    EXPECT_EQ(Get<MemoEdit>(*dialog, "Ed_Notas")->Limit(), 170);
    auto* type = Get<QComboBox>(*dialog, "Ed_Tipo");
    EXPECT_TRUE(type->isEditable());
    EXPECT_EQ(type->lineEdit()->maxLength(), 87);
    ASSERT_EQ(type->count(), 9);
    EXPECT_EQ(type->itemText(4), "Sesión de IRC Messenger");
    EXPECT_EQ(Get<NodePictureBox>(*dialog, "Ed_Imagen")->count(), 26);
    const QStringList labels = {"Nombre de la cuenta:",
                                "Nombre de usuario:",
                                "Contraseña:",
                                "URL de acceso:",
                                "Pregunta secreta:",
                                "Respuesta secreta:",
                                "E-Mail de registro:",
                                "Descripción de la cuenta:",
                                "Notas adicionales:",
                                "Tipo de cuenta:",
                                "Imagen:"};
    const char* labelNames[] = {"lblNCuenta",  "lblUsuario",   "lblPass",  "lblURL",
                                "lblPregunta", "lblRespuesta", "lblMail",  "lblDesc",
                                "lblNotas",    "lblTipo",      "lblImagen"};
    for (int i = 0; i < labels.size(); ++i) EXPECT_EQ(LabelText(*dialog, labelNames[i]), labels[i]);
    EXPECT_EQ(TabChain(*dialog, "Ed_NCuenta", 14),
              (QStringList{"Ed_NCuenta", "Ed_Usuario", "Ed_Pass", "Ed_URL", "Ed_Pregunta",
                           "Ed_Respuesta", "Ed_Mail", "Ed_Desc", "Ed_Notas", "BtnDosPasos",
                           "Ed_Tipo", "Ed_Imagen", "BtnOk", "BtnCancelar"}));
    auto* generator = Get<QToolButton>(*dialog, "BtnGenerador");
    EXPECT_EQ(generator->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(generator->autoRaise());
    EXPECT_FALSE(generator->icon().isNull());
    EXPECT_EQ(generator->toolTip(), "m22");
    // Outside the tab order, so a screen reader learns of it, and of its key, by its name.
    EXPECT_EQ(generator->accessibleName(), "m300");
    EXPECT_EQ(generator->accessibleDescription(), "m301");
    test::ExpectCoveredByLanguageFiles(dialog);
  }
}

TEST(AccountDialogs, TranslatedLabelsAndTypesButNotThePictures) {
  test::TestLanguage language(
      {{"FAddCuenta", {{"lblPass", "Password:"}, {"Ed_Tipo", "E-mail÷Web÷"}, {"BtnOk", "OK"}}}});
  TFAddCuenta dialog;
  dialog.show();
  EXPECT_EQ(LabelText(dialog, "lblPass"), "Password:");
  EXPECT_EQ(Get<QPushButton>(dialog, "BtnOk")->text(), "OK");
  auto* type = Get<QComboBox>(dialog, "Ed_Tipo");
  ASSERT_EQ(type->count(), 2);
  EXPECT_EQ(type->itemText(1), "Web");
  EXPECT_EQ(type->currentText(), "");  // emptied on show
  EXPECT_EQ(Get<NodePictureBox>(dialog, "Ed_Imagen")->itemText(17), "Sesión de Inicio");
  EXPECT_EQ(Get<NodePictureBox>(dialog, "Ed_Imagen")->Picture(), 17);
}

TEST(AccountDialogs, TheEditDialogTakesEveryFieldAndCutsNothing) {
  test::TestLanguage language({}, {{17, "Editar la cuenta \""}, {18, "\"\" en \"\""}});
  TNodeData account = TNodeData::Create(NodeKind::Account, 9);
  account.Name = std::string(40, 'n');       // longer than can be typed
  account.Password = std::string(117, 'p');  // put there by the generator
  account.UserName = "usu\xE1rio";
  account.Url = "ftp://example.org";
  account.Question = "q";
  account.Answer = "a";
  account.Mail = "m@example.org";
  account.Description = std::string(120, 'd') + "\r\n" + std::string(60, 'e');  // 182 stored
  // 186 stored: more than can be typed, the seed line the program wrote last.
  account.Notes = std::string(170, 'n') + "\r\nTOTP: ABCDEFGH";
  account.AccountType = "Acceso a FTP";
  TFEditarCuenta dialog;
  dialog.Fill(account, "Servidores");
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(),
            "Editar la cuenta \"" + QString(40, 'n') + "\" en \"Servidores\"");
  EXPECT_EQ(dialog.Values(), AccountValuesOf(account));
  auto* notes = Get<MemoEdit>(dialog, "Ed_Notas");
  notes->moveCursor(QTextCursor::End);
  QTest::keyClicks(notes, "z");  // the box is full: typing adds nothing
  EXPECT_EQ(dialog.Values().Notes, account.Notes);
  TNodeData again = account;
  ApplyAccountValues(again, dialog.Values());
  EXPECT_EQ(again, account);
}

// The seed dialog: what it refuses and why, the code it shows, the line it writes in the
// notes or takes out of them.
TEST(AccountDialogs, TheSeedDialogWritesOnlyASeedThatFitsTheNotes) {
  test::TestLanguage language({}, {{401, "%1 / %2"}, {411, "%1>%2"}});
  const std::string full(170, 'n');
  struct Case {
    std::string notes;
    QString pasted;
    std::string result;  // the notes accepted
    QString refusal;     // or the error shown, the notes left as they were
  } cases[] = {
      {"", "jbsw y3dp ehpk 3pxp", "TOTP: JBSWY3DPEHPK3PXP", ""},  // a secret, shortest form
      {"PIN\r\nTOTP: OLD", " otpauth://totp/A:b?secret=JBSWY3DP&issuer=A ",
       "PIN\r\nTOTP: otpauth://totp/A:b?secret=JBSWY3DP&issuer=A", ""},  // an address as pasted
      {full, "ABCDEFGH", full + "\r\nTOTP: ABCDEFGH", ""},               // 186: the whole field
      {full, "ABCDEFGHIJ", "", "188>186"},
      {"", "otpauth://totp/x?secret=" + QString(170, 'A'), "", "200>186"},
      {"", "", "", "m405"},
      {"", "JBSWY3DP1", "", "m406"},
      {"", "otpauth://hotp/x?secret=JBSWY3DP", "", "m407"},
      {"", "otpauth://totp/x?secret=JBSWY3DP&algorithm=MD5", "", "m408"},
      {"", "otpauth://totp/x?secret=JBSWY3DP&digits=10", "", "m409"},
      {"", "otpauth://totp/x?secret=JBSWY3DP&period=0", "", "m410"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pasted.toStdString());
    QStringList errors;
    TFCodigoDosPasos dialog(c.notes, nullptr, [&](const QString& text) { errors << text; });
    dialog.show();
    const auto before = std::chrono::system_clock::now();
    Get<QLineEdit>(dialog, "Ed_Semilla")->setText(c.pasted);
    const QString shown = Get<QLabel>(dialog, "notraCodigo")->text();
    dialog.BtnOkClick();
    if (!c.refusal.isEmpty()) {
      EXPECT_EQ(errors, QStringList{c.refusal});
      EXPECT_TRUE(dialog.isVisible());
      EXPECT_EQ(dialog.Notes(), c.notes);
      continue;
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join(' ').toStdString();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Notes(), c.result);
    // The code of the moment and its seconds left, as the page shows them.
    const TotpSeed seed = *SeedOfNotes(c.result);
    const auto shows = [&](const OneTimeCode& code) {
      return shown.startsWith(QString::fromStdString(code.digits) + " / ");
    };
    EXPECT_TRUE(shows(CodeAt(seed, before)) || shows(CurrentCode(seed))) << shown.toStdString();
  }
}

TEST(AccountDialogs, TheSeedLineIsRemovedOnlyWhenTheUserSaysYes) {
  test::TestLanguage language;
  for (bool yes : {false, true}) {
    QStringList asked;
    TFCodigoDosPasos dialog("PIN\r\nTOTP: JBSWY3DP", nullptr, {}, [&](const QString& text) {
      asked << text;
      return yes;
    });
    dialog.show();
    EXPECT_EQ(Get<QLineEdit>(dialog, "Ed_Semilla")->text(), "JBSWY3DP");  // shown here only
    ASSERT_TRUE(Get<QPushButton>(dialog, "BtnQuitar")->isEnabled());
    dialog.BtnQuitarClick();
    EXPECT_EQ(asked, QStringList{"m412"});
    EXPECT_EQ(dialog.Notes(), yes ? "PIN" : "PIN\r\nTOTP: JBSWY3DP");
    EXPECT_EQ(dialog.isVisible(), !yes);
  }
  TFCodigoDosPasos without("PIN");
  EXPECT_FALSE(Get<QPushButton>(without, "BtnQuitar")->isEnabled());
  test::ExpectCoveredByLanguageFiles(&without);
}

// The account dialog hands its notes box to the seed dialog and takes back what it wrote,
// beyond the 170 characters that can be typed.
TEST(AccountDialogs, TheSeedButtonFillsTheNotesBox) {
  test::TestLanguage language;
  TFAddCuenta dialog;
  dialog.show();
  auto* notes = Get<MemoEdit>(dialog, "Ed_Notas");
  notes->SetStoredText(QString(170, 'n'));
  EXPECT_EQ(Get<QPushButton>(dialog, "BtnDosPasos")->text(),
            "Configurar c\u00F3digo de dos pasos...");
  test::DialogAnswerer answer;
  answer.Expect("FCodigoDosPasos", [](QDialog& seed) {
    seed.findChild<QLineEdit*>("Ed_Semilla")->setText("ABCDEFGH");
    static_cast<TFCodigoDosPasos&>(seed).BtnOkClick();
  });
  dialog.BtnDosPasosClick();
  EXPECT_EQ(dialog.Values().Notes, std::string(170, 'n') + "\r\nTOTP: ABCDEFGH");
}

TEST(AccountDialogs, TheTypeIsKeptAsTyped) {
  test::TestLanguage language;
  QStringList errors;
  TFAddCuenta dialog(nullptr, [&](const QString& text) { errors << text; });
  dialog.show();
  auto* type = Get<QComboBox>(dialog, "Ed_Tipo");
  QTest::keyClicks(type->lineEdit(), "Acceso");  // a start of "Acceso a e-mail"
  EXPECT_EQ(dialog.Values().AccountType, "Acceso");
  // Enter presses Aceptar (which wants a name first) and adds nothing to the list.
  QTest::keyClick(type->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(errors, QStringList{"m42"});
  EXPECT_EQ(type->count(), 9);
  EXPECT_EQ(dialog.Values().AccountType, "Acceso");
  type->lineEdit()->clear();
  QTest::keyClicks(type->lineEdit(), QString(100, 't'));
  EXPECT_EQ(dialog.Values().AccountType, std::string(87, 't'));
  type->setCurrentIndex(2);
  EXPECT_EQ(dialog.Values().AccountType, "Acceso a FTP");
}

TEST(EditBoxes, TypingStopsAtTheLimitAndRefusesCharactersWithoutAWindows1252Form) {
  test::TestLanguage language;
  TFAddGrupo dialog;
  dialog.show();
  auto* name = Get<QLineEdit>(dialog, "Ed_Grupo");
  QTest::keyClicks(name, QString(35, 'x'));
  EXPECT_EQ(name->text().size(), 30);
  name->clear();
  QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QStringLiteral("€"), {});
  QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QStringLiteral("Ω"), {});
  QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QStringLiteral("ñ"), {});
  EXPECT_EQ(name->text(), "€ñ");
  EXPECT_EQ(dialog.Values().Name, "\x80\xF1");

  auto* memo = Get<MemoEdit>(dialog, "Descrip");
  QTest::sendKeyEvent(QTest::Click, memo, Qt::Key_unknown, QStringLiteral("Ω"), {});
  EXPECT_EQ(memo->toPlainText(), "");
}

TEST(EditBoxes, AMemoCountsALineBreakAsTwoAndCutsWhatIsPasted) {
  MemoEdit memo(10);
  memo.show();
  QTest::keyClicks(&memo, "abcd");
  QTest::keyClick(&memo, Qt::Key_Return);
  QTest::keyClicks(&memo, "efghijk");
  EXPECT_EQ(memo.StoredText(), "abcd\r\nefgh");  // 4 + 2 + 4 = 10
  QTest::keyClick(&memo, Qt::Key_Return);
  EXPECT_EQ(memo.StoredText(), "abcd\r\nefgh");

  memo.clear();
  QApplication::clipboard()->setText("12345\n789012");
  memo.paste();
  EXPECT_EQ(memo.StoredText(), "12345\r\n789");
  // Replacing a selection makes room for what replaces it.
  memo.selectAll();
  QApplication::clipboard()->setText("ab\r\ncd");
  memo.paste();
  EXPECT_EQ(memo.StoredText(), "ab\r\ncd");

  // Characters composed by an input method are held back the same way.
  memo.clear();
  QTest::keyClicks(&memo, "12345678");
  QInputMethodEvent composed;
  composed.setCommitString(QStringLiteral("ñáé"));
  QApplication::sendEvent(&memo, &composed);
  EXPECT_EQ(memo.StoredText(), "12345678ñá");

  // Text put in by the program is never cut: the limit grows to hold it.
  memo.SetStoredText("a\rb\r\nc\nd" + QString(20, 'z'));
  EXPECT_EQ(memo.toPlainText(), "a\nb\nc\nd" + QString(20, 'z'));
  EXPECT_EQ(memo.Limit(), 4 + 3 * 2 + 20);
}

TEST(AccountDialogs, TheGeneratorPutsItsPasswordIntoEdPass) {
  test::TestLanguage language;
  TFAddCuenta dialog;
  dialog.show();
  QString generatorTitle;
  // Answers the generator as a user would: a 150-character password, then Aceptar.
  QTimer answer;
  answer.setInterval(10);
  QObject::connect(&answer, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal->objectName() != "FGenPass") return;
    answer.stop();
    generatorTitle = modal->windowTitle();
    auto* length = modal->findChild<QLineEdit*>("SpinEdit");
    length->selectAll();
    QTest::keyClicks(length, "150");
    modal->findChild<QPushButton*>("BtnGenerar")->click();
    modal->findChild<QPushButton*>("BtnOk")->click();
  });
  answer.start();
  Get<QToolButton>(dialog, "BtnGenerador")->click();
  EXPECT_EQ(generatorTitle, "m22");
  const std::string password = dialog.Values().Password;
  EXPECT_EQ(password.size(), 117u);
  // Nothing is stored until this dialog's Aceptar; the node then keeps it whole.
  AccountValues values = dialog.Values();
  values.Name = "Cuenta";
  values.ImageIndex = 1;
  EXPECT_EQ(MakeAccount(values).Password, password);
}

}  // namespace
}  // namespace bv
