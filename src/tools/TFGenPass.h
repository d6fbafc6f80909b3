#pragma once
// The password generator (window "FGenPass"). Opened from the Tools menu it offers Copiar
// (to the clipboard); opened from an account dialog it offers Cancelar, and Aceptar writes
// the password into that dialog's password field.

#include <QDialog>
#include <functional>
#include <memory>

#include "tools/PasswordPool.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace bv {

class StrengthBar;
class UpDownButtons;

// What the dialog reaches outside itself; the defaults are the Qt ones.
struct GenPassSeams {
  std::function<void(const QString& text)> showError;     // an error box with an OK button
  std::function<void(const QString& secret)> copySecret;  // the clipboard, marked secret
};

class TFGenPass : public QDialog {
  Q_OBJECT

 public:
  // The longest password handed to an account dialog: longer ones would not survive
  // being stored in a profile.
  static constexpr int kMaxHandedLength = 117;

  explicit TFGenPass(QWidget* parent = nullptr, GenPassSeams seams = {},
                     std::unique_ptr<RandomSource> random = nullptr);
  ~TFGenPass() override;

  // Account mode: Aceptar puts the password into edPass (the opener's Ed_Pass). Stands for
  // FromAccountDialog = true; the field itself tells the new-account and edit-account
  // dialogs apart.
  void UseForAccount(QLineEdit* edPass);
  [[nodiscard]] bool FromAccountDialog() const { return target_ != nullptr; }

  // The event handlers, public so that the opener's tests can drive them.
  void BtnGenerarClick();
  void BtnCopiarClick();
  void BtnOkClick();

 protected:
  void showEvent(QShowEvent* event) override;  // FormShow
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void CoupleOptions();
  PoolOptions Options() const;

  GenPassSeams seams_;
  std::unique_ptr<RandomSource> random_;
  QLineEdit* target_ = nullptr;

  // Controls, named as in the window's section of the language files.
  QLabel* lblInfo;
  QGroupBox* Contenido;
  QCheckBox* ConLetras;
  QCheckBox* ConNumeros;
  QRadioButton* Op_Text1;
  QRadioButton* Op_Text2;
  QRadioButton* Op_Text3;
  QGroupBox* Especial;
  QCheckBox* ConEspeciales;
  QLabel* lblCaracteres;
  QLineEdit* Caracteres;
  QLabel* lblLength;
  QLineEdit* SpinEdit;
  UpDownButtons* UpDown1;
  QLabel* lblGenerada;
  QLineEdit* Resultado;
  StrengthBar* BarraFuerza;  // under the result
  QPushButton* BtnGenerar;
  QPushButton* BtnCopiar;
  QPushButton* BtnCancelar;
  QPushButton* BtnOk;
};

}  // namespace bv
