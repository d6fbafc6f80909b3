// The open dialog of the file seam: every file listed under "Todos los archivos", a typed
// name taken as it is, even one that does not exist (the profile load reports it).

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <fstream>

#include "app/QtSeams.h"
#include "support/gui/WindowHarness.h"
#include "config/Messages.h"
#include "config/Translation.h"

namespace bv {
namespace {

TEST(OpenDialog, TakesATypedNameAsItIsAndListsFilesWithoutExtension) {
  test::ProgramFolder folder;
  std::ofstream(folder.path() / "sin_extension") << "x";
  FileDialogEntry setup(FileDialogEntry::Kind::Open, "ODPerfil", nullptr, "Abrir",
                        "Archivo de perfil (*.bv3)|*.bv3|Todos los archivos (*.*)|*.*", "bv3");
  const QString dir = QString::fromStdString(folder.path().string());
  auto dialog = MakeOpenDialog(setup, dir);
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  EXPECT_TRUE(dialog->defaultSuffix().isEmpty());
  dialog->selectNameFilter(dialog->nameFilters().value(1));
  EXPECT_EQ(dialog->selectedNameFilter(), "Todos los archivos (*)");
  EXPECT_TRUE(QDir(dir).entryList(QStringList("*"), QDir::Files).contains("sin_extension"));

  dialog->show();
  auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
  ASSERT_NE(name, nullptr);
  name->setText("perdido");
  QTest::keyClick(name, Qt::Key_Return);
  EXPECT_EQ(dialog->result(), QDialog::Accepted) << "no box of the toolkit's own";
  EXPECT_EQ(dialog->selectedFiles(), QStringList(dir + "/perdido"));
}

// The profile load reports the missing file with the run-time text, as every other way.
TEST(OpenDialog, AMissingTypedNameIsReportedByTheLoad) {
  test::WindowHarness h;
  h.Start();
  h.fakes.files->answers =
      QStringList{QString::fromStdString((h.folder.path() / "perdido").string())};
  h.Act("ActAbrir")->trigger();
  ASSERT_EQ(h.fakes.boxes->shown.size(), 1u);
  EXPECT_EQ(h.fakes.boxes->shown[0].text, "Archivo no encontrado");
}

}  // namespace
}  // namespace bv
