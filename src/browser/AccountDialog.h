#pragma once
// The form shared by the account dialogs (TFAddCuenta, TFEditarCuenta): name, user name
// and password side by side (with BtnGenerador, which opens the password generator), URL,
// question, answer and e-mail on the left; description, notes, account type and picture on
// the right; Aceptar and Cancelar at the bottom right.

#include <QDialog>

#include "browser/EditBoxes.h"
#include "browser/NodeEditing.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace bv {

class MemoEdit;
class StrengthBar;
class NodePictureBox;

class AccountDialog : public QDialog {
  Q_OBJECT

 public:
  AccountValues Values() const;

  // The event handlers, public so that tests can drive them.
  void BtnOkClick();
  // Opens the password generator; the password it hands over lands in Ed_Pass.
  void BtnGeneradorClick();
  // Opens the two-step code dialog on the notes box; what it accepts replaces the notes.
  void BtnDosPasosClick();

 protected:
  struct Setup {
    const char* windowName;  // also its section in the language files
    const char* caption;     // built-in; the opener sets the real one
    bool newNode;            // boxes emptied and picture 17 chosen on show
  };
  AccountDialog(const Setup& setup, QWidget* parent, ErrorBoxFn showError);

  // Fills the boxes before the dialog is shown; password and answer in clear.
  void SetValues(const AccountValues& values);
  void showEvent(QShowEvent* event) override;  // FormShow

 private:
  void BuildControls();
  void LayOut();
  void ClearBoxes();

  Setup setup_;
  ErrorBoxFn showError_;

  // Controls, named as in the window's section of the language files.
  QLabel* lblNCuenta;
  QLineEdit* Ed_NCuenta;
  QLabel* lblUsuario;
  QLineEdit* Ed_Usuario;
  QLabel* lblPass;
  QLineEdit* Ed_Pass;
  QToolButton* BtnGenerador;
  StrengthBar* BarraFuerza;  // under the password
  QLabel* lblURL;
  QLineEdit* Ed_URL;
  QLabel* lblPregunta;
  QLineEdit* Ed_Pregunta;
  QLabel* lblRespuesta;
  QLineEdit* Ed_Respuesta;
  QLabel* lblMail;
  QLineEdit* Ed_Mail;
  QLabel* lblDesc;
  MemoEdit* Ed_Desc;
  QLabel* lblNotas;
  MemoEdit* Ed_Notas;
  QPushButton* BtnDosPasos;  // under the notes
  QLabel* lblTipo;
  QComboBox* Ed_Tipo;
  QLabel* lblImagen;
  NodePictureBox* Ed_Imagen;
  QPushButton* BtnOk;
  QPushButton* BtnCancelar;
};

}  // namespace bv
