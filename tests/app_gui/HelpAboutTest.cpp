// The Help menu in each language: the documents named by the language's messages, the web
// address, and the about box.

#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <filesystem>
#include <fstream>

#include "config/Messages.h"
#include "config/ProgramPaths.h"
#include "config/Product.h"
#include "config/QtText.h"
#include "support/gui/ToolWindow.h"

namespace bv {
namespace {

using test::ToolWindow;

struct LanguageCase {
  const char* file;
  const char* help;
  const char* licence;
  const char* translatedBy;
  const char* ok;
};
const LanguageCase kLanguages[] = {
    {"Español.lng", "ayuda.html", "licencia.txt", "Traducido por:", "Aceptar"},
    {"English.lng", "help.html", "license.txt", "Translated by:", "OK"},
};

// The program started in the language of file.
TFPrincipal& StartIn(ToolWindow& t, const char* file) {
  SetActiveLanguageFile(t.Language(file));
  return t.Start();
}

TEST(HelpMenu, DocumentsFollowTheLanguage) {
  for (const LanguageCase& c : kLanguages) {
    SCOPED_TRACE(c.file);
    ToolWindow t;
    StartIn(t, c.file);
    std::filesystem::create_directory(t.folder.path() / "help");
    for (const char* name : {c.help, c.licence, "novedades.txt"})
      std::ofstream(t.folder.path() / (name == c.help ? "help" : ".") / name) << "x";
    for (const char* action : {"ActAyuda", "ActLicencia", "ActCambios", "ActWeb"})
      t.Trigger(action);
    EXPECT_TRUE(t.fakes.boxes->shown.empty());
    const QString folder = QString::fromStdString(t.folder.path().string());
    EXPECT_EQ(t.fakes.desktop->opened,
              QStringList({folder + "/help/" + c.help, folder + "/" + c.licence,
                           folder + "/novedades.txt", QString::fromUtf8(kProductWebAddress)}));
  }
}

// Without a launcher, or without the file, a box names what could not be opened.
TEST(HelpMenu, WhatTheDesktopCannotOpenIsReported) {
  for (const LanguageCase& c : kLanguages) {
    SCOPED_TRACE(c.file);
    ToolWindow t;
    StartIn(t, c.file);
    const QString folder = QString::fromStdString(t.folder.path().string());
    t.Trigger("ActLicencia");  // no licence file in the folder
    EXPECT_TRUE(t.fakes.desktop->opened.isEmpty());
    t.fakes.desktop->works = false;
    t.Trigger("ActWeb");
    const QString web = QString::fromUtf8(kProductWebAddress);
    EXPECT_EQ(t.fakes.desktop->opened, QStringList(web));
    ASSERT_EQ(t.fakes.boxes->shown.size(), 2u);
    EXPECT_EQ(t.fakes.boxes->shown[0].text,
              QString(Msg(110)).replace("%s", folder + "/" + c.licence));
    EXPECT_TRUE(t.fakes.boxes->shown[1].text.contains("\"" + web + "\""));
    EXPECT_FALSE(Msg(110).isEmpty());
  }
}

TEST(HelpMenu, AboutBoxTranslatesAllButTheProductLabels) {
  for (const LanguageCase& c : kLanguages) {
    SCOPED_TRACE(c.file);
    ToolWindow t;
    StartIn(t, c.file);
    bool shown = false;
    auto answer = test::WhenModal([&](QDialog* about) {
      shown = true;
      EXPECT_EQ(about->objectName(), "FAcerca");
      EXPECT_EQ(about->windowTitle(), Msg(36));
      const auto label = [about](const char* name) {
        return about->findChild<QLabel*>(name)->text();
      };
      EXPECT_EQ(label("notraProducto"), "Brindlevault");
      EXPECT_EQ(label("notraVersion"), "3.5");
      EXPECT_TRUE(label("notraWeb").contains(QString::fromUtf8(kProductWebAddress)));
      EXPECT_EQ(label("Label4"), c.translatedBy);
      auto* ok = about->findChild<QPushButton*>("BtnOk");
      EXPECT_EQ(ok->text(), c.ok);
      EXPECT_EQ(ok->text(), Msg(94));
      emit about->findChild<QLabel*>("notraWeb")
          ->linkActivated(QString::fromUtf8(kProductWebAddress));
      ok->click();
    });
    t.Trigger("ActAcercaDe");
    EXPECT_TRUE(shown);
    EXPECT_EQ(t.fakes.desktop->opened, QStringList(QString::fromUtf8(kProductWebAddress)));
  }
}

}  // namespace
}  // namespace bv
