// ActExportarPerfil: in the File menu below the save commands, switched with the open
// profile; the CSV warning, the file it writes, and the KDBX password window's refusals.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <fstream>
#include <iterator>

#include "app/MainActions.h"
#include "config/QtText.h"
#include "support/gui/WindowCoverage.h"
#include "export/CsvExport.h"
#include "export/TFExportarPerfil.h"
#include "support/gui/ToolWindow.h"

namespace bv {
namespace {

using test::Inside;
namespace fs = std::filesystem;
using test::FakeBoxes;
using test::ToolWindow;

struct ProfileExport : ::testing::Test {
  void SetUp() override {
    t.Start();
    t.LoadAccounts()->data.Password = "clave \xF1";
  }
  QString At(const char* name) const {
    return QString::fromStdString((t.folder.path() / name).string());
  }
  ToolWindow t;
};

TEST_F(ProfileExport, StandsBelowTheSaveCommandsAndNeedsAProfile) {
  QAction* action = Inside(t.window()).Action(ActionId::ActExportarPerfil);
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(MainActions::CategoryOf(action), ActionCategory::PerfilOn);
  const QList<QAction*> items =
      Inside(t.window()).Action(ActionId::ActMenuArchivo)->menu()->actions();
  const auto at = items.indexOf(action);
  ASSERT_GT(at, 0);
  EXPECT_EQ(items[at - 1]->objectName(), "ActGuardarComo");
  EXPECT_TRUE(items[at + 1]->isSeparator());
  Inside(t.window()).EnableActionCategories({}, {ActionCategory::PerfilOn});
  EXPECT_FALSE(action->isEnabled());
}

TEST_F(ProfileExport, CsvIsWrittenOnlyAfterTheWarningIsAnsweredYes) {
  t.fakes.files->answers = QStringList{At("todo.csv"), At("todo.CSV")};
  t.fakes.boxes->answers = {false};
  Inside(t.window()).Action(ActionId::ActExportarPerfil)->trigger();
  ASSERT_EQ(t.fakes.boxes->shown.size(), 1u);
  EXPECT_EQ(t.fakes.boxes->shown[0].kind, FakeBoxes::Kind::Warning);
  EXPECT_EQ(t.fakes.boxes->shown[0].text, Msg(128));
  EXPECT_FALSE(fs::exists(t.folder.path() / "todo.csv"));

  t.fakes.boxes->answers = {true};
  Inside(t.window()).Action(ActionId::ActExportarPerfil)->trigger();
  EXPECT_EQ(t.fakes.files->titles.back(), "Exportar perfil");
  const fs::path written = t.folder.path() / "todo.CSV";
  EXPECT_EQ(fs::status(written).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  std::ifstream in(written, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
            ProfileCsv(Inside(t.window()).Tree(), CsvRows::Accounts));
  EXPECT_EQ(t.fakes.boxes->shown.size(), 2u);  // the two warnings, no error
}

// The third type of the dialog keeps every category and group for this program.
TEST_F(ProfileExport, TheFullCsvTypeWritesTheWholeTree) {
  Inside(t.window())
      .Tree()
      .Append(nullptr, TNodeData::Create(NodeKind::Category, 3));  // holds nothing
  t.fakes.files->answers = QStringList{At("completo.csv")};
  t.fakes.files->chosenFilter = 2;
  t.fakes.boxes->answers = {true};
  Inside(t.window()).Action(ActionId::ActExportarPerfil)->trigger();
  std::ifstream in(t.folder.path() / "completo.csv", std::ios::binary);
  const std::string written(std::istreambuf_iterator<char>(in), {});
  EXPECT_EQ(written, ProfileCsv(Inside(t.window()).Tree(), CsvRows::FullTree));
  EXPECT_NE(written, ProfileCsv(Inside(t.window()).Tree(), CsvRows::Accounts));
}

// Answers the password window with two entries, then presses Aceptar once and Cancelar.
void AnswerPasswords(const QString& first, const QString& second) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, first, second] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog || dialog->objectName() != "FExportarPerfil") return;
    timer->stop();
    timer->deleteLater();
    test::ExpectCoveredByLanguageFiles(dialog);
    dialog->findChild<QLineEdit*>("Ed_Pass")->setText(first);
    dialog->findChild<QLineEdit*>("Ed_RePass")->setText(second);
    dialog->findChild<QPushButton*>("BtnOk")->click();
    if (dialog->isVisible()) dialog->findChild<QPushButton*>("BtnCancelar")->click();
  });
  timer->start(20);
}

TEST_F(ProfileExport, KdbxPasswordsThatDifferOrAreEmptyAreRefused) {
  for (const auto& [first, second, message] :
       {std::tuple{QStringLiteral("uno"), QStringLiteral("dos"), 127},
        std::tuple{QString(), QString(), 126}}) {
    t.fakes.boxes->shown.clear();
    t.fakes.files->answers = QStringList{At("todo.kdbx")};
    AnswerPasswords(first, second);
    Inside(t.window()).Action(ActionId::ActExportarPerfil)->trigger();
    ASSERT_EQ(t.fakes.boxes->shown.size(), 1u);
    EXPECT_EQ(t.fakes.boxes->shown[0].kind, FakeBoxes::Kind::Error);
    EXPECT_EQ(t.fakes.boxes->shown[0].text, Msg(message));
    EXPECT_FALSE(Msg(message).isEmpty());
    EXPECT_FALSE(fs::exists(t.folder.path() / "todo.kdbx"));
  }
}

}  // namespace
}  // namespace bv
