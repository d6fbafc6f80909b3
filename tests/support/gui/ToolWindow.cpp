#include "support/gui/ToolWindow.h"

#include "config/LanguageList.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QPrinter>
#include <QTest>
#include <QTimer>

#include "app/ToolCommands.h"
#include "browser/AccountTreeView.h"
#include "browser/TreeModel.h"
#include "support/gui/SessionBackDoor.h"

namespace bv::test {

bool FakePrinter::Choose(QPrinter& printer) {
  ++shown;
  offeredName = printer.docName();
  if (pdf.isEmpty()) return false;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  return true;
}

ToolWindow::ToolWindow() {
  const auto english = std::filesystem::path(BV_SOURCE_DIR) / "res" / "English.lng";
  std::filesystem::copy_file(english, folder.path() / "res" / "English.lng");
}

ToolWindow::~ToolWindow() = default;

TFPrincipal& ToolWindow::Start(bool firstRunPicker) {
  Seams seams = fakes.Take();
  auto fake = std::make_unique<FakePrinter>();
  printer = fake.get();
  seams.printer = std::move(fake);
  window_ = std::make_unique<TFPrincipal>(std::move(seams));
  if (firstRunPicker)
    QObject::connect(window_.get(), &TFPrincipal::firstRunLanguageWanted, window_.get(),
                     [w = window_.get()] { w->ShowFirstRunLanguagePicker(); });
  window_->show();
  window_->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  QApplication::processEvents();  // the first activation is queued behind the showing
  return *window_;
}

void ToolWindow::Trigger(const char* action) {
  auto* command = window_->findChild<QAction*>(QLatin1String(action), Qt::FindDirectChildrenOnly);
  ASSERT_NE(command, nullptr) << action;
  ASSERT_TRUE(command->isEnabled()) << action;
  command->trigger();
}

TreeNode* ToolWindow::LoadAccounts() {
  Inside(*window_).TreeModel().Rebuild([](ProfileTree& tree) {
    tree.Clear();
    TNodeData category = TNodeData::Create(NodeKind::Category, 24);
    category.Name = "Personal";
    TreeNode* parent = tree.Append(nullptr, std::move(category));
    for (const char* name : {"Banco", "Correo"}) {
      TNodeData account = TNodeData::Create(NodeKind::Account, 17);
      account.Name = name;
      tree.Append(parent, std::move(account));
    }
  });
  Inside(*window_).BVTree().expandAll();
  SessionOf(*window_).ProfileOpen = true;
  Inside(*window_).EnableActionCategories({ActionCategory::PerfilOn}, {});
  return Account("Banco");
}

TreeNode* ToolWindow::Account(const std::string& name) const {
  TreeNode* found = nullptr;
  Inside(*window_).Tree().ForEachPreOrder([&](TreeNode& node, int) {
    if (node.data.Name == name) found = &node;
  });
  if (!found) ADD_FAILURE() << "no node " << name;
  return found;
}

std::filesystem::path ToolWindow::Language(const char* fileName) const {
  return folder.path() / "res" /
         std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(fileName)));
}

std::unique_ptr<QTimer> WhenModal(std::function<void(QDialog*)> act) {
  auto poll = std::make_unique<QTimer>();
  poll->setInterval(10);
  QObject::connect(poll.get(), &QTimer::timeout, poll.get(),
                   [timer = poll.get(), act = std::move(act)] {
                     auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                     if (!dialog || !dialog->isVisible()) return;
                     timer->stop();
                     act(dialog);
                   });
  poll->start();
  return poll;
}

void ClickListEntry(QWidget* dialog, const QString& fileName) {
  auto* list = dialog->findChild<QListWidget*>(QStringLiteral("BoxDll"));
  ASSERT_NE(list, nullptr);
  // The list shows each language by name; its file is the item's data.
  QList<QListWidgetItem*> found;
  for (int row = 0; row < list->count(); ++row)
    if (QStringToPath(list->item(row)->data(Qt::UserRole).toString()).filename() ==
        QStringToPath(fileName))
      found << list->item(row);
  ASSERT_EQ(found.size(), 1) << fileName.toStdString();
  const QRect where = list->visualItemRect(found.front());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, where.center());
}

}  // namespace bv::test
