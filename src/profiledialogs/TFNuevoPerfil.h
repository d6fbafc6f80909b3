#pragma once
// The new-profile dialog (window "FNuevoPerfil"): owner, title and an optional master
// password typed twice. Aceptar checks them, asks where to save the profile (SDNuevo), and
// hands the request to the session, which writes and opens the profile.

#include <QDialog>
#include <filesystem>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace bv {

class StrengthBar;

class FileDialogs;
class MessageBoxes;
class FileDialogEntry;

struct NewProfileRequest {
  std::filesystem::path path;
  std::string owner;     // Windows-1252, 4 to 50 characters
  std::string title;     // Windows-1252, 3 to 50 characters
  std::string password;  // as typed, at most 16; empty for a profile without password
};

class TFNuevoPerfil : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kMinOwnerLength = 4;
  static constexpr int kMinTitleLength = 3;

  // Creates the profile; true when it was written and opened (the dialog then closes),
  // false after a reported failure (the dialog stays open).
  using Create = std::function<bool(const NewProfileRequest&)>;

  TFNuevoPerfil(MessageBoxes& boxes, FileDialogs& files, Create create, QWidget* parent = nullptr);
  ~TFNuevoPerfil() override;

  void BtnOkClick();

 protected:
  void showEvent(QShowEvent* event) override;  // FormShow

 private:
  [[nodiscard]] bool CheckEntries();
  [[nodiscard]] bool AcceptName(const QString& path);

  MessageBoxes& boxes_;
  FileDialogs& files_;
  Create create_;

  QLabel* lblUsuario;
  QLineEdit* Ed_Usuario;
  QLabel* lblTitulo;
  QLineEdit* Ed_Titulo;
  QLabel* lblPass;
  QLineEdit* Ed_Pass;
  QLabel* lblCPass;
  QLineEdit* Ed_CPass;
  StrengthBar* BarraFuerza;  // under the new password
  QLabel* lblConsejo;        // the limit of 16 characters and a phrase that fits
  QLabel* lblNota;
  QPushButton* BtnOk;
  QPushButton* BtnCancelar;
  FileDialogEntry* SDNuevo;
};

}  // namespace bv
