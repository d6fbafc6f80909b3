#pragma once
// The login prompt (window "FInicioSesion"): asks the master password of the profile being
// opened. Aceptar (Enter) and the window's close box return the text typed; Cancelar
// (Escape) returns the cancelled mark.

#include <QDialog>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace bv {

class TFInicioSesion : public QDialog {
  Q_OBJECT

 public:
  explicit TFInicioSesion(QWidget* parent = nullptr);
  ~TFInicioSesion() override;

  // Runs the prompt: the password typed (Windows-1252, possibly empty), or nothing when the
  // user cancels.
  [[nodiscard]] static std::optional<std::string> Ask(QWidget* parent);
  // The same with prompt in place of the usual one: which file wants which password.
  [[nodiscard]] static std::optional<std::string> Ask(QWidget* parent, const QString& prompt);

  [[nodiscard]] bool Cancelled() const { return cancelled_; }
  [[nodiscard]] std::string Password() const;

  void BtnOkClick();
  void BtnCancelarClick();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // The close box counts as Aceptar.
  void reject() override;

 private:
  bool cancelled_ = false;

  QLabel* lblPass;
  QLineEdit* Ed_Pass;
  QPushButton* BtnOk;
  QPushButton* BtnCancelar;
};

}  // namespace bv
