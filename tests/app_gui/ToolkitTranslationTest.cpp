// Qt's own buttons speak the language the program's language file names, else the desktop's.

#include <gtest/gtest.h>

#include <QAbstractFileIconProvider>
#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <tuple>

#include "app/ToolkitTranslation.h"
#include "config/Messages.h"
#include "support/ScratchFolder.h"

namespace bv {
namespace {

QString YesNoTexts() {
  QMessageBox box(QMessageBox::Warning, QString(), QString(), QMessageBox::Yes | QMessageBox::No);
  return box.button(QMessageBox::Yes)->text() + "|" + box.button(QMessageBox::No)->text();
}

TEST(ToolkitTranslation, MessageBoxButtonsSpeakTheLanguageInstalled) {
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

TEST(ToolkitTranslation, FollowsTheLocaleTheLanguageFileNamesAndTheDesktopWithoutOne) {
  test::ScratchFolder folder;
  const auto file = [&](const char* name, const std::string& bytes) {
    test::WriteFile(folder / name, bytes);
    return folder / name;
  };
  const auto spanish = file("es.lng", "[Idioma]\r\nLocale=es_ES\r\n[Mensajes]\r\n0=x\r\n");
  const auto english = file("en.lng", "[idioma]\r\nlocale=en_US\r\n");
  const auto older = file("old.lng", "[Mensajes]\r\n0=x\r\n");
  const auto unknown = file("xx.lng", "[Idioma]\r\nLocale=xx\r\n");
  const std::filesystem::path before = ActiveLanguageFile();

  SetActiveLanguageFile(spanish);
  FollowProgramLanguage();
  EXPECT_EQ(YesNoTexts(), QString::fromUtf8("&Sí|&No"));
  SetActiveLanguageFile(english);
  FollowProgramLanguage();  // the Spanish one goes
  EXPECT_EQ(YesNoTexts(), "&Yes|&No");
  for (const auto& desktops : {older, unknown, folder / "missing.lng"}) {
    EXPECT_FALSE(LanguageFileLocale(desktops).has_value()) << desktops;
    SetActiveLanguageFile(desktops);
    EXPECT_EQ(ToolkitLocale(), QLocale::system());
  }
  // The shipped files name theirs.
  const std::filesystem::path res = std::filesystem::path(BV_SOURCE_DIR) / "res";
  EXPECT_EQ(LanguageFileLocale(res / kDefaultLanguageFileName).value_or(QLocale::c()).language(),
            QLocale::Spanish);
  EXPECT_EQ(LanguageFileLocale(res / "English.lng").value_or(QLocale::c()).language(),
            QLocale::English);
  SetActiveLanguageFile(before);
  FollowProgramLanguage();
}

// Dates, numbers and the file dialog's kinds of entry ("Folder", which Qt's Spanish lacks)
// follow the program's language, not the desktop's.
TEST(ToolkitTranslation, DatesAndFileKindsFollowTheProgramsLanguage) {
  const std::filesystem::path res = std::filesystem::path(BV_SOURCE_DIR) / "res";
  const std::filesystem::path before = ActiveLanguageFile();
  const QFileInfo folder(QString::fromStdString(res.string()));
  for (const auto& [file, date, kind] :
       {std::tuple{res / kDefaultLanguageFileName, "10 diciembre 2026", "Carpeta"},
        std::tuple{res / "English.lng", "10 December 2026", "Folder"}}) {
    SetActiveLanguageFile(file);
    LoadMessages(file);
    FollowProgramLanguage();
    EXPECT_EQ(QLocale().toString(QDate(2026, 12, 10), QStringLiteral("d MMMM yyyy")),
              QString::fromUtf8(date));
    EXPECT_EQ(QAbstractFileIconProvider().type(folder), QString::fromUtf8(kind));
  }
  SetActiveLanguageFile(before);
  FollowProgramLanguage();
}

}  // namespace
}  // namespace bv
