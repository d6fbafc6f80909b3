#include "EditingFixture.h"

#include <QAbstractButton>

#include "config/QtText.h"

namespace bv::test {
namespace {

TNodeData Data(const char* name, NodeKind kind) {
  TNodeData data = TNodeData::Create(kind, 3);
  data.Name = name;
  return data;
}

void ShapeOf(const ProfileTree& tree, const TreeNode* parent, std::string& out) {
  bool first = true;
  for (const auto& child : tree.ChildrenOf(parent)) {
    if (!first) out += ' ';
    first = false;
    out += child->data.Name.empty() ? "''" : child->data.Name;
    if (!child->children.empty()) {
      out += '(';
      ShapeOf(tree, child.get(), out);
      out += ')';
    }
  }
}

}  // namespace

FakeHost::FakeHost() : model(tree, [](int) { return QIcon(); }) {
  TreeNode* c1 = tree.Append(nullptr, Data("C1", NodeKind::Category));
  TreeNode* g1 = tree.Append(c1, Data("G1", NodeKind::Group));
  tree.Append(g1, Data("A1", NodeKind::Account));
  tree.Append(g1, Data("A2", NodeKind::Account));
  tree.Append(c1, Data("G2", NodeKind::Group));
  tree.Append(nullptr, Data("C2", NodeKind::Category));
  view.SetTreeModel(&model);
  // The main window draws the page of every node that becomes selected.
  QObject::connect(&view, &AccountTreeView::nodeSelected, &view, [this](TreeNode* node) {
    if (node->data.IsAccount)
      ShowAccountPage();
    else
      ShowGroupPage();
  });
}

void FakeHost::Follow(EditingController& controller) {
  QObject::connect(&controller, &EditingController::modified, [this] { ++modified; });
  QObject::connect(&controller, &EditingController::nothingSelected, [this] { ++nothingSelected; });
  QObject::connect(&controller, &EditingController::accountEdited, [this] { ShowAccountPage(); });
  QObject::connect(&controller, &EditingController::groupEdited, [this] { ShowGroupPage(); });
  QObject::connect(&controller, &EditingController::profileEmptied, [this] { pages << "empty"; });
}

bool FakeHost::WarningYesNo(const QString& text) {
  questions << text;
  if (answers.empty()) return false;
  const bool yes = answers.front();
  answers.pop_front();
  return yes;
}

QString FakeHost::SelectedName() const {
  const TreeNode* node = view.SelectedNode();
  return node ? FromCp1252(node->data.Name) : QStringLiteral("(none)");
}

EditingTest::EditingTest() {
  host.Follow(controller);
  controller.SetDialogRunner([this](QDialog& dialog) {
    dialog.show();  // FormShow
    dialogTitle = dialog.windowTitle();
    dialogName = dialog.objectName();
    if (script_) std::exchange(script_, {})(dialog);
    const int result = dialog.result();
    dialog.hide();
    return result;
  });
}

void EditingTest::Answer(Script script) { script_ = std::move(script); }

std::string EditingTest::Shape() const {
  std::string out;
  ShapeOf(host.tree, nullptr, out);
  return out;
}

TreeNode* EditingTest::Node(const std::string& name) const {
  TreeNode* found = nullptr;
  host.tree.ForEachPreOrder([&](TreeNode& node, int) {
    if (!found && node.data.Name == name) found = &node;
  });
  EXPECT_NE(found, nullptr) << name;
  return found;
}

void EditingTest::Select(const std::string& name) {
  host.view.SelectNode(Node(name));
  host.pages.clear();
}

QLineEdit* Box(QDialog& dialog, const char* name) {
  auto* box = dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
  EXPECT_NE(box, nullptr) << name;
  return box;
}

void TypeInto(QDialog& dialog, const char* box, const QString& text) {
  QTest::keyClicks(Box(dialog, box), text);
}

void Click(QDialog& dialog, const char* button) {
  auto* b = dialog.findChild<QAbstractButton*>(QString::fromLatin1(button));
  ASSERT_NE(b, nullptr) << button;
  QTest::mouseClick(b, Qt::LeftButton);
}

}  // namespace bv::test
