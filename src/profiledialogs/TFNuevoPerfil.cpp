#include "profiledialogs/TFNuevoPerfil.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <system_error>

#include "config/MessageIds.h"
#include "config/QtText.h"
#include "config/Translation.h"
#include "config/WipedQtText.h"
#include "crypto/WipedText.h"
#include "profiledialogs/DialogKit.h"
#include "profile/MasterPassword.h"
#include "ui/Seams.h"
#include "tools/StrengthBar.h"

namespace bv {

using namespace dialogkit;

TFNuevoPerfil::TFNuevoPerfil(MessageBoxes& boxes, FileDialogs& files, Create create,
                             QWidget* parent)
    : QDialog(parent), boxes_(boxes), files_(files), create_(std::move(create)) {
  setObjectName(QStringLiteral("FNuevoPerfil"));
  const int passwordMax = static_cast<int>(kMasterPasswordMaxLength);
  lblUsuario = Label(this, "lblUsuario", QStringLiteral("Nombre del propietario del perfil:"));
  Ed_Usuario = TextBox(this, "Ed_Usuario", TProfileHeader::kOwnerMax);
  lblTitulo = Label(this, "lblTitulo", QStringLiteral("Título del perfil:"));
  Ed_Titulo = TextBox(this, "Ed_Titulo", TProfileHeader::kTitleMax);
  lblPass = Label(this, "lblPass", QStringLiteral("Contraseña de perfil:"));
  Ed_Pass = PasswordBox(this, "Ed_Pass", passwordMax);
  lblCPass = Label(this, "lblCPass", QStringLiteral("Confirmar contraseña:"));
  Ed_CPass = PasswordBox(this, "Ed_CPass", passwordMax);
  lblNota = Label(this, "lblNota",
                  QStringLiteral("Personalice su nuevo perfil indicando sus datos. La contraseña "
                                 "de perfil es opcional (en blanco para ninguna)"));
  BtnOk = Button(this, "BtnOk", QStringLiteral("Aceptar"));
  BtnCancelar = Button(this, "BtnCancelar", QStringLiteral("Cancelar"));
  SDNuevo = new FileDialogEntry(
      FileDialogEntry::Kind::Save, QStringLiteral("SDNuevo"), this,
      QStringLiteral("Guardar nuevo perfil como..."),
      QStringLiteral("Archivo de perfil (*.bv3)|*.bv3|Todos los archivos (*.*)|*.*"),
      QStringLiteral("bv3"));

  auto* grid = new QGridLayout;
  AddRow(grid, lblUsuario, Ed_Usuario);
  AddRow(grid, lblTitulo, Ed_Titulo);
  AddRow(grid, lblPass, Ed_Pass);
  BarraFuerza = new StrengthBar("BarraFuerza", this);
  BarraFuerza->Follow(Ed_Pass);
  BarraFuerza->KnowWordsOf({Ed_Usuario});
  AddUnderBoxes(grid, BarraFuerza);
  AddRow(grid, lblCPass, Ed_CPass);
  lblConsejo = MasterPasswordHint(this);
  Arrange(this, grid, lblNota, BtnOk, BtnCancelar, lblConsejo);
  connect(BtnOk, &QPushButton::clicked, this, &TFNuevoPerfil::BtnOkClick);
  connect(BtnCancelar, &QPushButton::clicked, this, &QDialog::reject);

  Finish(this, msg::kNewProfileCaption);
}

TFNuevoPerfil::~TFNuevoPerfil() {
  WipeLineEdit(Ed_Pass);
  WipeLineEdit(Ed_CPass);
}

void TFNuevoPerfil::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;  // a window brought back by the desktop is not shown anew
  for (QLineEdit* box : {Ed_Usuario, Ed_Titulo, Ed_Pass, Ed_CPass}) box->clear();
  Ed_Usuario->setFocus();
}

bool TFNuevoPerfil::CheckEntries() {
  if (Ed_Usuario->text().size() < kMinOwnerLength) {
    boxes_.Error(Msg(msg::kOwnerTooShort));
    FocusBox(Ed_Usuario, true);
    return false;
  }
  if (Ed_Titulo->text().size() < kMinTitleLength) {
    boxes_.Error(Msg(msg::kTitleTooShort));
    FocusBox(Ed_Titulo, true);
    return false;
  }
  if (Ed_Pass->text() != Ed_CPass->text()) {
    boxes_.Error(Msg(msg::kPasswordsDiffer) + QLatin1Char('\n') + Msg(msg::kPasswordsDifferHint));
    FocusBox(Ed_Pass, true);
    return false;
  }
  return true;
}

bool TFNuevoPerfil::AcceptName(const QString& path) {
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::path(path.toStdString()), ec)) return true;
  return boxes_.WarningYesNo(Msg(msg::kReplaceFile));
}

void TFNuevoPerfil::BtnOkClick() {
  if (!CheckEntries()) return;
  const auto chosen =
      files_.Save(*SDNuevo, QString(), [this](const QString& path) { return AcceptName(path); });
  if (!chosen) {
    reject();
    return;
  }
  NewProfileRequest request{std::filesystem::path(chosen->toStdString()), Cp1252Text(Ed_Usuario),
                            Cp1252Text(Ed_Titulo), Cp1252Text(Ed_Pass)};
  const WipeOnExit wipe(request.password);
  if (create_(request)) accept();
}

}  // namespace bv
