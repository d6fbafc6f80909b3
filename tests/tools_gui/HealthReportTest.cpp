// The password health report over the main window: what it lists and in which order, what
// it never shows, selecting from it, following edits, closing with the profile; the breach
// list chosen in the options; and the strength bar under a password box.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>

#include "app/SessionController.h"
#include "app/TFPrincipal.h"
#include "app/ToolCommands.h"
#include "app/ToolkitTranslation.h"
#include "browser/TreeModel.h"
#include "config/BreachListSetting.h"
#include "config/LanguageList.h"
#include "config/QtText.h"
#include "config/Settings.h"
#include "config/Messages.h"
#include "support/ScratchFolder.h"
#include "support/StrengthWords.h"
#include "support/gui/ToolWindow.h"
#include "support/gui/WindowCoverage.h"
#include "tools/BreachList.h"
#include "tools/TFSaludClaves.h"
#include "tools/PasswordStrength.h"
#include "tools/StrengthBar.h"

namespace bv {
namespace {

using test::Inside;
using test::ToolWindow;

constexpr const char* kStrong = "vR2@mK4$wZ8&Xq7#pL9!";

// Personal(Banco Correo): Banco's password is empty, Correo's is its name in capitals.
class HealthReport : public ::testing::Test {
 protected:
  HealthReport() : w(t.Start()) {
    t.LoadAccounts();
    t.Account("Correo")->data.Password = "CORREO";
  }

  TFSaludClaves* Open() {
    t.Trigger("ActSaludClaves");
    auto* report = w.findChild<TFSaludClaves*>();
    EXPECT_NE(report, nullptr);
    if (report) {
      EXPECT_TRUE(report->isVisible());
    }
    return report;
  }
  static QTreeWidget* List(TFSaludClaves* report) {
    return report->findChild<QTreeWidget*>("Lista");
  }
  // "path|findings|strength[|password]" per row.
  static QStringList Rows(TFSaludClaves* report) {
    QStringList rows;
    QTreeWidget* list = List(report);
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      QStringList cells;
      for (int c = 0; c < list->columnCount(); ++c) cells << list->topLevelItem(i)->text(c);
      rows << cells.join('|');
    }
    return rows;
  }
  static QString Label(TFSaludClaves* report, const char* name) {
    return report->findChild<QLabel*>(name)->text();
  }

  ToolWindow t;
  TFPrincipal& w;
};

TEST_F(HealthReport, ListsWorstFirstWithCountsAndNoPassword) {
  TFSaludClaves* report = Open();
  ASSERT_NE(report, nullptr);
  test::ExpectCoveredByLanguageFiles(report);
  EXPECT_EQ(report->windowTitle(), Msg(205));
  EXPECT_EQ(Rows(report).join('\n').toStdString(),
            ("Personal / Banco|" + Msg(207) + "|\nPersonal / Correo|" + Msg(211) + ", " + Msg(212) +
             "|" + Msg(200))
                .toStdString());
  EXPECT_EQ(List(report)->headerItem()->text(0), Msg(217));
  EXPECT_EQ(List(report)->columnCount(), 3);  // no password column
  EXPECT_EQ(Label(report, "notraResumen"), Msg(206).arg(2).arg(2));
  EXPECT_EQ(Label(report, "notraCuentas"),
            Msg(225).arg(1).arg(0).arg(Msg(528)).arg(0).arg(1).arg(1).arg(0));
  EXPECT_EQ(Label(report, "notraFiltradas"), Msg(215));  // no breach list chosen
  // At the report's size the note takes the lines it needs below the list, over none of it.
  report->layout()->activate();
  auto* note = report->findChild<QLabel*>("notraFiltradas");
  EXPECT_FALSE(note->geometry().intersects(List(report)->geometry()));
  EXPECT_GE(note->height(), note->heightForWidth(note->width()));
  EXPECT_FALSE(Rows(report).join(' ').contains("CORREO"));
}

TEST_F(HealthReport, ShowsPasswordsOnlyWhereThePageWould) {
  WriteBool(settings::kConfiguracion, settings::kMostrarPass, true);
  TFSaludClaves* report = Open();
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(List(report)->headerItem()->text(3), Msg(220));
  EXPECT_TRUE(Rows(report).last().endsWith("|CORREO"));
}

TEST_F(HealthReport, EnterOnARowSelectsTheAccountAndKeepsTheReport) {
  TFSaludClaves* report = Open();
  ASSERT_NE(report, nullptr);
  QTreeWidget* list = List(report);
  list->setFocus();
  list->setCurrentItem(list->topLevelItem(1));
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(Inside(w).SelectedNode(), t.Account("Correo"));
  EXPECT_TRUE(report->isVisible());
  list->setCurrentItem(list->topLevelItem(0));
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(Inside(w).SelectedNode(), t.Account("Banco"));
}

TEST_F(HealthReport, FollowsEditsAndDeletionsAndClosesWithTheProfile) {
  TFSaludClaves* report = Open();
  ASSERT_NE(report, nullptr);
  // Edited while the report is open: shown again, it is up to date.
  TreeNode* correo = t.Account("Correo");
  correo->data.Password = kStrong;
  Inside(w).TreeModel().NodeChanged(correo);
  t.Trigger("ActSaludClaves");
  EXPECT_EQ(Rows(report).join('\n').toStdString(),
            ("Personal / Banco|" + Msg(207) + "|").toStdString());

  // Deleted while the report stays open: brought back to the front, it is made anew, and a
  // row of the old report never selects a node that is gone.
  Inside(w).TreeModel().Remove(t.Account("Banco"));
  QSignalSpy chosen(report, &TFSaludClaves::nodeChosen);
  QTreeWidget* list = List(report);
  emit list->itemActivated(list->topLevelItem(0), 0);
  EXPECT_EQ(chosen.count(), 0);
  EXPECT_TRUE(Rows(report).isEmpty());
  EXPECT_EQ(Label(report, "notraCuentas"), Msg(214));

  correo->data.Password = "123456";
  Inside(w).TreeModel().NodeChanged(correo);
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(report, &activate);
  QApplication::processEvents();
  EXPECT_EQ(Rows(report).size(), 1);

  ASSERT_TRUE(w.Sessions().CloseProfile());
  EXPECT_FALSE(report->isVisible());
  EXPECT_EQ(List(report)->topLevelItemCount(), 0);  // nothing of the profile stays shown
  EXPECT_FALSE(Inside(w).Action(ActionId::ActSaludClaves)->isEnabled());
}

// Edits while the report is open show at once; the selection stays on its account, and a
// stale row selects its own account or none.
TEST_F(HealthReport, RefreshesAtOnceAndKeepsTheSelectedAccount) {
  TFSaludClaves* report = Open();
  ASSERT_NE(report, nullptr);
  QTreeWidget* list = List(report);
  list->setCurrentItem(list->topLevelItem(1));
  ASSERT_EQ(report->SelectedAccount(), t.Account("Correo"));
  TreeNode* banco = t.Account("Banco");
  banco->data.Password = kStrong;  // Banco leaves the report: Correo's row moves up
  Inside(w).TreeModel().NodeChanged(banco);
  QApplication::processEvents();
  EXPECT_EQ(Rows(report).size(), 1);
  EXPECT_EQ(report->SelectedAccount(), t.Account("Correo"));
  EXPECT_TRUE(list->currentItem()->text(0).endsWith("Correo"));

  banco->data.Password = "";  // back, above Correo, while the report has not been redone
  Inside(w).TreeModel().NodeChanged(banco);
  emit list->itemActivated(list->topLevelItem(0), 0);  // the row that was Correo's
  EXPECT_EQ(Inside(w).SelectedNode(), t.Account("Correo"));
  EXPECT_EQ(Rows(report).size(), 2);
  EXPECT_EQ(report->SelectedAccount(), t.Account("Correo"));
}

TEST_F(HealthReport, SortsByAColumnAndOpensBesideTheTree) {
  TFSaludClaves* report = Open();
  ASSERT_NE(report, nullptr);
  QHeaderView* header = List(report)->header();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
  const QStringList first = Rows(report);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
  QStringList second = Rows(report);
  EXPECT_NE(first, second);  // one click sorts by the path, the next the other way round
  std::reverse(second.begin(), second.end());
  EXPECT_EQ(first, second);

  // Beside the main window where the screen has room; else at the screen's right edge, over
  // the detail view rather than the tree.
  QWidget* tree = w.findChild<QWidget*>("BVTree");
  ASSERT_NE(tree, nullptr);
  const QRect treeOnScreen(tree->mapToGlobal(QPoint(0, 0)), tree->size());
  const QRect room = w.screen()->availableGeometry();
  const QRect placed = report->frameGeometry();
  if (room.width() >= w.frameGeometry().width() + placed.width())
    EXPECT_FALSE(placed.intersects(treeOnScreen));
  else
    EXPECT_NEAR(placed.right(), room.right(), 8);  // the frame's width aside
}

TEST_F(HealthReport, SpeaksTheProgramsLanguageAtOnce) {
  test::ScratchFolder scratch;
  test::WriteFile(scratch / "pwned.txt", Sha1Hex(PasswordSha1("CORREO")) + ":5000000000\r\n");
  TFSaludClaves* report = Open();
  ASSERT_NE(report, nullptr);
  // Without a list nothing was checked: not "0 breached".
  EXPECT_TRUE(Label(report, "notraCuentas").contains(Msg(528)));
  WriteBreachListPath(scratch / "pwned.txt");
  FollowProgramLanguage();  // the Spanish file's es_ES: counts grouped as in Spanish
  report->findChild<QPushButton*>("BtnActualizar")->click();
  EXPECT_TRUE(Rows(report).last().contains(Msg(209).arg("5.000.000.000")))
      << Rows(report).join('\n').toStdString() << " " << QLocale().name().toStdString();

  SetActiveLanguageFile(t.Language("English.lng"));
  Inside(w).ApplyLanguage();
  QApplication::processEvents();
  EXPECT_EQ(report->windowTitle(), "Password health");
  EXPECT_EQ(report->findChild<QPushButton*>("BtnCerrar")->text(), "Close");
  EXPECT_TRUE(Rows(report).last().contains("5,000,000,000"))
      << Rows(report).join('\n').toStdString();
}

TEST_F(HealthReport, ReadsTheBreachListOfTheOptionsOrSaysWhyNot) {
  test::ScratchFolder scratch;
  const std::string line = Sha1Hex(PasswordSha1("CORREO")) + ":42\r\n";
  test::WriteFile(scratch / "pwned.txt", line);
  WriteBreachListPath(scratch / "pwned.txt");
  TFSaludClaves* report = Open();
  ASSERT_NE(report, nullptr);
  EXPECT_TRUE(Rows(report).last().contains(Msg(209).arg(42)))
      << Rows(report).join('\n').toStdString();
  EXPECT_FALSE(report->findChild<QLabel*>("notraFiltradas")->isVisibleTo(report));

  test::WriteFile(scratch / "pwned.txt", "not a list\r\n");
  report->findChild<QPushButton*>("BtnActualizar")->click();
  EXPECT_EQ(Label(report, "notraFiltradas"),
            Msg(223).arg(PathToQString(scratch / "pwned.txt"), "0"));
  EXPECT_EQ(Rows(report).size(), 2);  // the report itself goes on without the list
}

// Elegir opens the list at once: a refused file is reported and not kept; Quitar forgets it.
TEST_F(HealthReport, OptionsKeepOnlyAListThatReads) {
  test::ScratchFolder scratch;
  test::WriteFile(scratch / "good.txt", Sha1Hex(PasswordSha1("x")) + ":1\r\n");
  test::WriteFile(scratch / "bad.txt", "password123\r\n");
  ASSERT_EQ(::mkfifo((scratch / "fifo").c_str(), 0600), 0);
  t.fakes.files->answers = {PathToQString(scratch / "bad.txt"), PathToQString(scratch / "fifo"),
                            PathToQString(scratch / "good.txt")};
  bool ran = false;
  auto answer = test::WhenModal([&](QDialog* dialog) {
    test::ExpectCoveredByLanguageFiles(dialog);
    auto* shown = dialog->findChild<QLineEdit*>("Ed_Filtradas");
    auto* choose = dialog->findChild<QPushButton*>("BtnElegirLista");
    auto* remove = dialog->findChild<QPushButton*>("BtnQuitarLista");
    EXPECT_FALSE(remove->isEnabled());
    choose->click();
    ASSERT_EQ(t.fakes.boxes->shown.size(), 1U);
    EXPECT_TRUE(t.fakes.boxes->shown[0].text.startsWith(Msg(223).section("%1", 0, 0)));
    EXPECT_EQ(ReadBreachListPath(), std::filesystem::path());
    choose->click();  // a FIFO: said to be no regular file, in the program's language
    ASSERT_EQ(t.fakes.boxes->shown.size(), 2U);
    EXPECT_EQ(t.fakes.boxes->shown[1].text, Msg(529).arg(PathToQString(scratch / "fifo")));
    EXPECT_EQ(ReadBreachListPath(), std::filesystem::path());
    choose->click();
    EXPECT_EQ(ReadBreachListPath(), scratch / "good.txt");
    EXPECT_EQ(shown->text(), PathToQString(scratch / "good.txt"));
    EXPECT_EQ(t.fakes.files->titles.last(), "Elegir la lista de contrase\u00f1as filtradas");
    remove->click();
    EXPECT_EQ(ReadBreachListPath(), std::filesystem::path());
    EXPECT_EQ(shown->text(), "");
    ran = true;
    dialog->close();
  });
  t.Trigger("ActConfiguracion");
  EXPECT_TRUE(ran);
}

TEST(StrengthBar, FollowsEveryKeystroke) {
  test::ToolWindow t;  // the shipped Spanish messages
  t.Start();
  QLineEdit box;
  StrengthBar bar("BarraFuerza", nullptr);
  bar.Follow(&box);
  EXPECT_EQ(bar.Score(), -1);
  EXPECT_EQ(bar.Word(), "");
  QTest::keyClicks(&box, "123456");
  EXPECT_EQ(bar.Score(), 0);
  EXPECT_EQ(bar.findChild<QLabel*>("notraFuerza")->text(), Msg(200));
  QTest::keyClicks(&box, "-Ventisca#Morada-91");
  EXPECT_EQ(bar.Score(), 4);
  EXPECT_EQ(bar.findChild<QLabel*>("notraFuerza")->text(), Msg(204));
  box.clear();
  EXPECT_EQ(bar.findChild<QLabel*>("notraFuerza")->text(), "");
}

TEST(StrengthBar, CallsTheWordsOfTheShippedLanguagesWeak) {
  test::ToolWindow t;
  t.Start();
  QLineEdit userName;
  QLineEdit box;
  StrengthBar bar("BarraFuerza", nullptr);
  bar.Follow(&box);
  bar.KnowWordsOf({&userName});
  for (const test::StrengthRow& row : test::StrengthRows()) {
    userName.setText(FromCp1252(row.userName));
    box.setText(FromCp1252(row.password));
    EXPECT_EQ(bar.Score() <= kWeakestScore, row.weak) << row.password;
    EXPECT_EQ(bar.findChild<QLabel*>("notraFuerza")->text(), Msg(200 + bar.Score()));
  }
}

}  // namespace
}  // namespace bv
