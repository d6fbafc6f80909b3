// The window that shows what a merge did: counts, one line per entry, readable beside the
// main window, closed by its button or Escape, and named for screen readers.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "app/TFResumenCombinacion.h"
#include "config/Messages.h"
#include "config/QtText.h"
#include "profile/ProfileMerge.h"
#include "support/gui/WindowCoverage.h"

namespace bv {
namespace {

const std::filesystem::path kEnglish = std::filesystem::path(BV_SOURCE_DIR) / "res" / "English.lng";

TNodeData Node(NodeKind kind, const char* name, const char* password = "") {
  TNodeData data = TNodeData::Create(kind, 1);
  data.Name = name;
  data.Password = password;
  return data;
}

// Correo/Gmail's password changed on both sides; ours added Correo/Banco.
MergedProfile SmallMerge() {
  ProfileTree base, ours, theirs;
  using Version = std::pair<ProfileTree*, const char*>;
  for (const auto& [tree, password] :
       std::initializer_list<Version>{{&base, "1"}, {&ours, "2"}, {&theirs, "3"}}) {
    TreeNode* category = tree->Append(nullptr, Node(NodeKind::Category, "Correo"));
    tree->Append(category, Node(NodeKind::Account, "Gmail", password));
  }
  ours.Append(ours.First(), Node(NodeKind::Account, "Banco"));
  const TProfileHeader header;
  const ProfileVersion b{header, base};
  return MergeProfiles(&b, {header, ours}, {header, theirs}, MessageText(140));
}

class MergeSummaryWindow : public testing::Test {
 protected:
  MergeSummaryWindow() : before_(ActiveLanguageFile()) {
    SetActiveLanguageFile(kEnglish);
    LoadMessages(kEnglish);
  }
  ~MergeSummaryWindow() override {
    SetActiveLanguageFile(before_);
    LoadMessages(before_);
  }

 private:
  std::filesystem::path before_;
};

QString AccessibleName(QWidget* widget) {
  return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

TEST_F(MergeSummaryWindow, ShowsCountsAndLinesBesideTheMainWindow) {
  QWidget main;
  main.show();
  const MergedProfile merged = SmallMerge();
  QPointer<TFResumenCombinacion> window = TFResumenCombinacion::ShowFor(merged, &main);
  test::ExpectCoveredByLanguageFiles(window);
  EXPECT_EQ(window->windowTitle(), "What the combining did");
  EXPECT_EQ(window->findChild<QLabel*>("notraCuentas")->text(),
            "Added: 1  Deleted: 0  Changed: 0  Conflicts: 1");
  EXPECT_EQ(window->findChild<QLabel*>("lblLista")->text(), "What was combined, node by node:");

  auto* list = window->findChild<QListWidget*>("Lista");
  QStringList lines;
  for (int row = 0; row < list->count(); ++row) lines << list->item(row)->text();
  ASSERT_EQ(lines.size(), 2);
  EXPECT_TRUE(lines.join('\n').contains("Correo/Gmail")) << lines.join('\n').toStdString();
  EXPECT_TRUE(lines.join('\n').contains("Correo/Banco")) << lines.join('\n').toStdString();
  EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);

  // Read at leisure: the main window stays usable.
  EXPECT_FALSE(window->isModal());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  for (QWidget* control :
       std::initializer_list<QWidget*>{list, window->findChild<QPushButton*>("BtnCerrar"),
                                       window->findChild<QLabel*>("notraCuentas")})
    EXPECT_FALSE(AccessibleName(control).isEmpty()) << control->objectName().toStdString();
  EXPECT_EQ(AccessibleName(list), "What was combined, node by node:");

  // The window keeps its texts once the merge it describes is gone.
  EXPECT_EQ(list->item(0)->text(), lines.at(0));
}

TEST_F(MergeSummaryWindow, ClosesWithItsButtonOrEscape) {
  const MergedProfile merged = SmallMerge();
  for (const bool escape : {false, true}) {
    QPointer<TFResumenCombinacion> window = TFResumenCombinacion::ShowFor(merged, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    if (escape)
      QTest::keyClick(window, Qt::Key_Escape);
    else
      window->findChild<QPushButton*>("BtnCerrar")->click();
    QTest::qWait(0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull()) << (escape ? "Escape" : "Close");
    delete window.data();
  }
}

}  // namespace
}  // namespace bv
