#pragma once
// The main window with its tools, in a temporary program folder that holds both shipped
// languages (so no real settings file is touched), with fake seams and a fake printer
// dialog; and a way to answer the modal dialogs that its commands open.

#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "support/gui/WindowHarness.h"
#include "ui/Seams.h"

class QDialog;

namespace bv::test {

// Prints into the PDF file named by pdf; an empty name cancels the dialog.
class FakePrinter : public PrinterSetup {
 public:
  bool Choose(QPrinter& printer) override;
  QString pdf;
  int shown = 0;
  QString offeredName;  // the document name the dialog was shown with
};

class ToolWindow {
 public:
  ToolWindow();  // the folder only: settings may be written before Start
  ~ToolWindow();

  // firstRunPicker: the picker hook installed as the program installs it.
  TFPrincipal& Start(bool firstRunPicker = false);
  TFPrincipal& window() { return *window_; }
  void Trigger(const char* action);

  // One category holding the accounts "Banco" and "Correo", loaded as an open profile.
  TreeNode* LoadAccounts();
  TreeNode* Account(const std::string& name) const;

  std::filesystem::path Language(const char* fileName) const;  // in the folder's res/
  QString SettingsText() const { return QString::fromLatin1(folder.ReadSettings()); }

  ProgramFolder folder;
  FakeSeams fakes;
  FakePrinter* printer = nullptr;

 private:
  std::unique_ptr<TFPrincipal> window_;
};

// Runs act on the next modal dialog once it is showing (the dialog's exec() then goes on
// until act, or a later step, closes it). The answer waits as long as the result lives.
[[nodiscard]] std::unique_ptr<QTimer> WhenModal(std::function<void(QDialog*)> act);

// Clicks the entry of a file list (BoxDll) named fileName, as the user would.
void ClickListEntry(QWidget* dialog, const QString& fileName);  // the language of that file

}  // namespace bv::test
