#pragma once
// The password of a KDBX file being exported (window "FExportarPerfil"): typed twice.
// Aceptar refuses an empty password and two entries that differ. Any character is allowed:
// the file keeps its password as UTF-8, and the profile's own password is never used.

#include <QDialog>

#include "export/SecureBytes.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace bv {

class MessageBoxes;

class TFExportarPerfil : public QDialog {
  Q_OBJECT

 public:
  explicit TFExportarPerfil(MessageBoxes& boxes, QWidget* parent = nullptr);
  ~TFExportarPerfil() override;

  // The accepted password, UTF-8, in memory that is wiped when it is released.
  SecureBytes Password() const;

  void BtnOkClick();

 private:
  MessageBoxes& boxes_;

  QLabel* lblPass;
  QLineEdit* Ed_Pass;
  QLabel* lblRePass;
  QLineEdit* Ed_RePass;
  QLabel* lblNota;
  QPushButton* BtnOk;
  QPushButton* BtnCancelar;
};

}  // namespace bv
