#include "profiledialogs/TFInicioSesion.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "config/MessageIds.h"
#include "config/QtText.h"
#include "config/WipedQtText.h"
#include "profiledialogs/DialogKit.h"

namespace bv {

using namespace dialogkit;

TFInicioSesion::TFInicioSesion(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FInicioSesion"));
  lblPass = Label(this, "lblPass", QStringLiteral("Ingrese la contraseña para Iniciar sesión:"));
  Ed_Pass = PasswordBox(this, "Ed_Pass", kNoLimit);
  BtnOk = Button(this, "BtnOk", QStringLiteral("Aceptar"));
  BtnCancelar = Button(this, "BtnCancelar", QStringLiteral("Cancelar"));

  auto* grid = new QGridLayout;
  grid->addWidget(lblPass, 0, 0);
  grid->addWidget(Ed_Pass, 1, 0);
  lblPass->setBuddy(Ed_Pass);
  Arrange(this, grid, nullptr, BtnOk, BtnCancelar);
  connect(BtnOk, &QPushButton::clicked, this, &TFInicioSesion::BtnOkClick);
  connect(BtnCancelar, &QPushButton::clicked, this, &TFInicioSesion::BtnCancelarClick);

  Finish(this, msg::kLogInCaption);
  Ed_Pass->setFocus();
}

TFInicioSesion::~TFInicioSesion() { WipeLineEdit(Ed_Pass); }

std::optional<std::string> TFInicioSesion::Ask(QWidget* parent) {
  TFInicioSesion dialog(parent);
  dialog.exec();
  if (dialog.Cancelled()) return std::nullopt;
  return dialog.Password();
}

std::optional<std::string> TFInicioSesion::Ask(QWidget* parent, const QString& prompt) {
  TFInicioSesion dialog(parent);
  dialog.lblPass->setText(prompt);
  dialog.lblPass->setWordWrap(true);
  dialog.exec();
  if (dialog.Cancelled()) return std::nullopt;
  return dialog.Password();
}

std::string TFInicioSesion::Password() const { return Cp1252Text(Ed_Pass); }

void TFInicioSesion::BtnOkClick() {
  cancelled_ = false;
  done(QDialog::Accepted);
}

void TFInicioSesion::BtnCancelarClick() {
  cancelled_ = true;
  done(QDialog::Rejected);
}

void TFInicioSesion::keyPressEvent(QKeyEvent* event) {
  // Escape is the Cancelar button, not the close box.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    BtnCancelar->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TFInicioSesion::reject() { BtnOkClick(); }

}  // namespace bv
