// Qt's own buttons speak the desktop's language.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include "app/ToolkitTranslation.h"

namespace bv {
namespace {

QString YesNoTexts() {
  QMessageBox box(QMessageBox::Warning, QString(), QString(), QMessageBox::Yes | QMessageBox::No);
  return box.button(QMessageBox::Yes)->text() + "|" + box.button(QMessageBox::No)->text();
}

TEST(ToolkitTranslation, MessageBoxButtonsFollowTheDesktopLanguage) {
  const QString english = YesNoTexts();
  EXPECT_EQ(english, "&Yes|&No");

  QTranslator* spanish = InstallToolkitTranslation(QLocale(QLocale::Spanish, QLocale::Spain));
  ASSERT_NE(spanish, nullptr) << "Qt's Spanish translation (qt6-translations-l10n) is missing";
  EXPECT_EQ(YesNoTexts(), QString::fromUtf8("&Sí|&No"));
  QCoreApplication::removeTranslator(spanish);
  delete spanish;
  EXPECT_EQ(YesNoTexts(), english);
}

TEST(ToolkitTranslation, ALanguageWithoutTranslationKeepsEnglish) {
  EXPECT_EQ(InstallToolkitTranslation(QLocale(QLocale::C)), nullptr);
  EXPECT_EQ(YesNoTexts(), "&Yes|&No");
}

}  // namespace
}  // namespace bv
