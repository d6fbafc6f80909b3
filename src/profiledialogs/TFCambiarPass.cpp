#include "profiledialogs/TFCambiarPass.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "config/MessageIds.h"
#include "config/QtText.h"
#include "config/WipedQtText.h"
#include "crypto/WipedText.h"
#include "profiledialogs/DialogKit.h"
#include "profile/MasterPassword.h"
#include "ui/Seams.h"
#include "tools/StrengthBar.h"

namespace bv {

using namespace dialogkit;

TFCambiarPass::TFCambiarPass(MessageBoxes& boxes, const std::string& sessionPassword, Change change,
                             QWidget* parent)
    : QDialog(parent),
      boxes_(boxes),
      sessionPassword_(sessionPassword),
      change_(std::move(change)) {
  setObjectName(QStringLiteral("FCambiarPass"));
  const int passwordMax = static_cast<int>(kMasterPasswordMaxLength);
  lblPassAct = Label(this, "lblPassAct", QStringLiteral("Contraseña actual:"));
  E_PassAct = PasswordBox(this, "E_PassAct", kNoLimit);
  lblNueva = Label(this, "lblNueva", QStringLiteral("Nueva contraseña:"));
  Nueva = PasswordBox(this, "Nueva", passwordMax);
  lblReNueva = Label(this, "lblReNueva", QStringLiteral("Repita la nueva contraseña:"));
  ReNueva = PasswordBox(this, "ReNueva", passwordMax);
  BtnOk = Button(this, "BtnOk", QStringLiteral("Aceptar"));
  BtnCancelar = Button(this, "BtnCancelar", QStringLiteral("Cancelar"));

  auto* grid = new QGridLayout;
  AddRow(grid, lblPassAct, E_PassAct);
  AddRow(grid, lblNueva, Nueva);
  BarraFuerza = new StrengthBar("BarraFuerza", this);
  BarraFuerza->Follow(Nueva);
  AddUnderBoxes(grid, BarraFuerza);
  AddRow(grid, lblReNueva, ReNueva);
  lblConsejo = MasterPasswordHint(this);
  Arrange(this, grid, nullptr, BtnOk, BtnCancelar, lblConsejo);
  connect(BtnOk, &QPushButton::clicked, this, &TFCambiarPass::BtnOkClick);
  connect(BtnCancelar, &QPushButton::clicked, this, &QDialog::reject);

  Finish(this, msg::kChangePasswordCaption);
}

TFCambiarPass::~TFCambiarPass() {
  for (QLineEdit* box : {E_PassAct, Nueva, ReNueva}) WipeLineEdit(box);
}

void TFCambiarPass::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;  // a window brought back by the desktop is not shown anew
  for (QLineEdit* box : {E_PassAct, Nueva, ReNueva}) WipeLineEdit(box);
  E_PassAct->setFocus();
}

void TFCambiarPass::BtnOkClick() {
  std::string current = PasswordOrSentinel(Cp1252Text(E_PassAct));
  const WipeOnExit wipeCurrent(current);
  if (current != sessionPassword_) {
    boxes_.Error(Msg(msg::kWrongCurrentPassword));
    FocusBox(E_PassAct, false);
    return;
  }
  if (Nueva->text() != ReNueva->text()) {
    boxes_.Error(Msg(msg::kNewPasswordsDiffer));
    FocusBox(Nueva, false);
    return;
  }
  std::string next = PasswordOrSentinel(Cp1252Text(Nueva));
  const WipeOnExit wipeNext(next);
  if (change_(next)) accept();
}

}  // namespace bv
