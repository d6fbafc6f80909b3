#include "support/gui/WindowHarness.h"

#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <gtest/gtest.h>

#include <QTest>
#include <QToolButton>
#include <QWidgetAction>
#include <fstream>
#include <iterator>

#include "app/WindowEvents.h"
#include "browser/AccountTreeView.h"
#include "browser/DetailView.h"
#include "browser/TreeModel.h"
#include "config/Messages.h"
#include "config/ProgramPaths.h"
#include "support/ProfileFixtures.h"
#include "support/gui/SessionBackDoor.h"

namespace bv::test {

ProgramFolder::ProgramFolder() {
  const std::filesystem::path& folder = path();
  std::filesystem::create_directories(folder / "res");
  const auto language = std::filesystem::path(BV_SOURCE_DIR) / "res" / kDefaultLanguageFileName;
  std::filesystem::copy_file(language, folder / "res" / kDefaultLanguageFileName);
  SetProgramDir(folder);
  SetActiveLanguageFile(folder / "res" / kDefaultLanguageFileName);
}

void ProgramFolder::WriteSettings(const std::string& text) const {
  std::ofstream(Settings(), std::ios::binary) << text;
}

std::string ProgramFolder::ReadSettings() const {
  std::ifstream in(Settings(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

AccountTreeView& WindowInternals::BVTree() const {
  return *w.findChild<AccountTreeView*>(QString(), Qt::FindChildrenRecursively);
}

DetailView& WindowInternals::Resulta() const {
  return *w.findChild<DetailView*>(QString(), Qt::FindChildrenRecursively);
}

QString WindowInternals::StatusPanelText() const {
  return w.statusBar()->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly)->text();
}

QString WindowInternals::Note() const { return w.statusBar()->currentMessage(); }

WindowHarness::WindowHarness() = default;
WindowHarness::~WindowHarness() = default;

TFPrincipal& WindowHarness::Start() {
  window_ = std::make_unique<TFPrincipal>(fakes.Take());
  window_->show();
  window_->activateWindow();  // shortcuts need the window active
  EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  QApplication::processEvents();  // the first activation is queued behind the showing
  return *window_;
}

QAction* WindowHarness::Act(const char* name) const {
  // By the name translation finds it by, which the tests thereby hold fixed.
  auto* action = window_->findChild<QAction*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
  if (!action) ADD_FAILURE() << "no action " << name;
  return action;
}

bool WindowHarness::Close() { return window_->close(); }

void WindowHarness::LoadSample() {
  nodes_.clear();
  Inside(*window_).TreeModel().Rebuild([this](ProfileTree& tree) {
    tree.Clear();
    auto add = [&](const char* parent, const char* name, NodeKind kind) {
      TNodeData data = TNodeData::Create(kind, kind == NodeKind::Account ? 17 : 24);
      data.Name = name;
      nodes_[name] = tree.Append(parent ? nodes_.at(parent) : nullptr, std::move(data));
    };
    add(nullptr, "C1", NodeKind::Category);
    add("C1", "G1", NodeKind::Group);
    add("G1", "A1", NodeKind::Account);
    add("G1", "G2", NodeKind::Group);
    add("G2", "A2", NodeKind::Account);
    add("C1", "A3", NodeKind::Account);
    add("C1", "G4", NodeKind::Group);
    add(nullptr, "C2", NodeKind::Category);
    add("C2", "G3", NodeKind::Group);
    add("G3", "A4", NodeKind::Account);
  });
  Inside(*window_).BVTree().expandAll();
  SessionOf(*window_).ProfileOpen = true;
  SessionOf(*window_).Modified = false;
  // What loading does to the actions.
  Inside(*window_).Events().ProfileOpened();
}

std::string WindowHarness::Shape() const { return test::Shape(Inside(*window_).Tree()); }

QStringList MenuOutline(const QWidget* menuOrBar) {
  QStringList names;
  for (const QAction* action : menuOrBar->actions()) {
    if (action->isSeparator())
      names.append(QStringLiteral("-"));
    else if (const auto* widgetAction = qobject_cast<const QWidgetAction*>(action))
      // A tool button with a drop-down arrow, standing for its action.
      names.append(
          qobject_cast<QToolButton*>(widgetAction->defaultWidget())->defaultAction()->objectName());
    else
      names.append(action->objectName());
  }
  return names;
}

}  // namespace bv::test
