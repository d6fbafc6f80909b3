#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <memory>

#include "support/TestLanguage.h"
#include "tools/SecretClipboard.h"
#include "tools/TFGenPass.h"

namespace bv {
namespace {

// A generator window with recording seams, shown as its opener shows it.
class GenPass : public ::testing::Test {
 protected:
  void Open(QLineEdit* target = nullptr) {
    GenPassSeams seams;
    seams.showError = [this](const QString& text) { errors << text; };
    seams.copySecret = [this](const QString& text) { copied << text; };
    dialog = std::make_unique<TFGenPass>(nullptr, seams);
    if (target) dialog->UseForAccount(target);
    dialog->show();
  }

  template <class T>
  T* Get(const char* name) {
    T* control = dialog->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  // The space bar, as a user would press a focused button or box (a mouse click lands in
  // the middle of a stretched check box, outside its clickable text).
  void Click(const char* button) { QTest::keyClick(Get<QAbstractButton>(button), Qt::Key_Space); }
  void TypeLength(const QString& keys) {
    auto* field = Get<QLineEdit>("SpinEdit");
    field->selectAll();
    QTest::keyClicks(field, keys);
  }
  QString Result() { return Get<QLineEdit>("Resultado")->text(); }

  test::TestLanguage language{{}, {{52, "Genere una contraseña"}, {22, "Generador"}}};
  std::unique_ptr<TFGenPass> dialog;
  QStringList errors;
  QStringList copied;
};

QSet<QChar> CharsOf(const QString& text) { return {text.begin(), text.end()}; }

TEST_F(GenPass, ShowsEveryControlWithItsBuiltInText) {
  Open();
  EXPECT_EQ(dialog->objectName(), "FGenPass");
  EXPECT_EQ(dialog->windowTitle(), "Generador");
  const std::pair<const char*, QString> captions[] = {
      {"ConLetras", "Con letras"},
      {"ConNumeros", "Con caracteres numéricos"},
      {"Op_Text1", "Sólo letras minúsculas"},
      {"Op_Text2", "Sólo letras mayúsculas"},
      {"Op_Text3", "Alternar mayúsculas y minúsculas"},
      {"ConEspeciales", "Con caracteres especiales"},
      {"BtnGenerar", "Generar"},
      {"BtnCopiar", "Copiar"},
      {"BtnCancelar", "Cancelar"},
      {"BtnOk", "Aceptar"},
  };
  for (const auto& [name, caption] : captions)
    EXPECT_EQ(Get<QAbstractButton>(name)->text(), caption);
  EXPECT_EQ(Get<QGroupBox>("Contenido")->title(), "Caracteres alfanuméricos");
  EXPECT_EQ(Get<QGroupBox>("Especial")->title(), "Caracteres especiales");
  EXPECT_EQ(Get<QLabel>("lblCaracteres")->text(), "Indique Caracteres especiales:");
  EXPECT_EQ(Get<QLabel>("lblLength")->text(),
            "¿De cuántos caracteres desea la contraseña? Indique:");
  EXPECT_EQ(Get<QLabel>("lblGenerada")->text(), "Contraseña generada:");
  EXPECT_TRUE(Get<QLabel>("lblInfo")->text().startsWith("Este asistente le ayudará"));
  EXPECT_EQ(Get<QLineEdit>("Caracteres")->text(), ".-_@#$%&\\/");
  EXPECT_FALSE(Get<QLineEdit>("Caracteres")->isEnabled());
  EXPECT_EQ(Get<QLineEdit>("SpinEdit")->text(), "4");
  EXPECT_NE(Get<QWidget>("UpDown1"), nullptr);
  EXPECT_TRUE(Get<QCheckBox>("ConLetras")->isChecked());
  EXPECT_TRUE(Get<QCheckBox>("ConNumeros")->isChecked());
  EXPECT_TRUE(Get<QRadioButton>("Op_Text3")->isChecked());
  EXPECT_FALSE(Get<QCheckBox>("ConEspeciales")->isChecked());
  EXPECT_TRUE(Result().isEmpty());
}

TEST_F(GenPass, TakesItsCaptionsFromTheLanguageFile) {
  test::TestLanguage english({{"FGenPass",
                               {{"BtnGenerar", "Generate"},
                                {"ConLetras", "With letters"},
                                {"Especial", "Special characters"}}}},
                             {{22, "Password generator"}});
  Open();
  EXPECT_EQ(dialog->windowTitle(), "Password generator");
  EXPECT_EQ(Get<QPushButton>("BtnGenerar")->text(), "Generate");
  EXPECT_EQ(Get<QCheckBox>("ConLetras")->text(), "With letters");
  EXPECT_EQ(Get<QGroupBox>("Especial")->title(), "Special characters");
  EXPECT_EQ(Get<QPushButton>("BtnOk")->text(), "Aceptar");  // not in the file
}

TEST_F(GenPass, OptionsEnableWhatTheyGovern) {
  Open();
  Click("ConLetras");
  for (const char* option : {"Op_Text1", "Op_Text2", "Op_Text3"})
    EXPECT_FALSE(Get<QRadioButton>(option)->isEnabled()) << option;
  EXPECT_TRUE(Get<QPushButton>("BtnGenerar")->isEnabled());
  Click("ConNumeros");
  EXPECT_FALSE(Get<QPushButton>("BtnGenerar")->isEnabled());
  Click("ConLetras");
  EXPECT_TRUE(Get<QPushButton>("BtnGenerar")->isEnabled());
  EXPECT_TRUE(Get<QRadioButton>("Op_Text1")->isEnabled());
  Click("ConEspeciales");
  EXPECT_TRUE(Get<QLineEdit>("Caracteres")->isEnabled());
  Click("ConEspeciales");
  EXPECT_FALSE(Get<QLineEdit>("Caracteres")->isEnabled());
}

TEST_F(GenPass, GeneratesFromThePoolOfTheOptions) {
  struct Case {
    const char* name;
    bool letters, digits;
    const char* letterCase;
    QString specials;  // empty: special characters unticked
    QString pool;
  };
  const Case cases[] = {
      {"digits only", false, true, "Op_Text3", "", "8712504936"},
      {"lower case and #", true, false, "Op_Text1", "#", "iafptugqkrhjsnecymvdwzoxlb#"},
      {"upper case and digits", true, true, "Op_Text2", "", "AHZ1IPQDJKT78VL9NOBC02345URS6YMXWFGE"},
      {"mixed letters and ñ", true, false, "Op_Text3", "ñ",
       "azAfvijwxCDEkyghVJKBlIbYstuHZnFGocdeOPULQrNWXRSTMmpqñ"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Open();
    if (!c.letters) Click("ConLetras");
    if (!c.digits) Click("ConNumeros");
    Click(c.letterCase);
    if (!c.specials.isEmpty()) {
      Click("ConEspeciales");
      Get<QLineEdit>("Caracteres")->setText(c.specials);
    }
    TypeLength("255");
    // Several presses, so that every character of the pool has had its chance.
    QSet<QChar> seen;
    for (int press = 0; press < 20; ++press) {
      Click("BtnGenerar");
      ASSERT_EQ(Result().size(), 255);
      seen += CharsOf(Result());
    }
    EXPECT_EQ(seen, CharsOf(c.pool));
    EXPECT_TRUE(errors.isEmpty());
  }
}

TEST_F(GenPass, LengthFieldKeepsDigitsAndCutsAt255) {
  Open();
  auto* field = Get<QLineEdit>("SpinEdit");
  TypeLength("3a0-0");
  EXPECT_EQ(field->text(), "300");
  QTest::keyClick(field, Qt::Key_Backspace);
  EXPECT_EQ(field->text(), "300") << "the backspace key is discarded like other non-digits";
  Click("BtnGenerar");
  EXPECT_EQ(Result().size(), 255);
  EXPECT_EQ(field->text(), "255") << "the field shows the length used";

  TypeLength("0");
  Click("BtnGenerar");
  EXPECT_EQ(Result(), "");
  EXPECT_TRUE(errors.isEmpty());
}

TEST_F(GenPass, ArrowsStepTheLengthWithin4And255) {
  Open();
  auto* field = Get<QLineEdit>("SpinEdit");
  QTest::keyClick(field, Qt::Key_Down);
  EXPECT_EQ(field->text(), "4");
  QTest::keyClick(field, Qt::Key_Up);
  EXPECT_EQ(field->text(), "5");
  TypeLength("255");
  QTest::keyClick(field, Qt::Key_Up);
  EXPECT_EQ(field->text(), "255");
  auto* arrows = Get<QWidget>("UpDown1");
  const auto buttons = arrows->findChildren<QAbstractButton*>();
  ASSERT_EQ(buttons.size(), 2);
  QTest::mouseClick(buttons[1], Qt::LeftButton);  // down
  EXPECT_EQ(field->text(), "254");
  QTest::mouseClick(buttons[0], Qt::LeftButton);  // up
  EXPECT_EQ(field->text(), "255");
}

TEST_F(GenPass, RefusesALengthThatIsNoInteger) {
  for (const QString& typed : {QString(), QString("2147483648")}) {
    Open();
    Click("BtnGenerar");  // a first password, which the failed press must remove
    Get<QLineEdit>("SpinEdit")->clear();
    QTest::keyClicks(Get<QLineEdit>("SpinEdit"), typed);
    Click("BtnGenerar");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors.takeFirst(), "'" + typed + "' no es un valor entero válido");
    EXPECT_EQ(Result(), "");
  }
}

TEST_F(GenPass, MenuModeCopiesTheResultMarkedSecret) {
  Open();
  EXPECT_TRUE(Get<QPushButton>("BtnCopiar")->isVisible());
  EXPECT_FALSE(Get<QPushButton>("BtnCancelar")->isVisible());
  Click("BtnCopiar");
  EXPECT_TRUE(copied.isEmpty()) << "nothing to copy yet";
  Click("BtnGenerar");
  Click("BtnCopiar");
  EXPECT_EQ(copied, QStringList{Result()});
  EXPECT_FALSE(Get<QLineEdit>("Resultado")->hasSelectedText());
  Click("BtnOk");
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_TRUE(errors.isEmpty());
}

TEST(SecretClipboard, PutsPlainTextWithThePasswordManagerHint) {
  CopySecretToClipboard("s3cr3t");
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->text(), "s3cr3t");
  EXPECT_EQ(data->data("x-kde-passwordManagerHint"), "secret");
  QGuiApplication::clipboard()->clear();
}

TEST_F(GenPass, AccountModeHandsAtMost117CharactersToTheOpenersField) {
  QLineEdit edPass;
  edPass.setMaxLength(90);  // what the keyboard may type there
  Open(&edPass);
  EXPECT_FALSE(Get<QPushButton>("BtnCopiar")->isVisible());
  EXPECT_TRUE(Get<QPushButton>("BtnCancelar")->isVisible());
  TypeLength("200");
  Click("BtnGenerar");
  Click("BtnOk");
  EXPECT_EQ(edPass.text(), Result().left(117));
  EXPECT_EQ(edPass.text().size(), 117);
  EXPECT_FALSE(dialog->isVisible());

  Open(&edPass);
  QTest::keyClicks(Get<QLineEdit>("Resultado"), "hand made");
  Click("BtnOk");
  EXPECT_EQ(edPass.text(), "hand made") << "an edited result is taken as it stands";
}

TEST_F(GenPass, EnterGeneratesFromTheSettingsButNeverReplacesAnEditedResult) {
  Open();
  TypeLength("12");
  QTest::keyClick(Get<QLineEdit>("SpinEdit"), Qt::Key_Return);
  EXPECT_EQ(Result().size(), 12);
  auto* result = Get<QLineEdit>("Resultado");
  result->setFocus();
  QTest::keyClick(result, Qt::Key_End);
  QTest::keyClicks(result, "!x");
  const QString edited = Result();
  QTest::keyClick(result, Qt::Key_Return);
  QTest::keyClick(result, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(Result(), edited);
  EXPECT_TRUE(dialog->isVisible());
}

TEST_F(GenPass, AccountModeRefusesAnEmptyResult) {
  QLineEdit edPass("old");
  Open(&edPass);
  TypeLength("0");
  Click("BtnGenerar");
  Click("BtnOk");
  EXPECT_EQ(errors, QStringList{"Genere una contraseña"});
  EXPECT_TRUE(dialog->isVisible()) << "the dialog stays open";
  EXPECT_EQ(edPass.text(), "old");

  Click("BtnCancelar");
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(edPass.text(), "old");
}

}  // namespace
}  // namespace bv
