#include "export/TFExportarPerfil.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "config/MessageIds.h"
#include "config/QtText.h"
#include "config/Translation.h"
#include "config/WipedQtText.h"
#include "profiledialogs/DialogKit.h"
#include "ui/Seams.h"

namespace bv {

using namespace dialogkit;

TFExportarPerfil::TFExportarPerfil(MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent), boxes_(boxes) {
  setObjectName(QStringLiteral("FExportarPerfil"));
  lblPass = Label(this, "lblPass", QStringLiteral("Contraseña del nuevo archivo:"));
  Ed_Pass = PasswordBox(this, "Ed_Pass", kNoLimit);
  lblRePass = Label(this, "lblRePass", QStringLiteral("Repita la contraseña:"));
  Ed_RePass = PasswordBox(this, "Ed_RePass", kNoLimit);
  lblNota =
      Label(this, "lblNota",
            QStringLiteral("KeePassXC y KeePass pedirán esta contraseña al abrir el archivo."));
  lblNota->setWordWrap(true);
  BtnOk = Button(this, "BtnOk", QStringLiteral("Aceptar"));
  BtnCancelar = Button(this, "BtnCancelar", QStringLiteral("Cancelar"));

  auto* grid = new QGridLayout;
  AddRow(grid, lblPass, Ed_Pass);
  AddRow(grid, lblRePass, Ed_RePass);
  Arrange(this, grid, lblNota, BtnOk, BtnCancelar);
  connect(BtnOk, &QPushButton::clicked, this, &TFExportarPerfil::BtnOkClick);
  connect(BtnCancelar, &QPushButton::clicked, this, &QDialog::reject);

  // No Windows-1252 guards: the new file is not a profile.
  setModal(true);
  TranslateWindow(this, false);
  setWindowTitle(Msg(msg::kExportPasswordCaption));
  Ed_Pass->setFocus();
}

TFExportarPerfil::~TFExportarPerfil() {
  for (QLineEdit* box : {Ed_Pass, Ed_RePass}) WipeLineEdit(box);
}

SecureBytes TFExportarPerfil::Password() const {
  QByteArray utf8 = Ed_Pass->text().toUtf8();
  SecureBytes password(utf8.cbegin(), utf8.cend());
  WipeQByteArray(utf8);
  return password;
}

void TFExportarPerfil::BtnOkClick() {
  if (Ed_Pass->text().isEmpty()) {
    boxes_.Error(Msg(msg::kExportPasswordEmpty));
    FocusBox(Ed_Pass, false);
    return;
  }
  if (Ed_Pass->text() != Ed_RePass->text()) {
    boxes_.Error(Msg(msg::kExportPasswordsDiffer));
    FocusBox(Ed_Pass, true);
    return;
  }
  accept();
}

}  // namespace bv
