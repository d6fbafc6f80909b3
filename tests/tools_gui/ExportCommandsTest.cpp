// The main window's commands that take an account out of the program, and its tools: the
// account page's export links behind their save dialogs, ActImprimir through the printer
// dialog, ActGenerador and ActBuscar.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "browser/DetailPage.h"
#include "browser/DetailView.h"
#include "support/gui/ViewProbe.h"
#include "config/QtText.h"
#include "support/gui/ToolWindow.h"
#include "support/gui/SessionBackDoor.h"

namespace bv {
namespace {

using test::Inside;
namespace fs = std::filesystem;
using test::ToolWindow;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

struct AccountShown : ::testing::Test {
  void SetUp() override {
    t.Start();
    account = t.LoadAccounts();
    account->data.UserName = "ana";
    Inside(t.window()).SelectNode(account);
  }
  QString At(const char* name) const {
    return QString::fromStdString((t.folder.path() / name).string());
  }
  // Clicks the link of the account page whose text is message n.
  void ClickLink(int n) {
    DetailView& view = Inside(t.window()).Resulta();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, test::PointInside(view, Msg(n)));
  }

  ToolWindow t;
  TreeNode* account = nullptr;
};

TEST_F(AccountShown, TheExportLinksSaveWhereTheirDialogsSay) {
  t.fakes.files->answers = QStringList{At("banco.txt"), At("banco.html")};
  ClickLink(64);  // "Exportar como texto"
  ClickLink(65);  // "Exportar como HTML"
  EXPECT_EQ(t.fakes.files->titles,
            QStringList({"Exportar cuenta como TXT", "Exportar cuenta como HTML"}));
  const std::string text = Read(t.folder.path() / "banco.txt");
  int lines = 0;
  for (auto at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
    ++lines;
  EXPECT_EQ(lines, 48);
  EXPECT_NE(text.find("\r\n ana\r\n"), std::string::npos);
  EXPECT_NE(Read(t.folder.path() / "banco.html").find("<TITLE>Banco</TITLE>"), std::string::npos);
  EXPECT_TRUE(fs::exists(t.folder.path() / "img1.bmp"));
  EXPECT_TRUE(t.fakes.boxes->shown.empty());
}

TEST_F(AccountShown, CancelledDialogsWriteNothingAndFailuresAreShown) {
  ClickLink(64);
  ClickLink(65);
  EXPECT_EQ(t.fakes.files->titles.size(), 2);
  EXPECT_TRUE(t.fakes.boxes->shown.empty());
  EXPECT_FALSE(fs::exists(t.folder.path() / "img1.bmp"));

  // The path is UTF-8 on disk, decoded once so that accented letters arrive whole; the reason
  // is the run-time text of the program's language.
  t.fakes.files->answers = QStringList{At("sin carpeta ñ/banco.txt"), At("sin carpeta ñ/b.html")};
  ClickLink(64);
  ClickLink(65);
  const QString reason = QString::fromUtf8("Archivo no encontrado");
  ASSERT_EQ(t.fakes.boxes->shown.size(), 2u);
  EXPECT_EQ(t.fakes.boxes->shown[0].text.toStdString(),
            ("No se puede crear el archivo \"" + At("sin carpeta ñ/banco.txt") + "\". " + reason)
                .toStdString());
  EXPECT_EQ(t.fakes.boxes->shown[1].text, reason);
}

TEST_F(AccountShown, TheSummaryShowsAccentedNamesAndFileErrorsWhole) {
  std::ofstream(t.folder.path() / "perfil ñ.bv3") << "x";
  // The file name is shown as Windows-1252 text, like every text of the page.
  EXPECT_EQ(
      ComputeSummary(t.folder.path() / "perfil ñ.bv3", {}, Inside(t.window()).Tree()).FileName,
      "perfil \xF1.bv3");
  // A folder part that is a file: "Nombre de Archivo inválido".
  test::SessionOf(t.window()).ProfilePath = t.folder.path() / "perfil ñ.bv3" / "otro.bv3";
  Inside(t.window()).ShowProfileSummary();
  ASSERT_EQ(t.fakes.boxes->shown.size(), 1u);
  EXPECT_EQ(t.fakes.boxes->shown[0].text, QString::fromUtf8("Nombre de Archivo inválido"));
}

TEST_F(AccountShown, ActImprimirPrintsThroughThePrinterDialog) {
  t.printer->pdf = At("banco.pdf");
  t.Trigger("ActImprimir");
  EXPECT_EQ(t.printer->shown, 1);
  ASSERT_TRUE(QFile::exists(At("banco.pdf")));
  EXPECT_EQ(Read(t.folder.path() / "banco.pdf").substr(0, 5), "%PDF-");

  t.printer->pdf.clear();  // cancelled
  t.Trigger("ActImprimir");
  EXPECT_EQ(t.printer->shown, 2);
  EXPECT_FALSE(QFile::exists(At("banco.pdf.1")));
}

TEST_F(AccountShown, ActGeneradorCopiesTheNewPassword) {
  QString generated;
  auto answer = test::WhenModal([&](QDialog* generator) {
    EXPECT_EQ(generator->objectName(), "FGenPass");
    EXPECT_EQ(generator->windowTitle(), Msg(22));
    EXPECT_TRUE(generator->findChild<QPushButton*>("BtnCopiar")->isVisible());
    generator->findChild<QPushButton*>("BtnGenerar")->click();
    // A copy of its own: the dialog overwrites its box's buffer when it closes.
    const QString shown = generator->findChild<QLineEdit*>("Resultado")->text();
    generated = QString(shown.constData(), shown.size());
    generator->findChild<QPushButton*>("BtnCopiar")->click();
    generator->close();
  });
  t.Trigger("ActGenerador");
  EXPECT_FALSE(generated.isEmpty());
  EXPECT_EQ(t.fakes.clipboard->text, generated);  // through the window's clipboard
}

TEST_F(AccountShown, ActBuscarSelectsTheChosenNodeInTheTree) {
  auto answer = test::WhenModal([&](QDialog* search) {
    EXPECT_EQ(search->objectName(), "FBusqueda");
    search->findChild<QLineEdit*>("Busca")->setText("Corr");
    search->findChild<QPushButton*>("BtnBuscar")->click();
    auto* list = search->findChild<QTreeWidget*>("Lista");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    list->setCurrentItem(list->topLevelItem(0));
    EXPECT_EQ(Inside(t.window()).SelectedNode(), t.Account("Correo"));
    search->close();
  });
  t.Trigger("ActBuscar");
  EXPECT_EQ(Inside(t.window()).SelectedNode(), t.Account("Correo"));
  EXPECT_EQ(Inside(t.window()).Resulta().PageKind(), PageKind::Account);
}

}  // namespace
}  // namespace bv
