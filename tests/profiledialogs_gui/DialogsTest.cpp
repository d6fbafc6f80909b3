// The four dialogs of the profile session on their own: texts, limits, masks, focus, and
// what Aceptar, Cancelar, Escape and the close box do.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <fstream>

#include "config/Messages.h"
#include "profile/MasterPassword.h"
#include "support/gui/WindowCoverage.h"
#include "config/QtText.h"
#include "profiledialogs/TFCambiarPass.h"
#include "profiledialogs/TFEditarPerfil.h"
#include "profiledialogs/TFInicioSesion.h"
#include "profiledialogs/TFNuevoPerfil.h"
#include "support/gui/SessionHarness.h"

namespace bv {
namespace {

using test::Box;
using test::Click;
using test::ModalScript;
using test::Type;

// The program's folder with the Spanish language and its messages loaded.
class Dialogs : public ::testing::Test {
 protected:
  void SetUp() override { LoadMessages(ActiveLanguageFile()); }
  test::ProgramFolder folder;
  test::FakeBoxes boxes;
  test::FakeFiles files;
};

void ShowActive(QWidget& dialog) {
  if (dialog.isVisible()) return;
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

QString LabelText(QWidget* dialog, const char* name) {
  auto* label = dialog->findChild<QLabel*>(QLatin1String(name));
  return label ? label->text() : QStringLiteral("<none>");
}

TEST_F(Dialogs, EveryControlHasItsTextInBothLanguageFiles) {
  TFInicioSesion login;
  test::ExpectCoveredByLanguageFiles(&login);
  TFNuevoPerfil created(boxes, files, [](const NewProfileRequest&) { return true; });
  test::ExpectCoveredByLanguageFiles(&created);
  std::string session = "x";
  TFCambiarPass changed(boxes, session, [](const std::string&) { return true; });
  test::ExpectCoveredByLanguageFiles(&changed);
  const TProfileHeader header;
  TFEditarPerfil edited(header, [](const std::string&, const std::string&) { return true; });
  test::ExpectCoveredByLanguageFiles(&edited);
}

// --- login prompt --------------------------------------------------------------------------

TEST_F(Dialogs, LoginPromptIsTranslatedAndMasked) {
  TFInicioSesion dialog;
  EXPECT_EQ(dialog.objectName(), "FInicioSesion");
  EXPECT_EQ(dialog.windowTitle(), Msg(30));
  EXPECT_EQ(LabelText(&dialog, "lblPass"), "Ingrese la contraseña para Iniciar sesión:");
  EXPECT_EQ(Box(&dialog, "Ed_Pass")->echoMode(), QLineEdit::Password);
  EXPECT_TRUE(dialog.findChild<QPushButton*>("BtnOk")->isDefault());
}

TEST_F(Dialogs, LoginPromptAnswers) {
  struct Case {
    const char* how;
    QString typed;
    std::function<void(QWidget*)> finish;
    std::optional<std::string> answer;
  };
  const auto key = [](Qt::Key k) { return [k](QWidget* d) { QTest::keyClick(d, k); }; };
  const Case cases[] = {
      {"Aceptar", "clave", [](QWidget* d) { Click(d, "BtnOk"); }, "clave"},
      {"Enter", "clave", key(Qt::Key_Return), "clave"},
      {"Cancelar", "clave", [](QWidget* d) { Click(d, "BtnCancelar"); }, std::nullopt},
      {"Escape", "clave", key(Qt::Key_Escape), std::nullopt},
      {"close box", "clave", [](QWidget* d) { d->close(); }, "clave"},
      {"Aceptar on an empty box", "", [](QWidget* d) { Click(d, "BtnOk"); }, ""},
      // Windows-1252 letters beyond ASCII are kept as their bytes.
      {"Aceptar", "año€", [](QWidget* d) { Click(d, "BtnOk"); }, "a\xF1o\x80"},
  };
  for (const Case& c : cases) {
    ModalScript script;
    script.Then("FInicioSesion", [&](QWidget* d) {
      Type(d, "Ed_Pass", c.typed);
      c.finish(d);
    });
    EXPECT_EQ(TFInicioSesion::Ask(nullptr), c.answer) << c.how;
    EXPECT_TRUE(script.Done()) << c.how;
  }
}

TEST_F(Dialogs, CharactersWithoutAWindows1252FormAreRefusedAtInput) {
  TFInicioSesion login;
  TFNuevoPerfil created(boxes, files, [](const NewProfileRequest&) { return true; });
  const TProfileHeader header;
  TFEditarPerfil edited(header, [](const std::string&, const std::string&) { return true; });
  std::string session = "x";
  TFCambiarPass changed(boxes, session, [](const std::string&) { return true; });
  for (QWidget* dialog : std::initializer_list<QWidget*>{&login, &created, &edited, &changed})
    for (QLineEdit* box : dialog->findChildren<QLineEdit*>()) {
      box->clear();
      Type(dialog, box->objectName().toLatin1().constData(), QStringLiteral("a✓ç→b"));
      EXPECT_EQ(box->text(), "açb") << box->objectName().toStdString();
    }
}

// --- new profile ---------------------------------------------------------------------------

struct NewProfileFixture : Dialogs {
  void Fill(const QString& owner, const QString& title, const QString& pass, const QString& again) {
    Type(&dialog, "Ed_Usuario", owner);
    Type(&dialog, "Ed_Titulo", title);
    Type(&dialog, "Ed_Pass", pass);
    Type(&dialog, "Ed_CPass", again);
  }
  std::vector<NewProfileRequest> requests;
  bool createResult = true;
  TFNuevoPerfil dialog{boxes, files, [this](const NewProfileRequest& r) {
                         requests.push_back(r);
                         return createResult;
                       }};
};

TEST_F(NewProfileFixture, ControlsLimitsAndTexts) {
  EXPECT_EQ(dialog.objectName(), "FNuevoPerfil");
  EXPECT_EQ(dialog.windowTitle(), Msg(24));
  struct Limit {
    const char* box;
    int max;
    bool masked;
  };
  for (const Limit& l : {Limit{"Ed_Usuario", 50, false}, Limit{"Ed_Titulo", 50, false},
                         Limit{"Ed_Pass", 16, true}, Limit{"Ed_CPass", 16, true}}) {
    EXPECT_EQ(Box(&dialog, l.box)->maxLength(), l.max) << l.box;
    EXPECT_EQ(Box(&dialog, l.box)->echoMode() == QLineEdit::Password, l.masked) << l.box;
  }
  EXPECT_EQ(LabelText(&dialog, "lblTitulo"), "Título del perfil:");
  EXPECT_EQ(LabelText(&dialog, "lblNota"),
            "Personalice su nuevo perfil indicando sus datos. La contraseña de perfil es opcional "
            "(en blanco para ninguna)");
  // Typing goes no further than the limit, and the strength bar tells what it is worth.
  Type(&dialog, "Ed_Pass", QString(20, QLatin1Char('x')));
  EXPECT_EQ(Box(&dialog, "Ed_Pass")->text().size(), 16);
  EXPECT_EQ(LabelText(dialog.findChild<QWidget*>("BarraFuerza"), "notraFuerza"), Msg(200));
  EXPECT_TRUE(LabelText(&dialog, "lblConsejo").contains("16"));
}

TEST_F(NewProfileFixture, ShowingEmptiesTheBoxesAndFocusesTheOwner) {
  Box(&dialog, "Ed_Titulo")->setText("viejo");
  Box(&dialog, "Ed_Pass")->setText("viejo");
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  for (const char* name : {"Ed_Usuario", "Ed_Titulo", "Ed_Pass", "Ed_CPass"})
    EXPECT_EQ(Box(&dialog, name)->text(), "") << name;
  EXPECT_EQ(QApplication::focusWidget(), Box(&dialog, "Ed_Usuario"));
}

TEST_F(NewProfileFixture, EntriesAreCheckedInOrder) {
  struct Case {
    QString owner, title, pass, again;
    QString message;      // empty: accepted
    const char* focused;  // the box that gets the focus, its text selected
  };
  const QString differ = Msg(56) + "\n" + Msg(57);
  const Case cases[] = {
      {"Ana", "Casa", "", "", Msg(53), "Ed_Usuario"},
      {"Anas", "Ca", "", "", Msg(54), "Ed_Titulo"},
      {"Ana", "Ca", "", "", Msg(53), "Ed_Usuario"},
      {"Anas", "Cas", "Clave", "clave", differ, "Ed_Pass"},
      {"Anas", "Cas", "", "x", differ, "Ed_Pass"},
      {"Anas", "Cas", "", "", "", nullptr},
      {"Anas", "Cas", "Clave", "Clave", "", nullptr},
  };
  for (const Case& c : cases) {
    ShowActive(dialog);
    const std::string what = (c.owner + "/" + c.title + "/" + c.pass + "/" + c.again).toStdString();
    boxes.shown.clear();
    files.titles.clear();
    for (QLineEdit* box : dialog.findChildren<QLineEdit*>()) box->clear();
    Fill(c.owner, c.title, c.pass, c.again);
    dialog.BtnOkClick();  // the file dialog is cancelled: an accepted entry closes the dialog
    if (c.message.isEmpty()) {
      EXPECT_TRUE(boxes.shown.empty()) << what;
      EXPECT_EQ(files.titles, QStringList{"Guardar nuevo perfil como..."}) << what;
      EXPECT_EQ(dialog.result(), QDialog::Rejected) << what;
      EXPECT_FALSE(dialog.isVisible()) << what;
      continue;
    }
    ASSERT_EQ(boxes.shown.size(), 1u) << what;
    EXPECT_EQ(boxes.shown[0].kind, test::FakeBoxes::Kind::Error) << what;
    EXPECT_EQ(boxes.shown[0].text, c.message) << what;
    EXPECT_TRUE(files.titles.isEmpty()) << what;
    QLineEdit* focused = Box(&dialog, c.focused);
    EXPECT_EQ(QApplication::focusWidget(), focused) << what;
    EXPECT_EQ(focused->selectedText(), focused->text()) << what;
    EXPECT_TRUE(dialog.isVisible()) << what;
  }
  EXPECT_TRUE(requests.empty());
}

TEST_F(NewProfileFixture, AnExistingNameIsReplacedOnlyAfterYes) {
  const auto taken = folder.path() / "ocupado.bv3";
  std::ofstream(taken) << "algo";
  const auto fresh = folder.path() / "nuevo.bv3";
  const QString takenText = QString::fromStdString(taken.string());
  Fill("Anas", "Casa", "Clave", "Clave");

  // No goes back to the file dialog, which then gives a free name.
  files.answers = {takenText, QString::fromStdString(fresh.string())};
  boxes.answers = {false};
  dialog.BtnOkClick();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].kind, test::FakeBoxes::Kind::Warning);
  EXPECT_EQ(boxes.shown[0].text, Msg(58));
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].path, fresh);
  EXPECT_EQ(requests[0].owner, "Anas");
  EXPECT_EQ(requests[0].title, "Casa");
  EXPECT_EQ(requests[0].password, "Clave");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);

  // Yes takes the name.
  files.answers = {takenText};
  boxes.answers = {true};
  dialog.BtnOkClick();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1].path, taken);
}

TEST_F(NewProfileFixture, AFailedCreationKeepsTheDialogOpen) {
  createResult = false;
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  Fill("Anas", "Casa", "", "");
  files.answers = {QString::fromStdString((folder.path() / "x.bv3").string())};
  dialog.BtnOkClick();
  EXPECT_EQ(requests.size(), 1u);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(Box(&dialog, "Ed_Usuario")->text(), "Anas");
}

// --- change password -----------------------------------------------------------------------

struct ChangePassFixture : Dialogs {
  std::string session = "vieja";
  std::vector<std::string> changes;
  TFCambiarPass dialog{boxes, session, [this](const std::string& p) {
                         changes.push_back(p);
                         return true;
                       }};
};

TEST_F(ChangePassFixture, ControlsLimitsAndTexts) {
  EXPECT_EQ(dialog.objectName(), "FCambiarPass");
  EXPECT_EQ(dialog.windowTitle(), Msg(38));
  EXPECT_EQ(Box(&dialog, "E_PassAct")->maxLength(), 32767);  // no limit of its own
  EXPECT_EQ(Box(&dialog, "Nueva")->maxLength(), 16);
  EXPECT_EQ(Box(&dialog, "ReNueva")->maxLength(), 16);
  for (QLineEdit* box : dialog.findChildren<QLineEdit*>())
    EXPECT_EQ(box->echoMode(), QLineEdit::Password) << box->objectName().toStdString();
  EXPECT_EQ(LabelText(&dialog, "lblReNueva"), "Repita la nueva contraseña:");
  EXPECT_TRUE(LabelText(&dialog, "lblConsejo").contains("16"));
  Type(&dialog, "Nueva", "123456");
  EXPECT_EQ(LabelText(dialog.findChild<QWidget*>("BarraFuerza"), "notraFuerza"), Msg(200));
  Box(&dialog, "Nueva")->setText("x");
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  EXPECT_EQ(Box(&dialog, "Nueva")->text(), "");
  EXPECT_EQ(QApplication::focusWidget(), Box(&dialog, "E_PassAct"));
}

TEST_F(ChangePassFixture, CurrentThenNewAreChecked) {
  struct Case {
    std::string session;
    QString current, next, again;
    QString message;
    const char* focused;
    std::string changedTo;
  };
  const std::string sentinel(kEmptyPasswordSentinel);
  const Case cases[] = {
      {"vieja", "Vieja", "n", "n", Msg(47), "E_PassAct", ""},
      {"vieja", "", "n", "n", Msg(47), "E_PassAct", ""},
      {"vieja", "vieja", "nueva", "Nueva", Msg(50), "Nueva", ""},
      {"vieja", "vieja", "nueva", "nueva", "", nullptr, "nueva"},
      {"vieja", "vieja", "", "", "", nullptr, sentinel},
      // A profile without password: the empty box stands for the sentinel.
      {sentinel, "", "nueva", "nueva", "", nullptr, "nueva"},
      {sentinel, QString::fromLatin1(sentinel.data()), "n", "n", "", nullptr, "n"},
  };
  for (const Case& c : cases) {
    ShowActive(dialog);
    const std::string what =
        c.session + ": " + (c.current + "/" + c.next + "/" + c.again).toStdString();
    session = c.session;
    boxes.shown.clear();
    changes.clear();
    for (QLineEdit* box : dialog.findChildren<QLineEdit*>()) box->clear();
    Type(&dialog, "E_PassAct", c.current);
    Type(&dialog, "Nueva", c.next);
    Type(&dialog, "ReNueva", c.again);
    Click(&dialog, "BtnOk");
    if (c.message.isEmpty()) {
      EXPECT_TRUE(boxes.shown.empty()) << what;
      EXPECT_EQ(changes, std::vector<std::string>{c.changedTo}) << what;
      EXPECT_FALSE(dialog.isVisible()) << what;
      continue;
    }
    ASSERT_EQ(boxes.shown.size(), 1u) << what;
    EXPECT_EQ(boxes.shown[0].text, c.message) << what;
    EXPECT_TRUE(changes.empty()) << what;
    EXPECT_EQ(QApplication::focusWidget(), Box(&dialog, c.focused)) << what;
  }
}

// --- profile details -----------------------------------------------------------------------

TEST_F(Dialogs, ProfileDetailsShowTheHeaderAndHandBackWhatWasTyped) {
  TProfileHeader header;
  header.Owner = "Jos\xE9";
  header.Title = "Cuentas";
  std::vector<std::pair<std::string, std::string>> stored;
  bool result = false;
  TFEditarPerfil dialog(header, [&](const std::string& owner, const std::string& title) {
    stored.emplace_back(owner, title);
    return result;
  });
  EXPECT_EQ(dialog.objectName(), "FEditarPerfil");
  EXPECT_EQ(dialog.windowTitle(), Msg(37));
  EXPECT_EQ(dialog.findChild<QPushButton*>("BtnOk")->text(), "Guardar");
  EXPECT_EQ(Box(&dialog, "Ed_Nombre")->maxLength(), 50);
  EXPECT_EQ(Box(&dialog, "Ed_Titulo")->maxLength(), 50);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  EXPECT_EQ(Box(&dialog, "Ed_Nombre")->text(), "José");
  EXPECT_EQ(Box(&dialog, "Ed_Titulo")->text(), "Cuentas");

  // No minimum length here; a failed save keeps the dialog open.
  Box(&dialog, "Ed_Titulo")->clear();
  Type(&dialog, "Ed_Titulo", "ñ");
  Click(&dialog, "BtnOk");
  EXPECT_TRUE(dialog.isVisible());
  result = true;
  Click(&dialog, "BtnOk");
  EXPECT_FALSE(dialog.isVisible());
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[1], std::make_pair(std::string("Jos\xE9"), std::string("\xF1")));
}

}  // namespace
}  // namespace bv
