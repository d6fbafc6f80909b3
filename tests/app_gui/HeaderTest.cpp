// Changing the master password and the profile's details.

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>

#include "browser/DetailPage.h"
#include "browser/DetailView.h"
#include "config/QtText.h"
#include "profile/MasterPassword.h"
#include "profile/ProfileReader.h"
#include "support/ProfileFixtures.h"
#include "support/gui/SessionHarness.h"

namespace bv {
namespace {

using test::Inside;
using test::kSampleShape;
using test::Login;
using test::ModalScript;
using test::PathText;
using test::ProfileSetup;
using test::SessionHarness;
using test::Type;

// Opens path, answering the prompt with password when the profile has one.
void Open(SessionHarness& h, const std::filesystem::path& path, const QString& password = {}) {
  ModalScript script;
  if (!password.isEmpty()) script.Then("FInicioSesion", Login(password));
  h.OpenWithDialog(path);
  EXPECT_TRUE(script.Done());
}

ModalScript::Act ChangePassword(const QString& current, const QString& next) {
  return [=](QWidget* d) {
    Type(d, "E_PassAct", current);
    Type(d, "Nueva", next);
    Type(d, "ReNueva", next);
    test::Click(d, "BtnOk");
  };
}

bool Opens(const std::filesystem::path& path, const std::string& password) {
  return PasswordMatches(ReadProfileHeader(path).header, password);
}

TEST(ChangingPassword, TheOldPasswordNoLongerOpensTheFileAndTheNewOneDoes) {
  SessionHarness h;
  h.Start();
  const auto path = h.MakeProfile("a.bv3", ProfileSetup{"Vieja"});
  Open(h, path, "Vieja");
  ASSERT_TRUE(h.ProfileOpen());
  ModalScript script;
  script.Then("FCambiarPass", ChangePassword("Vieja", "Nueva"));
  h.Trigger("ActCambPass");
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(h.Boxes(), QStringList{Msg(51)});
  EXPECT_EQ(h.fakes.boxes->shown[0].kind, test::FakeBoxes::Kind::Information);
  EXPECT_FALSE(Opens(path, "Vieja"));
  EXPECT_TRUE(Opens(path, "Nueva"));
  EXPECT_EQ(h.Shape(), kSampleShape);

  // Reopened through the window, with the old password refused.
  h.Trigger("ActCerrar");
  h.fakes.boxes->shown.clear();
  Open(h, path, "Vieja");
  EXPECT_FALSE(h.ProfileOpen());
  EXPECT_EQ(h.Boxes(), QStringList{Msg(6) + "\n" + Msg(7)});
  Open(h, path, "Nueva");
  EXPECT_TRUE(h.ProfileOpen());
  EXPECT_EQ(h.Shape(), kSampleShape);
}

TEST(ChangingPassword, AnEmptyCurrentPasswordServesOnlyAProfileWithout) {
  struct Case {
    std::string password;  // of the profile
    bool changes;
  };
  for (const Case& c : {Case{"", true}, Case{"Clave", false}}) {
    SessionHarness h;
    h.Start();
    const auto path = h.MakeProfile("a.bv3", ProfileSetup{c.password});
    Open(h, path, QString::fromStdString(c.password));
    ASSERT_TRUE(h.ProfileOpen());
    ModalScript script;
    script.Then("FCambiarPass", [](QWidget* d) {
      ChangePassword("", "Otra")(d);
      if (d->isVisible()) test::Click(d, "BtnCancelar");
    });
    h.Trigger("ActCambPass");
    EXPECT_EQ(h.Boxes(), QStringList{Msg(c.changes ? 51 : 47)}) << c.password;
    EXPECT_EQ(Opens(path, "Otra"), c.changes) << c.password;
  }
}

TEST(ChangingPassword, AnEmptyNewPasswordLeavesAProfileWithoutPassword) {
  SessionHarness h;
  h.Start();
  const auto path = h.MakeProfile("a.bv3", ProfileSetup{"Clave"});
  Open(h, path, "Clave");
  ModalScript script;
  script.Then("FCambiarPass", ChangePassword("Clave", ""));
  h.Trigger("ActCambPass");
  EXPECT_TRUE(Opens(path, std::string(kEmptyPasswordSentinel)));
  h.Trigger("ActCerrar");
  ModalScript none;
  Open(h, path);
  EXPECT_TRUE(none.unexpected.isEmpty());
  EXPECT_TRUE(h.ProfileOpen());
}

TEST(ChangingPassword, AFailedSaveKeepsTheOldPasswordEverywhere) {
  SessionHarness h;
  h.Start();
  const auto folder = h.Path("carpeta");
  std::filesystem::create_directories(folder);
  h.MakeProfile("carpeta/a.bv3", ProfileSetup{"Vieja"});
  Open(h, folder / "a.bv3", "Vieja");
  std::filesystem::rename(folder, h.Path("movida"));
  ModalScript script;
  script.Then("FCambiarPass", [](QWidget* d) {
    ChangePassword("Vieja", "Nueva")(d);
    EXPECT_TRUE(d->isVisible());
    test::Click(d, "BtnCancelar");
  });
  h.Trigger("ActCambPass");
  // What failed, then that the password stays: "changed" is said only after a save.
  EXPECT_EQ(h.Boxes(), (QStringList{"Archivo no encontrado", Msg(370)}));
  EXPECT_EQ(Inside(h.window()).Session().SessionPassword(), "Vieja");
  // A later save writes the profile with the password its file still has.
  std::filesystem::rename(h.Path("movida"), folder);
  Inside(h.window()).SetModified();
  h.Trigger("ActGuardar");
  EXPECT_TRUE(Opens(folder / "a.bv3", "Vieja"));
}

TEST(EditingProfile, DetailsAreSavedAndTheSummaryRedrawnButTheCaptionWaits) {
  SessionHarness h;
  h.Start();
  const auto path = h.MakeProfile("a.bv3", ProfileSetup{"", "Antiguo", "Propietario"});
  Open(h, path);
  ASSERT_EQ(Inside(h.window()).Resulta().PageKind(), PageKind::Summary);
  ModalScript script;
  script.Then("FEditarPerfil", [](QWidget* d) {
    EXPECT_EQ(test::Box(d, "Ed_Nombre")->text(), "Propietario");
    EXPECT_EQ(test::Box(d, "Ed_Titulo")->text(), "Antiguo");
    test::Box(d, "Ed_Titulo")->clear();
    Type(d, "Ed_Titulo", "Título nuevo");
    test::Click(d, "BtnOk");
  });
  h.Trigger("ActEditarPerfil");
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(ReadProfileHeader(path).header.Title, "T\xEDtulo nuevo");
  EXPECT_EQ(ReadProfileHeader(path).header.Owner, "Propietario");
  EXPECT_TRUE(Inside(h.window()).Resulta().toPlainText().contains("Título nuevo"));
  EXPECT_EQ(h.Caption(), "Brindlevault 3.5 - [Antiguo]");
  EXPECT_TRUE(h.Boxes().isEmpty());
}

}  // namespace
}  // namespace bv
