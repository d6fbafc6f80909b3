#pragma once
// The dialog that sets up an account's two-step code (window "FCodigoDosPasos"), opened by
// BtnDosPasos of the account dialogs: the user pastes the otpauth:// address or the secret
// the site gave, sees the code it gives now to check it against the site, and Aceptar
// writes the seed line into the notes. What is no seed, or would not fit the notes, is
// refused with a message saying why; Quitar código takes the line out.

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "browser/EditBoxes.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace bv {

struct TotpSeed;

class TFCodigoDosPasos : public QDialog {
  Q_OBJECT

 public:
  // A Yes/No question; true for Yes.
  using QuestionFn = std::function<bool(const QString& text)>;

  // notes: the notes box's text as stored (Windows-1252, CR LF), whose seed line, if any,
  // fills the box.
  TFCodigoDosPasos(std::string notes, QWidget* parent = nullptr, ErrorBoxFn showError = {},
                   QuestionFn ask = {});
  ~TFCodigoDosPasos() override;

  // The notes once accepted: with the new seed line, or without the line after Quitar.
  const std::string& Notes() const { return notes_; }

  // The event handlers, public so that tests can drive them.
  void BtnOkClick();
  void BtnQuitarClick();

 private:
  void ShowCode();
  // The seed in the box, or nothing with the message that says why not.
  std::optional<TotpSeed> Seed(int* refusal) const;

  std::string notes_;
  ErrorBoxFn showError_;
  QuestionFn ask_;
  QTimer* timer_;

  QLabel* lblSemilla;
  QLineEdit* Ed_Semilla;
  QLabel* lblCodigo;
  QLabel* notraCodigo;  // the code the box gives now, or why it gives none (not translated)
  QLabel* lblAviso;
  QPushButton* BtnOk;
  QPushButton* BtnQuitar;
  QPushButton* BtnCancelar;
};

}  // namespace bv
