#pragma once
// The main window's commands that open the tools and the options, and that take an account
// out of the program: ActConfiguracion (options), ActAcercaDe (about box), ActGenerador
// (password generator), ActBuscar (search), ActSaludClaves (password health), ActImprimir
// (printout) and the account page's links that export the account as text (SDTXT) or HTML
// (SDHTML), and ActExportarPerfil (the whole profile as KDBX or CSV, SDExportar). The Help
// menu's documents are the main window's own.

#include <QPointer>
#include <QString>
#include <functional>

#include "app/FileDialogId.h"
#include "profile/ProfileTree.h"
#include "ui/ActionId.h"

class QAction;
class QWidget;

namespace bv {

class DetailView;
class FileDialogEntry;
class MessageBoxes;
class ProfileSession;
class ProfileTreeModel;
class TFOpciones;
class TFSaludClaves;
struct Seams;

class ToolCommands {
 public:
  // What the commands work on, given by the window that makes them; every part must outlive
  // this object.
  struct Parts {
    QWidget& window;  // the dialogs' parent
    std::function<QAction*(ActionId)> action;
    std::function<FileDialogEntry&(FileDialogId)> fileDialog;
    ProfileSession& profile;
    ProfileTreeModel& model;
    DetailView& page;
    Seams& seams;
    std::function<TreeNode*()> selectedNode;
    std::function<void(TreeNode*)> selectNode;
    std::function<void(const QString&)> openDocument;
    // Makes the window follow what the options dialog changes while it is open.
    std::function<void(TFOpciones&)> followOptions;
  };

  // Connects the commands to their actions and to the page's export links.
  explicit ToolCommands(Parts parts);

  void ShowOptions();
  void ShowAbout();
  void ShowGenerator();
  void ShowSearch();
  // ActSaludClaves: the password health report, beside the main window; it closes when the
  // command is disabled (the profile closed or locked).
  void ShowHealthReport();
  void PrintAccount();
  void ExportText();  // ExportAccountText behind its save dialog
  void ExportHtml();  // ExportAccountHtml behind its save dialog
  // The save dialog; a name ending in ".csv" is written as CSV after a warning (one row per
  // account, or the whole tree when the full CSV type was chosen), any other as KDBX with a
  // password asked twice (ProfileExport.cpp).
  void ExportProfile();

 private:
  // The selected node when it is an account; the commands act on nothing else.
  const TreeNode* SelectedAccount() const;

  Parts parts_;
  QPointer<TFSaludClaves> healthReport_;
};

// The main window in the language just chosen: its texts and messages, then its page drawn
// again by redrawPage.
void ApplyLanguage(QWidget& window, const std::function<void()>& redrawPage);

// The first-run language picker, shown modally over the window: applyLanguage runs when a
// language is chosen, a settings file that cannot be written is shown in boxes.
void ShowFirstRunLanguagePicker(QWidget& window, MessageBoxes& boxes,
                                const std::function<void()>& applyLanguage);

}  // namespace bv
