// The editing commands and the clipboard inside the real main window: every way to edit an
// account reaches its dialog, deleting the last node leaves the page of an empty profile,
// and a clipboard that refuses a change is reported.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>

#include "DialogAnswerer.h"
#include "EditingFixture.h"
#include "QtPrinting.h"
#include "app/QtSeams.h"
#include "support/gui/WindowHarness.h"
#include "browser/AccountTreeView.h"
#include "browser/DetailView.h"
#include "browser/TreeModel.h"
#include "config/QtText.h"
#include "tools/SecretClipboard.h"

namespace bv {
namespace {

using test::Click;
using test::DialogAnswerer;
using test::FakeBoxes;
using test::Inside;
using test::WindowHarness;

struct EditingWindow : ::testing::Test {
  void SetUp() override {
    h.Start();
    h.LoadSample();
  }
  void Select(const char* name) { Inside(h.window()).SelectNode(h.Node(name)); }
  QStringList Errors() const {
    QStringList texts;
    for (const auto& shown : h.fakes.boxes->shown)
      if (shown.kind == FakeBoxes::Kind::Error) texts << shown.text;
    return texts;
  }
  WindowHarness h;
  DialogAnswerer answer;
};

TEST_F(EditingWindow, EveryWayToEditAnAccountOpensItsDialog) {
  TFPrincipal& w = h.window();
  // A double click on an account, the pop-up's edit command and the page's edit link all
  // open the account's edit dialog.
  Select("A1");
  answer.Expect("FEditarCuenta", [](QDialog& d) { Click(d, "BtnCancelar"); });
  const QRect a1 = Inside(w).BVTree().visualRect(Inside(w).TreeModel().IndexOf(h.Node("A1")));
  QTest::mouseDClick(Inside(w).BVTree().viewport(), Qt::LeftButton, {}, a1.center());
  answer.Expect("FEditarCuenta", [](QDialog& d) { Click(d, "BtnCancelar"); });
  h.Act("ActPopEditar")->trigger();
  answer.Expect("FEditarCuenta", [](QDialog& d) {
    EXPECT_EQ(d.windowTitle(), Msg(17) + "A1" + Msg(18) + "G1\"");
    Click(d, "BtnCancelar");
  });
  emit Inside(w).Resulta().editRequested();
  EXPECT_EQ(answer.Answered(), 3);
}

TEST_F(EditingWindow, DeletingTheLastNodeLeavesTheEmptyProfilePage) {
  TFPrincipal& w = h.window();
  h.fakes.boxes->answers = {true, true};
  Select("C1");
  h.Act("ActPopEliminar")->trigger();
  EXPECT_EQ(h.Shape(), "C2(G3(A4))");
  EXPECT_EQ(Inside(w).SelectedNode(), h.Node("C2"));  // the tree's own choice
  h.Act("ActBGrupo")->trigger();
  EXPECT_EQ(h.Shape(), "");
  EXPECT_EQ(Inside(w).Resulta().PageKind(), PageKind::EmptyProfile);
  for (const char* name :
       {"ActNSubGrupo", "ActECuenta", "ActPopEliminar", "ActPopEditar", "ActCopUser"})
    EXPECT_FALSE(h.Act(name)->isEnabled()) << name;
  EXPECT_TRUE(h.Act("ActNGrupo")->isEnabled());  // a new category is the way on
  EXPECT_TRUE(h.Act("ActGuardar")->isEnabled());
  ASSERT_EQ(h.fakes.boxes->shown.size(), 2u);
  EXPECT_EQ(h.fakes.boxes->shown[0].kind, FakeBoxes::Kind::Warning);
  EXPECT_EQ(h.fakes.boxes->shown[0].text, Msg(12) + " " + Msg(13) + " " + Msg(14) + "\n" + Msg(15));
}

TEST_F(EditingWindow, AClipboardThatRefusesIsReported) {
  TFPrincipal& w = h.window();
  h.Node("A1")->data.UserName = "ana";
  Select("A1");
  h.fakes.clipboard->works = false;
  QTest::keyClick(&w, Qt::Key_F1);
  QTest::keyClick(&w, Qt::Key_F10);
  EXPECT_EQ(Errors(), (QStringList{Msg(104), Msg(108)}));
  EXPECT_FALSE(Msg(104).isEmpty());
  EXPECT_FALSE(Msg(108).isEmpty());
  EXPECT_TRUE(h.Close());  // DCBSalir is on by default: the clearing fails again
  EXPECT_EQ(Errors().size(), 3);

  // A clipboard that works reports nothing.
  WindowHarness other;
  other.Start();
  QTest::keyClick(&other.window(), Qt::Key_F10);
  EXPECT_TRUE(other.fakes.boxes->shown.empty());
}

TEST(SystemClipboard, CopiedTextIsMarkedSecretAndF10EmptiesIt) {
  auto clipboard = MakeQtSeams().clipboard;
  ASSERT_TRUE(clipboard->SetText(QStringLiteral("contraseña")));
  const QMimeData* data = QApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->text(), "contraseña");
  EXPECT_EQ(data->data(kPasswordManagerHintFormat), QByteArray(kPasswordManagerHintSecret));
  // An empty field copies an empty text.
  EXPECT_TRUE(clipboard->SetText(QString()));
  // Emptying removes whatever another program put there.
  QApplication::clipboard()->setText(QStringLiteral("de otro programa"));
  EXPECT_TRUE(clipboard->Clear());
  data = QApplication::clipboard()->mimeData();
  EXPECT_TRUE(!data || !data->hasText() || data->text().isEmpty());
}

}  // namespace
}  // namespace bv
