#include "browser/GroupDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "browser/MemoEdit.h"
#include "browser/NodePictureBox.h"
#include "config/QtText.h"
#include "config/Translation.h"

namespace bv {

TGroupDialog::TGroupDialog(const Setup& entry, QWidget* parent, ErrorBoxFn showError)
    : QDialog(parent), spec_(entry), showError_(std::move(showError)) {
  if (!showError_) showError_ = DefaultErrorBox(this);
  setObjectName(QString::fromLatin1(entry.windowName));
  setWindowTitle(QString::fromUtf8(entry.caption));
  BuildControls(entry);
  InstallCp1252Guards(this);
  TranslateWindow(this, false);
  setWindowTitle(Msg(entry.captionMessage));
}

void TGroupDialog::BuildControls(const Setup& entry) {
  lblGrupo = Named(new QLabel(QString::fromUtf8(entry.nameLabel), this), "lblGrupo");
  Ed_Grupo = Named(new QLineEdit(this), "Ed_Grupo");
  Ed_Grupo->setMaxLength(box_limit::kGroupName);
  lblDescrip = Named(new QLabel(QStringLiteral("Descripción:"), this), "lblDescrip");
  Descrip = Named(new TMemoEdit(box_limit::kGroupDescription, this), "Descrip");
  Descrip->setFixedHeight(Descrip->fontMetrics().lineSpacing() * 4 + 10);
  lblImagen = Named(new QLabel(QStringLiteral("Imagen:"), this), "lblImagen");
  Combo = Named(new TNodePictureBox(this), "Combo");
  BtnOk = Named(new QPushButton(QStringLiteral("Aceptar"), this), "BtnOk");
  BtnCancelar = Named(new QPushButton(QStringLiteral("Cancelar"), this), "BtnCancelar");
  BtnOk->setDefault(true);
  lblGrupo->setBuddy(Ed_Grupo);
  lblDescrip->setBuddy(Descrip);
  lblImagen->setBuddy(Combo);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BtnOk);
  buttons->addWidget(BtnCancelar);
  auto* column = new QVBoxLayout(this);
  for (QWidget* control : std::initializer_list<QWidget*>{
           lblGrupo, Ed_Grupo, lblDescrip, Descrip, lblImagen, Combo})
    column->addWidget(control);
  column->addSpacing(6);
  column->addLayout(buttons);
  setMinimumWidth(300);

  setTabOrder(Ed_Grupo, Descrip);
  setTabOrder(Descrip, Combo);
  setTabOrder(Combo, BtnOk);
  setTabOrder(BtnOk, BtnCancelar);

  connect(BtnOk, &QPushButton::clicked, this, &TGroupDialog::BtnOkClick);
  connect(BtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

GroupValues TGroupDialog::Values() const {
  return {StoredText(Ed_Grupo->text()), StoredText(Descrip->StoredText()), Combo->Picture()};
}

void TGroupDialog::SetValues(const GroupValues& values) {
  PutText(Ed_Grupo, values.Name);
  Descrip->SetStoredText(FromCp1252(values.Description));
  Combo->SetPicture(values.ImageIndex);
}

void TGroupDialog::showEvent(QShowEvent* event) {
  if (spec_.newNode) {
    Ed_Grupo->clear();
    Descrip->clear();
    Combo->SetPicture(kNewCategoryPicture);
  }
  QDialog::showEvent(event);
  if (spec_.centredOnScreen) CentreOnScreen(this);
  Ed_Grupo->setFocus();
}

void TGroupDialog::BtnOkClick() {
  if (spec_.newNode) {
    if (const auto message = NewGroupRefusal(spec_.kind, StoredText(Ed_Grupo->text()))) {
      showError_(Msg(*message));
      Ed_Grupo->selectAll();
      Ed_Grupo->setFocus();
      return;
    }
  }
  accept();
}

}  // namespace bv
