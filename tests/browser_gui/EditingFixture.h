#pragma once
// The editing commands against a stand-in for the main window: a real tree model and view,
// boxes that answer as told and record what they showed, and a record of the pages drawn.
// Dialogs are shown for real and answered by a script that types and clicks in them.
//
//   C1 ( G1 ( A1  A2 )  G2 )   C2

#include <gtest/gtest.h>

#include "QtPrinting.h"

#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "browser/AccountTreeView.h"
#include "browser/EditingController.h"
#include "ui/Seams.h"
#include "browser/TreeModel.h"
#include "support/TestLanguage.h"

namespace bv::test {

// The window's side: its tree, its boxes, and what it heard from the controller.
class FakeHost : public MessageBoxes {
 public:
  FakeHost();

  EditingController::Parts Parts() { return {&window, model, view, *this}; }
  // Records what controller says, as the window would follow it.
  void Follow(EditingController& controller);

  void Error(const QString& text) override { errors << text; }
  bool WarningYesNo(const QString& text) override;
  SaveAnswer ConfirmSave(const QString&) override { return SaveAnswer::Cancel; }
  void Information(const QString&) override {}
  void ShowAccountPage() { pages << "account " + SelectedName(); }
  void ShowGroupPage() { pages << "group " + SelectedName(); }

  QString SelectedName() const;

  QWidget window;
  ProfileTree tree;
  ProfileTreeModel model;
  AccountTreeView view;

  QStringList errors;
  QStringList questions;
  std::deque<bool> answers;  // Yes/No in order; No once they run out
  int modified = 0;
  QStringList pages;        // "account A1", "group G1", "empty", in the order drawn
  int nothingSelected = 0;  // times the window heard that no node is selected
};

class EditingTest : public ::testing::Test {
 protected:
  using Script = std::function<void(QDialog&)>;

  EditingTest();

  // The next dialog the controller opens is shown and answered by script; the title it
  // had when shown is kept.
  void Answer(Script script);
  // The tree as text: "C1(G1(A1 A2) G2) C2".
  std::string Shape() const;
  TreeNode* Node(const std::string& name) const;
  void Select(const std::string& name);

  TestLanguage language{{}, {{44, "corta categoria"}, {16, "Agregar cuenta a"}}};
  FakeHost host;
  EditingController controller{host.Parts()};
  Script script_;
  QString dialogTitle;
  QString dialogName;
};

// Typing into a named box of a dialog, and clicking its buttons.
QLineEdit* Box(QDialog& dialog, const char* name);
void TypeInto(QDialog& dialog, const char* box, const QString& text);
void Click(QDialog& dialog, const char* button);

}  // namespace bv::test
