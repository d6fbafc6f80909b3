#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextStream>

#include "support/TestLanguage.h"
#include "config/QtText.h"
#include "tools/PrintDocument.h"

namespace bv {
namespace {

TNodeData Account() {
  TNodeData a = TNodeData::Create(NodeKind::Account, 3);
  a.Name = "Banco Espa\xF1ol";  // Banco Español
  a.UserName = "ana";
  a.Password = "p4ss";
  a.Url = "https://banco.example.com";
  return a;
}

class PrintDocument : public ::testing::Test {
 protected:
  test::TestLanguage language{{}, {{71, "Datos de la cuenta"}, {74, "Título:"}, {80, "Usuario:"}}};
  std::unique_ptr<QTextDocument> document = BuildPrintDocument(ComposeAccountPrint(Account()));
};

TEST_F(PrintDocument, HoldsOneBlockPerComposedParagraph) {
  const PrintLayout layout = ComposeAccountPrint(Account());
  ASSERT_EQ(document->blockCount(), static_cast<int>(layout.paragraphs.size()));
  EXPECT_EQ(document->metaInformation(QTextDocument::DocumentTitle), "Banco Español");
  EXPECT_EQ(PrintDocumentTitle(layout), "Banco Español");

  QTextBlock block = document->begin();
  for (const PrintParagraph& paragraph : layout.paragraphs) {
    EXPECT_EQ(block.text(), FromCp1252(paragraph.text));
    EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              paragraph.style.centred ? Qt::AlignHCenter : Qt::AlignLeft);
    EXPECT_EQ(block.blockFormat().textIndent() > 0, paragraph.style.firstLineIndentPt > 0);
    if (!block.text().isEmpty()) {
      const QTextCharFormat format = block.begin().fragment().charFormat();
      EXPECT_EQ(format.foreground().color().rgb() & 0xFFFFFF, paragraph.style.rgb);
      EXPECT_EQ(format.fontWeight() == QFont::Bold, paragraph.style.bold)
          << block.text().toStdString();
      EXPECT_EQ(format.fontUnderline(), paragraph.style.underline);
      const QFontMetricsF metrics(format.font());
      EXPECT_EQ(metrics.horizontalAdvance('i') == metrics.horizontalAdvance('W'),
                paragraph.style.font == PrintFont::Fixed)
          << block.text().toStdString();
    }
    block = block.next();
  }
}

TEST_F(PrintDocument, PrintsToPdfWithEveryLabelAboveItsValue) {
  if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "no pdftotext";
  const QString pdf = QDir::temp().filePath(QStringLiteral("bv-print-%1.pdf").arg(::getpid()));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  printer.setDocName(document->metaInformation(QTextDocument::DocumentTitle));
  document->print(&printer);

  QProcess extract;
  extract.start("pdftotext", {"-raw", pdf, "-"});
  ASSERT_TRUE(extract.waitForFinished(30000));
  const QString text = QString::fromUtf8(extract.readAllStandardOutput());
  QFile::remove(pdf);

  QStringList lines;
  for (const QString& line : text.split('\n')) lines << line.trimmed();
  EXPECT_TRUE(lines.contains("* Brindlevault 3.5 *"));
  EXPECT_TRUE(lines.contains("Datos de la cuenta"));
  const auto title = lines.indexOf("Título:");
  ASSERT_GE(title, 0) << text.toStdString();
  EXPECT_EQ(lines.at(title + 1), "Banco Español");
  const auto user = lines.indexOf("Usuario:");
  ASSERT_GE(user, 0);
  EXPECT_EQ(lines.at(user + 1), "ana");
}

}  // namespace
}  // namespace bv
