#pragma once
// The profile-details dialog (window "FEditarPerfil"): the owner's name and the title of
// the open profile. Guardar hands them to the session, which stores and saves them.

#include <QDialog>
#include <functional>
#include <string>

#include "profile/NodeData.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace bv {

class TFEditarPerfil : public QDialog {
  Q_OBJECT

 public:
  // Stores owner and title (Windows-1252) and saves the profile; true on success (the
  // dialog then closes).
  using Store = std::function<bool(const std::string& owner, const std::string& title)>;

  // header: the profile's header, read when the dialog is shown.
  TFEditarPerfil(const TProfileHeader& header, Store store, QWidget* parent = nullptr);

  void BtnOkClick();

 protected:
  void showEvent(QShowEvent* event) override;  // FormShow

 private:
  const TProfileHeader& header_;
  Store store_;

  QLabel* lblNombre;
  QLineEdit* Ed_Nombre;
  QLabel* lblTitulo;
  QLineEdit* Ed_Titulo;
  QPushButton* BtnOk;
  QPushButton* BtnCancelar;
};

}  // namespace bv
