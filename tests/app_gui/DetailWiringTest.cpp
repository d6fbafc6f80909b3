// The detail view inside the main window: which copy commands an account page enables,
// "Mostrar ocultos", the links and hover texts, the summary and RefreshDetailPage.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <fstream>

#include "app/MainMenus.h"
#include "browser/DetailView.h"
#include "browser/TreeModel.h"
#include "config/QtText.h"
#include "config/Translation.h"
#include "support/gui/WindowHarness.h"
#include "tools/OneTimeCode.h"
#include "ui/Pictures.h"
#include "support/gui/SessionBackDoor.h"

namespace bv {
namespace {

using test::FakeBoxes;
using test::Inside;
using test::WindowHarness;

const char* const kCopyActions[] = {"ActCopUser", "ActCopPass", "ActCopPreg",  "ActCopResp",
                                    "ActCopMail", "ActCopURL",  "ActCopCodigo"};

QStringList EnabledCopies(const WindowHarness& h) {
  QStringList names;
  for (const char* name : kCopyActions)
    if (h.Act(name)->isEnabled()) names << name;
  return names;
}

// The device size and ratio of a 16x16 picture drawn for a screen of the given density.
std::pair<QSize, qreal> Drawn(const QIcon& icon, qreal ratio) {
  const QPixmap pixmap = icon.pixmap(QSize(16, 16), ratio);
  return {pixmap.size(), pixmap.devicePixelRatio()};
}

struct AccountWindow : ::testing::Test {
  void SetUp() override {
    h.Start();
    h.LoadSample();
  }
  TNodeData& Data(const char* name) { return h.Node(name)->data; }
  void Select(const char* name) { Inside(h.window()).SelectNode(h.Node(name)); }
  WindowHarness h;
};

TEST_F(AccountWindow, AnAccountPageEnablesTheCopiesOfTheFieldsItShows) {
  Data("A1").UserName = "ana";
  Data("A1").Password = "clave";
  Data("A1").Mail = "ana@example.org";
  Data("A3").Url = "www.example.org";
  Data("A3").Notes = "TOTP: JBSWY3DPEHPK3PXP";
  Data("A4").Notes = "TOTP: 0189";
  Select("A1");
  // The password is hidden (MostrarPass off), so it cannot be copied.
  EXPECT_EQ(EnabledCopies(h), QStringList({"ActCopUser", "ActCopMail"}));
  EXPECT_EQ(Inside(h.window()).Resulta().PageKind(), PageKind::Account);
  Select("A3");
  EXPECT_EQ(EnabledCopies(h), QStringList({"ActCopURL", "ActCopCodigo"}));
  EXPECT_EQ(Inside(h.window()).Resulta().PageKind(), PageKind::AccountWithUrl);
  Select("A4");  // only a name, and a seed line that gives no code
  EXPECT_TRUE(EnabledCopies(h).isEmpty());
  Select("G1");
  EXPECT_TRUE(EnabledCopies(h).isEmpty());
  EXPECT_EQ(Inside(h.window()).Resulta().PageKind(), PageKind::Group);
}

TEST_F(AccountWindow, FunctionKeysCopyTheShownFieldsOnly) {
  Data("A1").UserName = "ana";
  Data("A1").Password = "clave";
  Select("A1");
  TFPrincipal& w = h.window();
  QTest::keyClick(&w, Qt::Key_F2);  // hidden: disabled, nothing copied
  EXPECT_TRUE(h.fakes.clipboard->text.isEmpty());
  QTest::keyClick(&w, Qt::Key_F1);
  EXPECT_EQ(h.fakes.clipboard->text, "ana");
  QTest::keyClick(&w, Qt::Key_F3);  // no question: disabled
  EXPECT_EQ(h.fakes.clipboard->text, "ana");
  QTest::keyClick(&w, Qt::Key_F7);  // no seed: disabled
  EXPECT_EQ(h.fakes.clipboard->text, "ana");

  // F7 copies the code of the moment, never the seed.
  Data("A2").Notes = "PIN\r\nTOTP: otpauth://totp/x?secret=JBSWY3DPEHPK3PXP&digits=8";
  Select("A2");
  const TotpSeed seed = *SeedOfNotes(Data("A2").Notes);
  const std::string before = CurrentCode(seed).digits;
  QTest::keyClick(&w, Qt::Key_F7);
  const std::string after = CurrentCode(seed).digits;
  const std::string copied = h.fakes.clipboard->text.toStdString();
  EXPECT_TRUE(copied == before || copied == after) << copied;
  EXPECT_EQ(copied.size(), 8u);
}

TEST_F(AccountWindow, ShowHiddenRevealsUntilTheNextSelectionKeepingTheScroll) {
  Data("A1").Password = "clave";
  Data("A1").Answer = "Rex";
  Data("A1").Notes = QString(40, 'x').replace("x", "nota larga\n").toStdString();
  Select("A1");
  TFPrincipal& w = h.window();
  Inside(w).Resulta().resize(400, 120);
  const int bottom = Inside(w).Resulta().verticalScrollBar()->maximum();
  ASSERT_GT(bottom, 0);
  Inside(w).Resulta().SetVerticalScroll(bottom / 2);
  ASSERT_FALSE(Inside(w).Resulta().toPlainText().contains("clave"));

  h.Act("ActVerOcultos")->trigger();
  EXPECT_TRUE(Inside(w).Resulta().toPlainText().contains("clave"));
  EXPECT_EQ(Inside(w).Resulta().VerticalScroll(), bottom / 2);
  EXPECT_EQ(EnabledCopies(h), QStringList({"ActCopPass", "ActCopResp"}));
  EXPECT_FALSE(Inside(w).Flags().MostrarPass);  // only for that one drawing
  QTest::keyClick(&w, Qt::Key_F2);
  EXPECT_EQ(h.fakes.clipboard->text, "clave");

  Select("A3");
  Select("A1");
  EXPECT_FALSE(Inside(w).Resulta().toPlainText().contains("clave"));
  EXPECT_TRUE(EnabledCopies(h).isEmpty());
}

TEST_F(AccountWindow, WithMostrarPassOnPasswordsShowAndShowHiddenDoesNothing) {
  Inside(h.window()).Flags().MostrarPass = true;
  Data("A1").Password = "clave";
  Select("A1");
  EXPECT_TRUE(Inside(h.window()).Resulta().toPlainText().contains("clave"));
  EXPECT_EQ(EnabledCopies(h), QStringList({"ActCopPass"}));
}

TEST_F(AccountWindow, PicturesAreDrawnForTheScreenDensity) {
  const std::pair<QSize, qreal> single{QSize(16, 16), 1.0}, twice{QSize(32, 32), 2.0};
  QToolButton* save = nullptr;
  for (QToolBar* bar : h.window().findChildren<QToolBar*>())
    if (!save) save = qobject_cast<QToolButton*>(bar->widgetForAction(h.Act("ActGuardar")));
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(Drawn(save->icon(), 1.0), single);
  EXPECT_EQ(Drawn(save->icon(), 2.0), twice);
  EXPECT_EQ(Drawn(h.Act("ActSalir")->icon(), 2.0), twice);  // the menus

  const QModelIndex row = Inside(h.window()).TreeModel().IndexOf(h.Node("A1"));
  const QIcon node = row.data(Qt::DecorationRole).value<QIcon>();
  EXPECT_EQ(Drawn(node, 1.0), single);
  EXPECT_EQ(Drawn(node, 2.0), twice);
  // Between the two drawings, the larger one is scaled down to the screen's pixels.
  const QImage drawnAt15 = node.pixmap(QSize(16, 16), 1.5).toImage();
  const QImage large = QPixmap(NodePicturePath(Data("A1").ImageIndex).replace(".png", "@2x.png"))
                           .scaled(24, 24, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                           .toImage();
  EXPECT_EQ(drawnAt15.size(), QSize(24, 24));
  EXPECT_EQ(drawnAt15, large);

  // The bullets of the detail pages.
  DetailView view;
  TNodeData account = Data("A1");
  account.UserName = "ana";
  view.ShowAccountPage(account, false);
  const auto bullet = [&] {
    const QPixmap pixmap = view.document()
                               ->resource(QTextDocument::ImageResource, QUrl(":/buttons/28.png"))
                               .value<QPixmap>();
    return std::pair<QSize, qreal>{pixmap.size(), pixmap.devicePixelRatio()};
  };
  EXPECT_EQ(bullet(), single);
  AddBulletPictures(*view.document(), 2.0);
  EXPECT_EQ(bullet(), twice);
}

TEST_F(AccountWindow, LinksOpenTheUrlAndEditAndHoversFillTheStatusPanel) {
  Data("A3").Url = "www.example.org";
  Select("A3");
  DetailView& view = Inside(h.window()).Resulta();
  int edits = 0;
  // Only whether the edit command runs matters here, not its dialog.
  QObject::disconnect(h.Act("ActPopEditar"), &QAction::triggered, nullptr, nullptr);
  QObject::connect(h.Act("ActPopEditar"), &QAction::triggered, [&] { ++edits; });
  // Each export asks for its file first; the dialog is cancelled.
  const QStringList exports = {Inside(h.window()).FileDialog(FileDialogId::SDHTML).title(),
                               Inside(h.window()).FileDialog(FileDialogId::SDTXT).title()};

  emit view.openUrlRequested("www.example.org");
  EXPECT_EQ(h.fakes.desktop->opened, QStringList({"www.example.org"}));
  emit view.editRequested();
  EXPECT_EQ(edits, 1);
  emit view.exportHtmlRequested();
  emit view.exportTextRequested();
  EXPECT_EQ(h.fakes.files->titles, exports);
  emit view.statusTextChanged("www.example.org");
  EXPECT_EQ(Inside(h.window()).StatusPanelText(), "www.example.org");
  emit view.statusTextChanged(QString());
  EXPECT_TRUE(Inside(h.window()).StatusPanelText().isEmpty());
}

// Web, FTP and mail addresses open at once; anything else may start a program, so the user is
// asked first (with the address as written) and a No opens nothing.
TEST_F(AccountWindow, UnusualAddressesOpenOnlyOnceTheUserAgrees) {
  struct Case {
    const char* address;
    bool asked;
    bool answer;
  };
  const Case cases[] = {
      {"https://acme.example/entrar", false, false},
      {"HTTP://acme.example", false, false},
      {"ftp://ftp.example", false, false},
      {"mailto:ana@example.org", false, false},
      {"smb://server/share", true, false},
      {"javascript:alert(1)", true, false},
      {"/usr/bin/xterm", true, false},
      {"steam://run/10", true, true},
  };
  DetailView& view = Inside(h.window()).Resulta();
  for (const Case& c : cases) {
    h.fakes.boxes->shown.clear();
    h.fakes.desktop->opened.clear();
    h.fakes.boxes->answers = {c.answer};
    emit view.openUrlRequested(QString::fromUtf8(c.address));
    ASSERT_EQ(h.fakes.boxes->shown.size(), c.asked ? 1u : 0u) << c.address;
    if (c.asked) {
      EXPECT_TRUE(h.fakes.boxes->shown[0].text.contains(QString::fromUtf8(c.address))) << c.address;
    }
    const bool opened = !c.asked || c.answer;
    EXPECT_EQ(h.fakes.desktop->opened,
              opened ? QStringList(QString::fromUtf8(c.address)) : QStringList())
        << c.address;
  }
}

TEST_F(AccountWindow, RefreshDrawsTheSamePageAgain) {
  TFPrincipal& w = h.window();
  Select("G1");
  Inside(w).ShowWelcomePage();
  ASSERT_EQ(Inside(w).Resulta().PageKind(), PageKind::Welcome);
  Inside(w).RefreshDetailPage();
  EXPECT_EQ(Inside(w).Resulta().PageKind(), PageKind::Welcome);
  Inside(w).ShowGroupPage();
  Inside(w).RefreshDetailPage();
  EXPECT_EQ(Inside(w).Resulta().PageKind(), PageKind::Group);
  EXPECT_TRUE(Inside(w).Resulta().toPlainText().contains("G1"));
}

TEST_F(AccountWindow, SummaryOfAMissingFileIsReportedAndThePageStays) {
  TFPrincipal& w = h.window();
  Select("G1");
  test::SessionOf(w).ProfilePath = h.folder.path() / "no-existe.bv3";
  h.Act("ActInformacion")->trigger();
  EXPECT_EQ(Inside(w).Resulta().PageKind(), PageKind::Group);
  ASSERT_EQ(h.fakes.boxes->shown.size(), 1u);
  EXPECT_EQ(h.fakes.boxes->shown[0].kind, FakeBoxes::Kind::Error);
}

TEST_F(AccountWindow, SummaryOfTheOpenProfileShowsItsSize) {
  TFPrincipal& w = h.window();
  const auto path = h.folder.path() / "perfil.bv3";
  { std::ofstream(path, std::ios::binary) << std::string(2047, 'x'); }
  test::SessionOf(w).ProfilePath = path;
  Inside(w).EnableActionCategories({ActionCategory::PerfilOn}, {});
  h.Act("ActInformacion")->trigger();
  EXPECT_EQ(Inside(w).Resulta().PageKind(), PageKind::Summary);
  EXPECT_TRUE(Inside(w).Resulta().toPlainText().contains("1 Kb"));
  EXPECT_TRUE(Inside(w).Resulta().toPlainText().contains("perfil.bv3"));
}

TEST_F(AccountWindow, TheDetailViewOffersItsPopUpMenu) {
  EXPECT_EQ(Inside(h.window()).Resulta().contextMenuPolicy(), Qt::CustomContextMenu);
  QMenu* popup = Inside(h.window()).Menus().popupDetail;
  bool shown = false;
  QObject::connect(popup, &QMenu::aboutToShow, [&] {
    shown = true;
    QMetaObject::invokeMethod(popup, &QMenu::close, Qt::QueuedConnection);
  });
  emit Inside(h.window()).Resulta().customContextMenuRequested(QPoint(10, 10));
  EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace bv
