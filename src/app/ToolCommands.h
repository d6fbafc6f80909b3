#pragma once
// The main window's commands that open the tools and the options, and that take an account
// out of the program: ActConfiguracion (options), ActAcercaDe (about box), ActGenerador
// (password generator), ActBuscar (search), ActSaludClaves (password health), ActImprimir (printout) and the account page's
// links that export the account as text (SDTXT) or HTML (SDHTML), and ActExportarPerfil
// (the whole profile as KDBX or CSV, SDExportar). The Help menu's documents are the main
// window's own.

#include <QPointer>

namespace bv {

class TFPrincipal;
class TFSaludClaves;

class ToolCommands {
 public:
  // Connects the commands of window, which must outlive this object.
  explicit ToolCommands(TFPrincipal& window);

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
  TFPrincipal& window_;
  QPointer<TFSaludClaves> healthReport_;
};

// The main window in the language just chosen: its texts and messages, and its page.
void ApplyLanguage(TFPrincipal& window);

// The first-run language picker, shown modally over the window; the program shows it on the
// window's firstRunLanguageWanted.
void ShowFirstRunLanguagePicker(TFPrincipal& window);

}  // namespace bv
