#include "config/QtText.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QWidget>

#include "config/Cp1252.h"
#include "config/WipedQtText.h"
#include "config_gui/TestApp.h"

namespace bv {
namespace {

TEST(QtTextTest, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const QString text = FromCp1252(all);
  ASSERT_EQ(text.size(), 256);
  EXPECT_EQ(text[0xF1], QChar(0x00F1));
  EXPECT_EQ(text[0x80], QChar(0x20AC));
  EXPECT_EQ(text[0x81], QChar(0x0081));
  EXPECT_EQ(ToCp1252(text), all);
}

TEST(QtTextTest, CharactersWithoutAWindows1252FormAreRefused) {
  for (const QString& text : {QString::fromUtf8("\u03B1"), QString::fromUtf8("a\u4E2D"),
                              QString::fromUtf8("\U0001F600")}) {
    EXPECT_FALSE(ToCp1252(text).has_value()) << text.toStdString();
    QString input = text;
    int pos = 0;
    EXPECT_EQ(Cp1252Validator().validate(input, pos), QValidator::Invalid);
  }
  QString fine = QString::fromUtf8("Contrase\u00F1a \u20AC");
  int pos = 0;
  EXPECT_EQ(Cp1252Validator().validate(fine, pos), QValidator::Acceptable);
}

TEST(QtTextTest, GuardsRefuseTypedAndPastedCharacters) {
  test::App();
  QWidget window;
  auto* line = new QLineEdit(&window);
  auto* memo = new QPlainTextEdit(&window);
  InstallCp1252Guards(&window);

  QTest::sendKeyEvent(QTest::Click, line, Qt::Key_unknown, QString::fromUtf8("\u00F1"), {});
  QTest::sendKeyEvent(QTest::Click, line, Qt::Key_unknown, QString::fromUtf8("\u03B1"), {});
  EXPECT_EQ(line->text(), QString::fromUtf8("\u00F1"));

  memo->insertPlainText(QString::fromUtf8("uno \u03B1\ndos \u20AC"));
  EXPECT_EQ(memo->toPlainText(), QString::fromUtf8("uno \ndos \u20AC"));
  QTest::sendKeyEvent(QTest::Click, memo, Qt::Key_unknown, QString::fromUtf8("\u4E2D"), {});
  EXPECT_EQ(memo->toPlainText(), QString::fromUtf8("uno \ndos \u20AC"));
  for (int step = 0; step < 4; ++step) {
    memo->undo();
    EXPECT_TRUE(HasCp1252Form(memo->toPlainText())) << "undo never brings a refused character back";
  }
}

// A wipe empties what it is given, but never overwrites a buffer that another owner still
// holds: that owner would be left with zeros in place of its secret.
TEST(QtTextTest, WipingLeavesEveryOtherOwnerItsText) {
  const QString secret = QStringLiteral("hXQ2-secreto");
  {
    QString mine = OwnCopy(secret);
    EXPECT_FALSE(mine.isSharedWith(secret)) << "a hand-over has a buffer of its own";
    const QString kept = mine;
    WipeQString(mine);
    EXPECT_TRUE(mine.isEmpty());
    EXPECT_EQ(kept, secret);
  }
  {
    QByteArray bytes = secret.toUtf8();
    const QByteArray kept = bytes;
    WipeQByteArray(bytes);
    EXPECT_TRUE(bytes.isEmpty());
    EXPECT_EQ(kept, secret.toUtf8());
  }
  {
    QString literal = QStringLiteral("constante");  // static data, never written to
    WipeQString(literal);
    EXPECT_TRUE(literal.isEmpty());
    EXPECT_EQ(QStringLiteral("constante"), QString::fromLatin1("constante"));
  }
  {
    // A box that took its text from another keeps sharing it; wiping the giver's box
    // empties only that box.
    QLineEdit giver, taker;
    QTest::keyClicks(&giver, "hXQ2");
    taker.setText(giver.text());
    WipeLineEdit(&giver);
    EXPECT_TRUE(giver.text().isEmpty());
    EXPECT_FALSE(giver.isUndoAvailable()) << "the typed characters are forgotten too";
    EXPECT_EQ(taker.text(), "hXQ2");
  }
}

}  // namespace
}  // namespace bv
