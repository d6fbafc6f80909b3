// Printing an account through the printer dialog: to a PDF file that is read back, under
// the account's name (a cancelled dialog: ExportCommandsTest).

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "config/Messages.h"
#include "support/gui/ToolWindow.h"
#include "tools/PrintAccount.h"

namespace bv {
namespace {

QString Output(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

class Printing : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty() ||
        QStandardPaths::findExecutable("pdfinfo").isEmpty())
      GTEST_SKIP() << "needs pdftotext and pdfinfo (poppler-utils)";
    LoadMessages(std::filesystem::path(BV_SOURCE_DIR) / "res" / "English.lng");
  }
  void TearDown() override { QFile::remove(pdf); }

  const QString pdf = QDir::temp().filePath(QStringLiteral("bv-print-%1.pdf").arg(::getpid()));
};

TEST_F(Printing, TheConfirmedPrinterGetsTheAccountUnderItsName) {
  test::FakePrinter printer;
  printer.pdf = pdf;
  TNodeData account = TNodeData::Create(NodeKind::Account, 3);
  account.Name = "Correo personal";
  account.UserName = "ana";
  account.Password = "s3creta";
  ASSERT_TRUE(PrintAccount(account, printer));
  EXPECT_EQ(printer.shown, 1);
  // The password is in clear: only its owner may read the file.
  using std::filesystem::perms;
  EXPECT_EQ(std::filesystem::status(pdf.toStdString()).permissions(),
            perms::owner_read | perms::owner_write);
  // Qt's dialog proposes "<document name>.pdf" when printing to a file.
  EXPECT_EQ(printer.offeredName, "Correo personal");

  const QString info = Output("pdfinfo", {pdf});
  EXPECT_TRUE(info.contains(QRegularExpression("Title: +Correo personal\n"))) << info.toStdString();
  QStringList lines;
  for (const QString& line : Output("pdftotext", {"-raw", pdf, "-"}).split('\n'))
    lines << line.trimmed();
  EXPECT_TRUE(lines.contains("* Brindlevault 3.5 *"));
  // Every label on a line of its own, its value on the next; the password in clear.
  const std::pair<int, QString> rows[] = {{74, "Correo personal"}, {80, "ana"}, {82, "s3creta"}};
  for (const auto& [label, value] : rows) {
    const auto at = lines.indexOf(QString::fromLatin1(MessageText(label)));
    ASSERT_GE(at, 0) << label;
    EXPECT_EQ(lines.value(at + 1), value);
  }
}

}  // namespace
}  // namespace bv
