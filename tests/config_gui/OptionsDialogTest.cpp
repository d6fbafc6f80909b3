// The options dialog over the main window: what its first opening stores, what each click
// writes and passes on, a settings file that cannot be written, the account page redrawn
// in place, and the language list.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <memory>

#include "app/BrowserOptionsGroup.h"
#include "app/BrowserTexts.h"
#include "app/IdleLock.h"
#include "browser/DetailView.h"
#include "browser/ExpiringClipboard.h"
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

std::string Stored(std::string_view key) {
  return ReadString(settings::kConfiguracion, key, "(none)");
}

QCheckBox* Box(QDialog* dialog, const char* name) {
  auto* box = dialog->findChild<QCheckBox*>(QLatin1String(name));
  EXPECT_NE(box, nullptr) << name;
  return box;
}

void Click(QCheckBox* box) {
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
}

// Opens the options dialog, runs act on it while it is shown, then closes it.
void WithOptions(ToolWindow& t, const std::function<void(QDialog*)>& act) {
  bool ran = false;
  auto answer = WhenModal([&](QDialog* dialog) {
    act(dialog);
    ran = true;
    dialog->close();
  });
  t.Trigger("ActConfiguracion");
  EXPECT_TRUE(ran);
}

TEST(Options, FirstOpeningStoresWhatItShowsAsTicked) {
  ToolWindow t;
  TFPrincipal& w = t.Start();
  WithOptions(t, [&](QDialog* dialog) {
    EXPECT_EQ(dialog->objectName(), "FOpciones");
    EXPECT_EQ(dialog->windowTitle(), Msg(21));
    EXPECT_TRUE(Box(dialog, "CBCargaUltimo")->isChecked());
    EXPECT_FALSE(Box(dialog, "CBPrimero")->isChecked());
    EXPECT_FALSE(Box(dialog, "CBMostrar")->isChecked());
    EXPECT_TRUE(Box(dialog, "CBSalir")->isChecked());
    EXPECT_TRUE(Box(dialog, "CBCerrar")->isChecked());
    EXPECT_TRUE(Box(dialog, "CBBloquear")->isChecked());
    EXPECT_TRUE(Box(dialog, "CBSuspender")->isChecked());
    auto* list = dialog->findChild<QListWidget*>("BoxDll");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), "English");
    EXPECT_EQ(list->item(1)->text(), "Español");
    EXPECT_TRUE(list->selectedItems().isEmpty());
  });
  // Written without a click; the untouched options stay missing.
  EXPECT_EQ(Stored("CargaUltimo"), "1");
  EXPECT_EQ(Stored("DCBSalir"), "1");
  EXPECT_EQ(Stored("DCBCerrar"), "1");
  EXPECT_EQ(Stored("CerrarAlBloquear"), "1");
  EXPECT_EQ(Stored("CerrarAlSuspender"), "1");
  EXPECT_EQ(Stored("IrAlPrimero"), "(none)");
  EXPECT_EQ(Stored("MostrarPass"), "(none)");
  // CargaUltimo counts from the next start on.
  EXPECT_FALSE(Inside(w).Flags().CargaUltimo);
}

// Text half as large again, as on a scaled desktop, makes the dialog's controls taller than
// the screen: they scroll in their order, and Aceptar stays in sight below them.
TEST(Options, FitsASmallScreenWithItsGroupsInOrderAndAceptarInSight) {
  ToolWindow t;
  t.Start();
  const QFont normal = QApplication::font();
  QFont larger = normal;
  larger.setPointSizeF(normal.pointSizeF() * 1.5);
  QApplication::setFont(larger);
  WithOptions(t, [&](QDialog* dialog) {
    const QRect screen = dialog->screen()->availableGeometry();
    ASSERT_LT(screen.height(), dialog->sizeHint().height()) << "the screen is no smaller";
    EXPECT_TRUE(screen.contains(dialog->frameGeometry()))
        << dialog->frameGeometry().x() << "," << dialog->frameGeometry().y() << " "
        << dialog->frameGeometry().width() << "x" << dialog->frameGeometry().height();
    auto* ok = dialog->findChild<QPushButton*>("BtnOk");
    EXPECT_TRUE(ok->isVisible());
    EXPECT_TRUE(screen.contains(QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size())));

    auto* page = dialog->findChild<QScrollArea*>();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->verticalScrollBar()->isVisible());
    EXPECT_FALSE(page->horizontalScrollBar()->isVisible());
    int above = -1;
    for (const char* name :
         {"GrupoConf", "GrupoVisual", "GrupoIdioma", "GrupoCopias", "GrupoSesion"}) {
      auto* group = dialog->findChild<QGroupBox*>(QLatin1String(name));
      ASSERT_NE(group, nullptr) << name;
      const int top = group->mapTo(page->widget(), QPoint(0, 0)).y();
      EXPECT_GT(top, above) << name;
      above = top;
    }
    QCheckBox* last = Box(dialog, "CBSuspender");
    page->ensureWidgetVisible(last);
    EXPECT_FALSE(last->visibleRegion().isEmpty()) << "the last control is reached by scrolling";
  });
  QApplication::setFont(normal);
}

struct BoxCase {
  const char* box;
  const char* key;
  bool MainWindowFlags::*flag;  // null: no flag of the running window
};

TEST(Options, EveryClickWritesItsSettingAndSetsTheFlag) {
  const BoxCase cases[] = {
      {"CBCargaUltimo", "CargaUltimo", nullptr},
      {"CBPrimero", "IrAlPrimero", &MainWindowFlags::IrAlPrimero},
      {"CBMostrar", "MostrarPass", &MainWindowFlags::MostrarPass},
      {"CBSalir", "DCBSalir", &MainWindowFlags::DCBSalir},
      {"CBCerrar", "DCBCerrar", &MainWindowFlags::DCBCerrar},
      {"CBBloquear", "CerrarAlBloquear", &MainWindowFlags::CerrarAlBloquear},
      {"CBSuspender", "CerrarAlSuspender", &MainWindowFlags::CerrarAlSuspender},
  };
  ToolWindow t;
  t.folder.WriteSettings(
      "[Configuracion]\r\nCargaUltimo=0\r\nIrAlPrimero=0\r\nMostrarPass=0\r\nDCBSalir=0\r\n"
      "DCBCerrar=0\r\nCerrarAlBloquear=0\r\nCerrarAlSuspender=0\r\n");
  TFPrincipal& w = t.Start();
  WithOptions(t, [&](QDialog* dialog) {
    for (const BoxCase& c : cases) {
      SCOPED_TRACE(c.box);
      QCheckBox* box = Box(dialog, c.box);
      EXPECT_FALSE(box->isChecked());
      for (const bool on : {true, false}) {
        Click(box);
        EXPECT_EQ(box->isChecked(), on);
        EXPECT_EQ(Stored(c.key), on ? "1" : "0");
        if (c.flag) {
          EXPECT_EQ(Inside(w).Flags().*c.flag, on);
        }
      }
    }
    EXPECT_FALSE(Inside(w).Flags().CargaUltimo);
  });
  EXPECT_TRUE(t.fakes.boxes->shown.empty());
}

TEST(Options, TheTwoDelaysShowTheirDefaultsAndAChangeTakesEffectAtOnce) {
  using namespace std::chrono_literals;
  ToolWindow t;
  TFPrincipal& w = t.Start();
  WithOptions(t, [&](QDialog* dialog) {
    auto* vaciar = dialog->findChild<QSpinBox*>("SpinVaciarTras");
    auto* cerrar = dialog->findChild<QSpinBox*>("SpinCerrarTras");
    ASSERT_TRUE(vaciar && cerrar);
    EXPECT_EQ(vaciar->value(), 30);
    EXPECT_EQ(cerrar->value(), 0);
    EXPECT_EQ(Stored("VaciarTras"), "(none)");  // shown, not written
    vaciar->stepBy(-30);                        // as the arrows step it
    cerrar->stepBy(5);
  });
  EXPECT_EQ(Stored("VaciarTras"), "0");
  EXPECT_EQ(Stored("CerrarTras"), "5");
  EXPECT_EQ(Inside(w).Flags().VaciarTras, 0);
  EXPECT_EQ(Inside(w).ClipboardExpiry().Delay(), 0s);
  EXPECT_TRUE(Inside(w).Idle().Running());
}

// Below the language list: how many backups each save keeps, written at once for the next
// save to read.
TEST(Options, TheNumberOfBackupsShowsItsDefaultAndIsWrittenAtOnce) {
  ToolWindow t;
  t.Start();
  WithOptions(t, [&](QDialog* dialog) {
    const auto groups = dialog->findChildren<QGroupBox*>();
    const auto names = [&] {
      QStringList list;
      for (const QGroupBox* group : groups) list.append(group->objectName());
      return list;
    }();
    EXPECT_GT(names.indexOf("GrupoCopias"), names.indexOf("GrupoIdioma"))
        << names.join(',').toStdString();
    auto* copies = dialog->findChild<QSpinBox*>("SpinCopias");
    ASSERT_NE(copies, nullptr);
    EXPECT_EQ(copies->value(), 10);
    EXPECT_EQ(copies->maximum(), 100);
    EXPECT_EQ(Stored("CopiasSeguridad"), "(none)");  // shown, not written
    copies->stepBy(-10);
  });
  EXPECT_EQ(Stored("CopiasSeguridad"), "0");
  EXPECT_EQ(ReadBackupsKept(), 0);
  EXPECT_TRUE(t.fakes.boxes->shown.empty());
}

TEST(Options, AFailedWriteIsReportedAndLeavesBoxAndFlagAsStored) {
  ToolWindow t;
  // A folder where the settings file should be: no one, root included, can write it.
  std::filesystem::create_directory(t.folder.Settings());
  TFPrincipal& w = t.Start();
  const QString failure = QString::fromUtf8("No se puede escribir en ") +
                          QString::fromStdString(SettingsFilePath().string());
  WithOptions(t, [&](QDialog* dialog) {
    // Three boxes were ticked on showing; their failure is told once, and they still show.
    ASSERT_EQ(t.fakes.boxes->shown.size(), 1u);
    EXPECT_EQ(t.fakes.boxes->shown[0].text, failure);
    EXPECT_TRUE(Box(dialog, "CBSalir")->isChecked());

    Click(Box(dialog, "CBPrimero"));
    ASSERT_EQ(t.fakes.boxes->shown.size(), 2u);
    EXPECT_EQ(t.fakes.boxes->shown[1].text, failure);
    EXPECT_FALSE(Box(dialog, "CBPrimero")->isChecked());
    EXPECT_FALSE(Inside(w).Flags().IrAlPrimero);

    Click(Box(dialog, "CBSalir"));
    EXPECT_TRUE(Box(dialog, "CBSalir")->isChecked());
    EXPECT_TRUE(Inside(w).Flags().DCBSalir);
  });
}

TEST(Options, CBMostrarRedrawsTheAccountPageAtTheSameScrollPosition) {
  ToolWindow t;
  t.folder.WriteSettings("[Configuracion]\r\nMostrarPass=1\r\n");
  TFPrincipal& w = t.Start();
  TreeNode* account = t.LoadAccounts();
  account->data.Password = "clave-secreta";
  for (int i = 0; i < 60; ++i) account->data.Notes += "nota " + std::to_string(i) + "\r\n";
  Inside(w).SelectNode(account);
  DetailView& view = Inside(w).Resulta();
  ASSERT_TRUE(view.toPlainText().contains("clave-secreta"));
  ASSERT_GT(view.verticalScrollBar()->maximum(), 100);
  const int halfway = view.verticalScrollBar()->maximum() / 2;
  view.SetVerticalScroll(halfway);

  WithOptions(t, [&](QDialog* dialog) {
    EXPECT_TRUE(Box(dialog, "CBMostrar")->isChecked());
    EXPECT_EQ(view.VerticalScroll(), halfway);
    Click(Box(dialog, "CBMostrar"));
    EXPECT_FALSE(Inside(w).Flags().MostrarPass);
    EXPECT_FALSE(view.toPlainText().contains("clave-secreta"));
    EXPECT_TRUE(view.toPlainText().contains(Msg(105)));
    EXPECT_EQ(view.VerticalScroll(), halfway);
  });
}

// Qt's Yes button and the first entry of a text box's context menu.
QString ToolkitTexts() {
  QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Yes);
  QLineEdit edit;
  std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
  return box.button(QMessageBox::Yes)->text() + "|" +
         menu->actions().value(0)->text().section(QLatin1Char('\t'), 0, 0);  // without its shortcut
}

// The messages of the browser group that its texts do not show; empty when it shows them all.
std::string BrowserTextsMissing(QDialog* dialog) {
  QApplication::processEvents();  // the change of language reaches every window
  auto* group = dialog->findChild<BrowserOptionsGroup*>();
  if (!group) return "no browser group";
  QStringList shown = {group->title()};
  for (const auto* label : group->findChildren<QLabel*>()) shown << label->text();
  for (const auto* button : group->findChildren<QAbstractButton*>()) shown << button->text();
  std::string missing;
  for (const int n : {kMsgBrowserGroup, kMsgBrowserOn, kMsgBrowsers, kMsgHttpToo, kMsgExactPath,
                      kMsgNoProfileOpen, kMsgRemove, kMsgForgetSites})
    if (!shown.contains(Msg(n))) missing += " " + std::to_string(n);
  return missing;
}

TEST(Options, ALanguageOfTheListSwitchesTheProgramAtOnce) {
  ToolWindow t;
  TFPrincipal& w = t.Start();
  const QString spanishTitle = Msg(21);
  const auto english = t.Language("English.lng");
  WithOptions(t, [&](QDialog* dialog) {
    test::ClickListEntry(dialog, "English.lng");
    EXPECT_EQ(Stored("Recursos"), PathToSetting(english));
    EXPECT_EQ(ActiveLanguageFile(), english);
    // The dialog speaks English except for its title, which it got when it was created.
    EXPECT_EQ(dialog->findChild<QGroupBox*>("GrupoIdioma")->title(), "Language");
    EXPECT_EQ(dialog->windowTitle(), spanishTitle);
    EXPECT_EQ(BrowserTextsMissing(dialog), "");
    // The main window: texts, messages and the page on view.
    EXPECT_EQ(Inside(w).Action(ActionId::ActConfiguracion)->text(), "Brindlevault &settings");
    EXPECT_EQ(Msg(21), "Brindlevault settings");
    EXPECT_TRUE(Inside(w).Resulta().toPlainText().contains("Welcome to Brindlevault"));
    // The toolkit's own texts follow: standard buttons, a text box's context menu.
    EXPECT_EQ(ToolkitTexts(), "&Yes|&Undo");

    // Back to Spanish; a file removed since the list was filled changes nothing.
    test::ClickListEntry(dialog, "Español.lng");
    EXPECT_EQ(Msg(21), spanishTitle);
    EXPECT_EQ(ToolkitTexts(), QString::fromUtf8("&Sí|&Deshacer"));
    EXPECT_EQ(BrowserTextsMissing(dialog), "");
    std::filesystem::remove(english);
    test::ClickListEntry(dialog, "English.lng");
    EXPECT_EQ(ActiveLanguageFile(), t.Language("Español.lng"));
    EXPECT_EQ(PathFromSetting(Stored("Recursos")), t.Language("Español.lng"));
  });
}

}  // namespace
}  // namespace bv
