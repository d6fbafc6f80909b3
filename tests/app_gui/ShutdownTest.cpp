// Closing the main window, the settings it keeps across runs, and its first activation.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QScreen>
#include <QSplitter>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <csignal>

#include "app/TerminationSignals.h"
#include "support/gui/WindowHarness.h"
#include "browser/AccountTreeView.h"
#include "browser/DetailView.h"
#include "config/QtText.h"
#include "support/gui/SessionBackDoor.h"

namespace bv {
namespace {

using test::FakeBoxes;
using test::Inside;
using test::WindowHarness;

// The sample profile with unsaved changes, saved to a file in the scratch folder; after
// BreakSaving its folder is gone and a save fails.
struct ModifiedWindow {
  ModifiedWindow() : w(h.Start()), path(h.folder.path() / "perfiles" / "perfil.bv3") {
    std::filesystem::create_directory(path.parent_path());
    h.LoadSample();
    test::SessionOf(w).ProfilePath = path;
    test::SessionOf(w).SetSessionPassword("clave");
    Inside(w).SetModified();
  }
  void BreakSaving() { std::filesystem::remove(path.parent_path()); }
  bool Saved() const { return std::filesystem::exists(path); }

  WindowHarness h;
  TFPrincipal& w;
  std::filesystem::path path;
};

TEST(Closing, UnsavedChangesAnsweredNoAreDiscardedAndTheWindowCloses) {
  ModifiedWindow m;
  m.h.fakes.boxes->answers = {false};

  EXPECT_TRUE(m.h.Close());
  ASSERT_EQ(m.h.fakes.boxes->shown.size(), 1u);
  EXPECT_EQ(m.h.fakes.boxes->shown[0].kind, FakeBoxes::Kind::Confirm);
  EXPECT_EQ(m.h.fakes.boxes->shown[0].text, Msg(20));
  EXPECT_FALSE(Msg(20).isEmpty());
  EXPECT_FALSE(m.Saved());
  EXPECT_FALSE(m.w.isVisible());
}

TEST(Closing, AnsweringYesSavesAndAFailedSaveKeepsTheWindowOpen) {
  for (bool saved : {true, false}) {
    ModifiedWindow m;
    if (!saved) m.BreakSaving();
    m.h.fakes.boxes->answers = {true};
    EXPECT_EQ(m.h.Close(), saved);
    EXPECT_EQ(m.w.isVisible(), !saved);
    // Nothing of the closing sequence ran when the save failed.
    EXPECT_EQ(m.h.fakes.clipboard->clears, saved ? 1 : 0);
    EXPECT_EQ(m.h.folder.ReadSettings().empty(), !saved);
  }
}

TEST(Closing, CancellingTheQuestionKeepsTheWindowOpenAndModified) {
  ModifiedWindow m;
  m.h.fakes.boxes->saveAnswers = {SaveAnswer::Cancel};
  EXPECT_FALSE(m.h.Close());
  EXPECT_TRUE(m.w.isVisible());
  EXPECT_TRUE(Inside(m.w).Session().Modified);
  EXPECT_FALSE(m.Saved());
  EXPECT_EQ(m.h.fakes.clipboard->clears, 0);  // nothing of the closing sequence ran
}

// The signal only wakes the event loop: the window then closes as the close box closes it.
TEST(Closing, TerminationSignalsRunTheClosingSequenceAfterTheCommandInProgress) {
  for (const int sig : {SIGINT, SIGTERM, SIGHUP}) {
    WindowHarness h;
    TFPrincipal& w = h.Start();
    h.LoadSample();
    Inside(w).SetModified();
    TerminationSignals termination(w);
    h.fakes.boxes->saveAnswers = {SaveAnswer::Cancel, SaveAnswer::No};
    ::raise(sig);  // the process goes on: nothing happens until the event loop runs
    EXPECT_TRUE(h.fakes.boxes->shown.empty());
    for (int k = 0; k < 20 && h.fakes.boxes->shown.empty(); ++k) QTest::qWait(10);
    EXPECT_TRUE(w.isVisible()) << "cancelled";
    ::raise(sig);
    for (int k = 0; k < 20 && w.isVisible(); ++k) QTest::qWait(10);
    EXPECT_FALSE(w.isVisible());
    ASSERT_EQ(h.fakes.boxes->shown.size(), 2u);
    EXPECT_EQ(h.fakes.boxes->shown[1].text, Msg(20));
    EXPECT_EQ(h.fakes.clipboard->clears, 1);
  }
}

// A dialog open when the signal comes is dismissed first; the window closes after it.
TEST(Closing, TerminationSignalsDismissAnOpenDialogFirst) {
  WindowHarness h;
  TFPrincipal& w = h.Start();
  TerminationSignals termination(w);
  QDialog dialog(&w);
  int result = -1;
  bool windowOpenWhenDialogReturned = false;
  QTimer::singleShot(0, [&] {
    result = dialog.exec();
    windowOpenWhenDialogReturned = w.isVisible();
  });
  QTimer::singleShot(20, [] { ::raise(SIGTERM); });
  for (int k = 0; k < 100 && w.isVisible(); ++k) QTest::qWait(10);
  EXPECT_EQ(result, QDialog::Rejected);
  EXPECT_TRUE(windowOpenWhenDialogReturned);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_FALSE(w.isVisible());
}

TEST(Closing, WithoutChangesAsksNothing) {
  WindowHarness h;
  h.Start();
  h.LoadSample();
  EXPECT_TRUE(h.Close());
  EXPECT_TRUE(h.fakes.boxes->shown.empty());
}

TEST(Closing, EmptiesTheClipboardOnlyWhenDCBSalirIsOn) {
  struct Case {
    const char* settings;
    int clears;
  } cases[] = {
      {"", 1},  // on by default
      {"[Configuracion]\r\nDCBSalir=1\r\n", 1},
      {"[Configuracion]\r\nDCBSalir=0\r\nDCBCerrar=1\r\n", 0},
  };
  for (const Case& c : cases) {
    WindowHarness h;
    h.folder.WriteSettings(c.settings);
    h.Start();
    h.fakes.clipboard->SetText("secreto");
    EXPECT_TRUE(h.Close());
    EXPECT_EQ(h.fakes.clipboard->clears, c.clears) << c.settings;
  }
}

TEST(Closing, ThroughActSalirRunsTheSameSequence) {
  WindowHarness h;
  TFPrincipal& w = h.Start();
  Inside(w).SetModified();
  h.Act("ActSalir")->trigger();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(h.fakes.boxes->shown.size(), 1u);
}

TEST(Closing, AnUnwritableSettingsFileIsReportedButDoesNotKeepTheWindowOpen) {
  WindowHarness h;
  TFPrincipal& w = h.Start();
  // A folder where the settings file should be: the write must fail.
  std::filesystem::create_directory(h.folder.Settings());
  EXPECT_TRUE(h.Close());
  EXPECT_FALSE(w.isVisible());
  ASSERT_EQ(h.fakes.boxes->shown.size(), 1u);
  EXPECT_EQ(h.fakes.boxes->shown[0].kind, FakeBoxes::Kind::Error);
  EXPECT_TRUE(
      h.fakes.boxes->shown[0].text.startsWith(QString::fromUtf8("No se puede escribir en ")));
}

TEST(TreeWidth, SurvivesARestart) {
  WindowHarness first;
  TFPrincipal& w = first.Start();
  auto* splitter = w.findChild<QSplitter*>();
  splitter->setSizes({301, w.width() - 301});
  ASSERT_EQ(Inside(w).TreeWidth(), 301);
  ASSERT_TRUE(first.Close());
  EXPECT_NE(first.folder.ReadSettings().find("AnchoArbol=301"), std::string::npos);

  // The same program folder, started again.
  const std::string kept = first.folder.ReadSettings();
  WindowHarness second;
  second.folder.WriteSettings(kept);
  EXPECT_EQ(Inside(second.Start()).TreeWidth(), 301);
}

TEST(TreeWidth, ReadsHexadecimalAndFallsBackOnOtherText) {
  struct Case {
    const char* value;
    int width;
  } cases[] = {{"0x100", 256}, {"180", 180}, {"ancho", 233}, {"", 233}};
  for (const Case& c : cases) {
    WindowHarness h;
    h.folder.WriteSettings(std::string("[Configuracion]\r\nAnchoArbol=") + c.value + "\r\n");
    EXPECT_EQ(Inside(h.Start()).TreeWidth(), c.width) << c.value;
    // The tree keeps its width when the window grows.
    h.window().resize(900, 500);
    QApplication::processEvents();
    EXPECT_EQ(Inside(h.window()).TreeWidth(), c.width) << c.value;
  }
}

TEST(WindowPlace, SizePositionAndMaximizedSurviveARestart) {
  const QRect normal(40, 30, 700, 500);
  for (const bool maximized : {false, true}) {
    WindowHarness first;
    TFPrincipal& w = first.Start();
    w.setGeometry(normal);
    if (maximized) w.showMaximized();
    QApplication::processEvents();
    ASSERT_TRUE(first.Close());
    const std::string kept = first.folder.ReadSettings();
    // The normal geometry is kept also while the window is maximized.
    for (const char* line : {"Izquierda=40", "Arriba=30", "Ancho=700", "Alto=500"})
      EXPECT_NE(kept.find(line), std::string::npos) << line << " " << maximized;
    EXPECT_NE(kept.find(maximized ? "Maximizada=1" : "Maximizada=0"), std::string::npos);

    WindowHarness second;
    second.folder.WriteSettings(kept);
    TFPrincipal& again = second.Start();
    EXPECT_EQ(again.isMaximized(), maximized);
    EXPECT_EQ(again.normalGeometry(), normal) << maximized;
    if (maximized)
      EXPECT_EQ(again.windowHandle()->frameGeometry(), again.screen()->availableGeometry());
    else
      EXPECT_EQ(again.windowHandle()->geometry(), normal);
  }
}

TEST(WindowPlace, APlaceNoScreenShowsIsNotUsed) {
  WindowHarness plain;
  const QRect byDefault = plain.Start().windowHandle()->geometry();
  ASSERT_EQ(byDefault.size(), QSize(689, 429));
  const QRect screen = plain.window().screen()->availableGeometry();
  const std::string size = "Ancho=700\r\nAlto=500\r\n";
  const std::string cases[] = {
      "Izquierda=" + std::to_string(screen.right() + 200) + "\r\nArriba=30\r\n" + size,
      "Izquierda=40\r\nArriba=-300\r\n" + size,  // title strip above the screen
      "Izquierda=" + std::to_string(screen.right() - 49) + "\r\nArriba=30\r\n" + size,  // 50 px
      "Izquierda=40\r\nArriba=30\r\nAncho=700\r\n",                                     // no height
      "Izquierda=40\r\nArriba=30\r\nAncho=0\r\nAlto=500\r\n",
  };
  for (const std::string& keys : cases) {
    WindowHarness h;
    h.folder.WriteSettings("[Configuracion]\r\n" + keys);
    EXPECT_EQ(h.Start().windowHandle()->geometry(), byDefault) << keys;
  }
}

TEST(TreeWidth, NeverSqueezesTheDetailViewToASliver) {
  struct Case {
    const char* keys;
    int windowWidth;
    int tree;  // -1: as wide as the window allows
  } cases[] = {
      {"AnchoArbol=5000\r\n", 689, -1},
      {"AnchoArbol=5000\r\nIzquierda=10\r\nArriba=10\r\nAncho=400\r\nAlto=300\r\n", 400, -1},
      // A window restored wider keeps a tree that the default width could not hold.
      {"AnchoArbol=540\r\nIzquierda=10\r\nArriba=10\r\nAncho=780\r\nAlto=300\r\n", 780, 540},
  };
  for (const Case& c : cases) {
    WindowHarness h;
    h.folder.WriteSettings(std::string("[Configuracion]\r\n") + c.keys);
    TFPrincipal& w = h.Start();
    ASSERT_EQ(w.width(), c.windowWidth) << c.keys;
    const int minimum = std::max(200, Inside(w).BVTree().minimumSizeHint().width());
    const int detail = w.findChild<QFrame*>(QStringLiteral("PanelDetalles"))->width();
    EXPECT_GE(detail, minimum) << c.keys;
    EXPECT_EQ(Inside(w).TreeWidth(), c.tree < 0 ? c.windowWidth - 4 - minimum : c.tree) << c.keys;
  }
}

TEST(FirstActivation, RunsItsStepsOnceInOrder) {
  struct Case {
    const char* settings;
    bool fromCommandLine;
    QStringList steps;
  } cases[] = {
      {"", false, {"picker", "command line"}},
      {"[General]\r\nStartLanguage=0\r\n", false, {"command line"}},
      {"[Configuracion]\r\nCargaUltimo=1\r\n[General]\r\nStartLanguage=0\r\n",
       false,
       {"command line", "recent 1"}},
      {"[Configuracion]\r\nCargaUltimo=1\r\n[General]\r\nStartLanguage=0\r\n",
       true,
       {"command line"}},
  };
  for (const Case& c : cases) {
    WindowHarness h;
    h.folder.WriteSettings(c.settings);
    TFPrincipal window(h.fakes.Take());
    QStringList steps;
    int pageWhenPicked = -2;
    QObject::connect(&window, &TFPrincipal::firstRunLanguageWanted, [&] {
      steps << "picker";
      pageWhenPicked = static_cast<int>(Inside(window).Resulta().PageKind());
    });
    QObject::connect(&window, &TFPrincipal::commandLineProfileWanted, [&] {
      steps << "command line";
      // The welcome page is already drawn when the profile is opened.
      EXPECT_EQ(Inside(window).Resulta().PageKind(), PageKind::Welcome);
      Inside(window).Flags().OpenedFromCommandLine = c.fromCommandLine;
    });
    QObject::connect(&window, &TFPrincipal::lastProfileWanted, [&] { steps << "recent 1"; });
    window.show();
    QApplication::processEvents();
    window.activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(steps, c.steps) << c.settings;
    EXPECT_EQ(Inside(window).Resulta().PageKind(), PageKind::Welcome);
  }
}

TEST(Documents, HelpLicenceChangesAndWebGoToTheDesktop) {
  WindowHarness h;
  h.Start();
  std::filesystem::create_directory(h.folder.path() / "help");
  for (const auto& document :
       {h.folder.path() / "help" / Msg(39).toStdString(), h.folder.path() / Msg(48).toStdString(),
        h.folder.path() / "novedades.txt"})
    std::ofstream(document) << "x";
  for (const char* name : {"ActAyuda", "ActLicencia", "ActCambios", "ActWeb"})
    h.Act(name)->trigger();
  const QStringList& opened = h.fakes.desktop->opened;
  ASSERT_EQ(opened.size(), 4);
  const QString folder = QString::fromStdString(h.folder.path().string());
  EXPECT_EQ(opened[0], folder + "/help/" + Msg(39));
  EXPECT_EQ(opened[1], folder + "/" + Msg(48));
  EXPECT_EQ(opened[2], folder + "/novedades.txt");
  EXPECT_TRUE(opened[3].startsWith("https://"));
  EXPECT_FALSE(Msg(39).isEmpty());
}

TEST(Clipboard, F10EmptiesItWithOrWithoutAProfile) {
  WindowHarness h;
  TFPrincipal& w = h.Start();
  h.fakes.clipboard->SetText("de otro programa");
  QTest::keyClick(&w, Qt::Key_F10);
  EXPECT_EQ(h.fakes.clipboard->clears, 1);
  EXPECT_TRUE(h.fakes.clipboard->text.isEmpty());
}

}  // namespace
}  // namespace bv
