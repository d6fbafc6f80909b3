#pragma once
// The form shared by the category and group dialogs (TFAddGrupo, TFAddSubGrupo,
// TFEditarGrupo): the name box Ed_Grupo, the description Descrip and the picture chooser
// Combo, with Aceptar and Cancelar. Each dialog is this form with its own window name,
// texts and check of the name.

#include <QDialog>

#include "browser/EditBoxes.h"
#include "browser/NodeEditing.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace bv {

class MemoEdit;
class NodePictureBox;

class GroupDialog : public QDialog {
  Q_OBJECT

 public:
  GroupValues Values() const;
  // Fills the boxes before the dialog is shown.
  void SetValues(const GroupValues& values);

  // The event handler of Aceptar, public so that tests can drive it.
  void BtnOkClick();

 protected:
  struct Setup {
    const char* windowName;  // also its section in the language files
    const char* caption;     // built-in; replaced by captionMessage
    int captionMessage;
    const char* nameLabel;
    bool newNode;          // boxes emptied and picture 24 chosen on show; the name checked
    NodeKind kind;         // of a new node: which message refuses a short name
    bool centredOnScreen;  // rather than on the main window
  };
  GroupDialog(const Setup& setup, QWidget* parent, ErrorBoxFn showError);

  void showEvent(QShowEvent* event) override;  // FormShow

 private:
  void BuildControls(const Setup& setup);

  Setup setup_;
  ErrorBoxFn showError_;

  // Controls, named as in the window's section of the language files.
  QLabel* lblGrupo;
  QLineEdit* Ed_Grupo;
  QLabel* lblDescrip;
  MemoEdit* Descrip;
  QLabel* lblImagen;
  NodePictureBox* Combo;
  QPushButton* BtnOk;
  QPushButton* BtnCancelar;
};

}  // namespace bv
