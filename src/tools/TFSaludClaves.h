#pragma once
// The password health report (window "FSaludClaves"): every account whose password is empty,
// weak, shared with other accounts, the same as its user name, its name or the master
// password, or in the breach list chosen in the options; worst first, with the counts of each
// kind at the top. Rows show the account's path, never its password (unless passwords are
// shown, as the account page does). Activating a row asks the main window to select the
// account; the window stays open beside it.
//
// The report is made anew each time the window is shown and whenever the tree changes while
// it is open, keeping the selected account; a click on a column's heading sorts by it. A
// large profile shows its progress in a dialog that can cancel it. The window opens beside
// the main window, so that the tree it selects in stays in sight, and follows a change of
// the program's language at once.

#include <QDialog>
#include <QIcon>
#include <array>
#include <string>
#include <utility>

#include "profile/ProfileTree.h"
#include "tools/PasswordHealth.h"
#include "ui/NodePictureCount.h"

class QAbstractItemModel;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace bv {

class TFSaludClaves : public QDialog {
  Q_OBJECT

 public:
  // tree, sessionPassword (the sentinel for a profile without one) and owner are the main
  // window's and outlive this window.
  TFSaludClaves(const ProfileTree& tree, const std::string& sessionPassword,
                const std::string& owner, QWidget* parent = nullptr);
  ~TFSaludClaves() override;

  // Every change the model announces makes the report out of date.
  void FollowModel(const QAbstractItemModel* model);

  // Analyses the profile and fills the list; false when the user cancelled.
  bool Analyze();
  // Shows the window in front, with a fresh report.
  void ShowReport();
  // The account of the selected row; null when none is selected.
  const TreeNode* SelectedAccount() const;

  // Profiles with more accounts than this show the analysis's progress.
  static constexpr std::size_t kProgressFrom = 2000;

 signals:
  void nodeChosen(bv::TreeNode* node);

 protected:
  bool event(QEvent* event) override;              // brought back while out of date: analyse
  void hideEvent(QHideEvent* event) override;      // the list is emptied: no password stays
  void changeEvent(QEvent* event) override;        // a new language: every text anew
  void resizeEvent(QResizeEvent* event) override;  // the notes keep the lines they need

 private:
  void BuildControls();
  void Fill(const HealthReport& report, bool showPasswords);
  void ListaItemActivated(QTreeWidgetItem* item);
  void MarkOutOfDate();
  // Beside the parent window, where the screen has room: right of it, else left of it.
  void PlaceBesideParent();
  // The note under the list: no list chosen, or why it was refused; empty when it was read.
  void ShowBreachListNote(const QString& note);
  // The wrapped labels ask for the height their lines take at their width: the list gives
  // it up, and never lies under them.
  void FitNotes();

  const ProfileTree& tree_;
  const std::string& sessionPassword_;
  const std::string& owner_;
  HealthReport report_;
  bool outOfDate_ = true;
  bool analysing_ = false;
  bool breachListRead_ = false;
  bool placed_ = false;
  std::pair<int, Qt::SortOrder> sortedBy_{1, Qt::AscendingOrder};  // the findings, worst first
  std::array<QIcon, kNodePictureCount> pictures_;

  // Controls, named as in the window's section of the language files.
  QLabel* notraResumen;  // "N cuentas analizadas, M con avisos"
  QLabel* notraCuentas;  // the counts of each kind
  QLabel* lblLista;
  QTreeWidget* Lista;
  QLabel* notraFiltradas;  // the breach list's note
  QPushButton* BtnActualizar;
  QPushButton* BtnCerrar;
};

}  // namespace bv
