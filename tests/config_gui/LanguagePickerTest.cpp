// The first-run language picker at the main window's first activation: preview, Aceptar
// with and without a choice, and closing it by its title bar.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <fstream>

#include "browser/DetailView.h"
#include "config/LanguageList.h"
#include "config/Messages.h"
#include "config/ProgramPaths.h"
#include "config/QtText.h"
#include "config/Settings.h"
#include "support/gui/ToolWindow.h"

namespace bv {
namespace {

using test::Inside;
using test::ToolWindow;
using test::WhenModal;

std::string StoredRecursos() {
  return ReadString(settings::kConfiguracion, settings::kRecursos, "(none)");
}
std::string StoredStartLanguage() {
  return ReadString(settings::kGeneral, settings::kStartLanguage, "(none)");
}

QString Caption(QWidget* dialog, const char* name) {
  if (auto* group = dialog->findChild<QGroupBox*>(name)) return group->title();
  if (auto* button = dialog->findChild<QPushButton*>(name)) return button->text();
  ADD_FAILURE() << "no control " << name;
  return {};
}

TEST(Picker, ShownAtFirstActivationOnlyWhileStartLanguageIsOn) {
  const struct {
    const char* settings;
    bool shown;
  } cases[] = {
      {"", true}, {"[General]\nStartLanguage=1\n", true}, {"[General]\nStartLanguage=0\n", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.settings);
    ToolWindow t;
    t.folder.WriteSettings(c.settings);
    QString title;
    auto answer = WhenModal([&](QDialog* dialog) {
      title = dialog->windowTitle();
      dialog->close();
    });
    t.Start(true);
    EXPECT_EQ(title, c.shown ? "Bienvenido // Welcome" : "");
    QApplication::processEvents();
    // Whatever happened, the window goes on to its welcome page.
    EXPECT_EQ(Inside(t.window()).Resulta().PageKind(), PageKind::Welcome);
  }
}

TEST(Picker, AClickPreviewsTheLanguageAndAceptarSwitchesTheProgram) {
  ToolWindow t;
  const auto english = t.Language("English.lng");
  bool previewed = false;
  auto answer = WhenModal([&](QDialog* picker) {
    EXPECT_EQ(picker->objectName(), "FIdiomaInicio");
    EXPECT_EQ(Caption(picker, "FlatGroupBox1"), "Seleccione su idioma // Select your language");
    test::ClickListEntry(picker, "English.lng");
    EXPECT_EQ(Caption(picker, "FlatGroupBox1"), "Select your language // Seleccione su idioma");
    EXPECT_EQ(Caption(picker, "BtnOk"), "OK");
    // Only a preview: the main window and the stored settings have not changed.
    EXPECT_EQ(Inside(t.window()).Action(ActionId::ActConfiguracion)->text(),
              "&Configuración de Brindlevault");
    EXPECT_EQ(StoredStartLanguage(), "(none)");
    previewed = true;
    picker->findChild<QPushButton*>("BtnOk")->click();
  });
  TFPrincipal& w = t.Start(true);
  ASSERT_TRUE(previewed);
  EXPECT_EQ(StoredStartLanguage(), "0");
  EXPECT_EQ(PathFromSetting(StoredRecursos()), english);
  EXPECT_EQ(ActiveLanguageFile(), english);
  EXPECT_EQ(Inside(w).Action(ActionId::ActConfiguracion)->text(), "Brindlevault &settings");
  EXPECT_EQ(Msg(70), "Open a profile or create a new one from the File menu.");
  EXPECT_TRUE(Inside(w).Resulta().toPlainText().contains("Welcome to Brindlevault"));
}

TEST(Picker, AceptarWithNothingSelectedStoresAnEmptyLanguage) {
  ToolWindow t;
  // Started in English, as an earlier run may have left it with the picker still due.
  const auto english = t.Language("English.lng");
  t.folder.WriteSettings("[Configuracion]\nRecursos=" + PathToSetting(english) + "\n");
  SelectStartLanguage();
  auto answer =
      WhenModal([](QDialog* picker) { picker->findChild<QPushButton*>("BtnOk")->click(); });
  TFPrincipal& w = t.Start(true);
  EXPECT_EQ(StoredStartLanguage(), "0");
  EXPECT_EQ(StoredRecursos(), "");
  EXPECT_TRUE(ActiveLanguageFile().empty());
  // The main window keeps its texts and messages; a dialog opened now has its own texts.
  EXPECT_EQ(Inside(w).Action(ActionId::ActConfiguracion)->text(), "Brindlevault &settings");
  EXPECT_EQ(Msg(21), "Brindlevault settings");
  QString group;
  auto options = WhenModal([&](QDialog* dialog) {
    group = Caption(dialog, "GrupoIdioma");
    dialog->close();
  });
  t.Trigger("ActConfiguracion");
  EXPECT_EQ(group, "Idioma");
  // The next start takes the default language.
  SelectStartLanguage();
  EXPECT_EQ(ActiveLanguageFile(), t.Language("Español.lng"));
}

TEST(Picker, TheKeyboardAlonePicksALanguage) {
  ToolWindow t;
  QStringList seen;
  auto answer = WhenModal([&](QDialog* picker) {
    auto* list = picker->findChild<QListWidget*>("BoxDll");
    // Where a key goes: the control that has the focus in the picker.
    const auto focused = [picker] {
      return picker->focusWidget() ? picker->focusWidget() : picker;
    };
    seen << focused()->objectName();
    seen << QString::number(list->selectedItems().size());  // nothing chosen at first
    QTest::keyClick(focused(), Qt::Key_Down);
    seen << (list->currentItem() ? list->currentItem()->text() : "-");  // the first, not the second
    QTest::keyClick(focused(), Qt::Key_Down);
    seen << (list->currentItem() ? list->currentItem()->text() : "-");
    QTest::keyClick(focused(), Qt::Key_Return);
  });
  t.Start(true);
  EXPECT_EQ(seen, QStringList({"BtnOk", "0", "English", "Espa\u00f1ol"}));
  EXPECT_EQ(ActiveLanguageFile(), t.Language("Espa\u00f1ol.lng"));
  EXPECT_EQ(StoredStartLanguage(), "0");
}

TEST(Picker, ClosingItByTheTitleBarWritesNothing) {
  ToolWindow t;
  auto answer = WhenModal([](QDialog* picker) {
    test::ClickListEntry(picker, "English.lng");
    picker->close();
  });
  TFPrincipal& w = t.Start(true);
  EXPECT_FALSE(std::filesystem::exists(t.folder.Settings()));
  // The language clicked stays for the windows still to come; the main window keeps its own.
  EXPECT_EQ(ActiveLanguageFile(), t.Language("English.lng"));
  EXPECT_EQ(Inside(w).Action(ActionId::ActConfiguracion)->text(), "&Configuración de Brindlevault");
}

TEST(Picker, ListsTheLanguagesAsAPersonReadsThem) {
  test::ProgramFolder folder;
  const auto res = folder.path() / "res";
  std::filesystem::remove(res / kDefaultLanguageFileName);
  for (const char* name :
       {"Zulu.lng", "espa\u00f1ol.lng", "\u00c4gypt.lng", "english.lng", "Deutsch.LNG"})
    std::ofstream(res / name) << "";
  LanguageList list;
  list.Fill(res);
  QStringList shown;
  for (int i = 0; i < list.count(); ++i) shown << list.item(i)->text();
  EXPECT_EQ(shown, QStringList({"\u00c4gypt", "Deutsch", "english", "espa\u00f1ol", "Zulu"}));
}

}  // namespace
}  // namespace bv
