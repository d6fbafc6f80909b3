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
#include "ui/WindowSize.h"

namespace bv {

GroupDialog::GroupDialog(const Setup& setup, QWidget* parent, ErrorBoxFn showError)
    : QDialog(parent), setup_(setup), showError_(std::move(showError)) {
  if (!showError_) showError_ = DefaultErrorBox(this);
  setObjectName(QString::fromLatin1(setup.windowName));
  setWindowTitle(QString::fromUtf8(setup.caption));
  BuildControls(setup);
  InstallCp1252Guards(this);
  TranslateWindow(this, false);
  setWindowTitle(Msg(setup.captionMessage));
}

void GroupDialog::BuildControls(const Setup& setup) {
  lblGrupo = Named(new QLabel(QString::fromUtf8(setup.nameLabel), this), "lblGrupo");
  Ed_Grupo = Named(new QLineEdit(this), "Ed_Grupo");
  Ed_Grupo->setMaxLength(box_limit::kGroupName);
  lblDescrip = Named(new QLabel(QStringLiteral("Descripción:"), this), "lblDescrip");
  Descrip = Named(new MemoEdit(box_limit::kGroupDescription, this), "Descrip");
  Descrip->setFixedHeight(Descrip->fontMetrics().lineSpacing() * 4 + 10);
  lblImagen = Named(new QLabel(QStringLiteral("Imagen:"), this), "lblImagen");
  Combo = Named(new NodePictureBox(this), "Combo");
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
  for (QWidget* control :
       std::initializer_list<QWidget*>{lblGrupo, Ed_Grupo, lblDescrip, Descrip, lblImagen, Combo})
    column->addWidget(control);
  column->addSpacing(6);
  column->addLayout(buttons);
  KeepAtLeastWide(column, 300);

  setTabOrder(Ed_Grupo, Descrip);
  setTabOrder(Descrip, Combo);
  setTabOrder(Combo, BtnOk);
  setTabOrder(BtnOk, BtnCancelar);

  connect(BtnOk, &QPushButton::clicked, this, &GroupDialog::BtnOkClick);
  connect(BtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

GroupValues GroupDialog::Values() const {
  return {StoredText(Ed_Grupo->text()), StoredText(Descrip->StoredText()), Combo->Picture()};
}

void GroupDialog::SetValues(const GroupValues& values) {
  PutText(Ed_Grupo, values.Name);
  Descrip->SetStoredText(FromCp1252(values.Description));
  Combo->SetPicture(values.ImageIndex);
}

void GroupDialog::showEvent(QShowEvent* event) {
  if (setup_.newNode) {
    Ed_Grupo->clear();
    Descrip->clear();
    Combo->SetPicture(kNewCategoryPicture);
  }
  QDialog::showEvent(event);
  if (setup_.centredOnScreen) CentreOnScreen(this);
  Ed_Grupo->setFocus();
}

void GroupDialog::BtnOkClick() {
  if (setup_.newNode) {
    if (const auto message = NewGroupRefusal(setup_.kind, StoredText(Ed_Grupo->text()))) {
      showError_(Msg(*message));
      Ed_Grupo->selectAll();
      Ed_Grupo->setFocus();
      return;
    }
  }
  accept();
}

}  // namespace bv
