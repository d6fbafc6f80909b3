#include "profiledialogs/TFEditarPerfil.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "config/MessageIds.h"
#include "config/QtText.h"
#include "profiledialogs/DialogKit.h"

namespace bv {

using namespace dialogkit;

TFEditarPerfil::TFEditarPerfil(const TProfileHeader& header, Store store, QWidget* parent)
    : QDialog(parent), header_(header), store_(std::move(store)) {
  setObjectName(QStringLiteral("FEditarPerfil"));
  lblNombre = Label(this, "lblNombre", QStringLiteral("Nombre del propietario del perfil:"));
  Ed_Nombre = TextBox(this, "Ed_Nombre", TProfileHeader::kOwnerMax);
  lblTitulo = Label(this, "lblTitulo", QStringLiteral("Título del perfil:"));
  Ed_Titulo = TextBox(this, "Ed_Titulo", TProfileHeader::kTitleMax);
  BtnOk = Button(this, "BtnOk", QStringLiteral("Guardar"));
  BtnCancelar = Button(this, "BtnCancelar", QStringLiteral("Cancelar"));

  auto* grid = new QGridLayout;
  AddRow(grid, lblNombre, Ed_Nombre);
  AddRow(grid, lblTitulo, Ed_Titulo);
  Arrange(this, grid, nullptr, BtnOk, BtnCancelar);
  connect(BtnOk, &QPushButton::clicked, this, &TFEditarPerfil::BtnOkClick);
  connect(BtnCancelar, &QPushButton::clicked, this, &QDialog::reject);

  Finish(this, msg::kEditProfileCaption);
}

void TFEditarPerfil::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;  // a window brought back by the desktop is not shown anew
  // A header read from a file may hold more than the boxes take: they show the first 50.
  Ed_Nombre->setText(FromCp1252(header_.Owner));
  Ed_Titulo->setText(FromCp1252(header_.Title));
  Ed_Nombre->setFocus();
}

void TFEditarPerfil::BtnOkClick() {
  if (store_(Cp1252Text(Ed_Nombre), Cp1252Text(Ed_Titulo))) accept();
}

}  // namespace bv
