#pragma once
// The search window (window "FBusqueda"): finds categories, groups and accounts whose chosen
// field contains a word, lists them in tree order, and reports the node of a chosen row so
// that the main window selects it in its tree (the dialog stays open).

#include <QDialog>
#include <QIcon>
#include <array>

#include "profile/ProfileTree.h"
#include "ui/NodePictureCount.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace bv {

class TFBusqueda : public QDialog {
  Q_OBJECT

 public:
  // The tree is the main window's; it cannot change while this modal dialog is open.
  explicit TFBusqueda(const ProfileTree& tree, QWidget* parent = nullptr);

  // True while the result list is complete, so that a chosen row is passed on.
  [[nodiscard]] bool SearchReady() const { return searchReady_; }

  void BtnBuscarClick();  // RunSearch, then the focus to the results
  void RunSearch();

 signals:
  void nodeChosen(bv::TreeNode* node);

 protected:
  void showEvent(QShowEvent* event) override;                  // FormShow
  bool eventFilter(QObject* watched, QEvent* event) override;  // Enter and clicks in Busca

 private:
  void BuildControls();
  void ListaSelectionChanged();

  const ProfileTree& tree_;
  bool searchReady_ = false;
  std::array<QIcon, kNodePictureCount> pictures_;

  // Controls, named as in the window's section of the language files.
  QLabel* lblPalabra;
  QLineEdit* Busca;
  QLabel* lblEn;
  QComboBox* BuscarEn;
  QLabel* lblResultados;
  QTreeWidget* Lista;
  QPushButton* BtnBuscar;
  QPushButton* BtnCancelar;
};

}  // namespace bv
