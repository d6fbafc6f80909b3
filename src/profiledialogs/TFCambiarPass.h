#pragma once
// The change-password dialog (window "FCambiarPass"): the current master password, then the
// new one typed twice. Aceptar checks both and hands the new password to the session, which
// re-enciphers and saves the profile with it.

#include <QDialog>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace bv {

class StrengthBar;

class MessageBoxes;

class TFCambiarPass : public QDialog {
  Q_OBJECT

 public:
  // Changes the master password to the one given (the sentinel for an empty box); true when
  // the profile was saved with it (the dialog then closes).
  using Change = std::function<bool(const std::string& newPassword)>;

  // sessionPassword: the password the profile was opened with (the sentinel when it has
  // none); it must outlive the dialog.
  TFCambiarPass(MessageBoxes& boxes, const std::string& sessionPassword, Change change,
                QWidget* parent = nullptr);
  ~TFCambiarPass() override;

  void BtnOkClick();

 protected:
  void showEvent(QShowEvent* event) override;  // FormShow

 private:
  MessageBoxes& boxes_;
  const std::string& sessionPassword_;
  Change change_;

  QLabel* lblPassAct;
  QLineEdit* E_PassAct;
  QLabel* lblNueva;
  QLineEdit* Nueva;
  QLabel* lblReNueva;
  QLineEdit* ReNueva;
  StrengthBar* BarraFuerza;  // under the new password
  QLabel* lblConsejo;        // the limit of 16 characters and a phrase that fits
  QPushButton* BtnOk;
  QPushButton* BtnCancelar;
};

}  // namespace bv
