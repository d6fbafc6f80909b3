#include "profiledialogs/DialogKit.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/QtText.h"
#include "config/Translation.h"
#include "ui/WindowSize.h"

namespace bv::dialogkit {

QLabel* Label(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  return label;
}

QLineEdit* TextBox(QWidget* parent, const char* name, int maxLength) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QLatin1String(name));
  // Every Windows-1252 character is one UTF-16 unit, so the limit counts characters.
  if (maxLength != kNoLimit) box->setMaxLength(maxLength);
  return box;
}

QLineEdit* PasswordBox(QWidget* parent, const char* name, int maxLength) {
  QLineEdit* box = TextBox(parent, name, maxLength);
  box->setEchoMode(QLineEdit::Password);
  return box;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QLatin1String(name));
  return button;
}

void AddRow(QGridLayout* grid, QLabel* label, QLineEdit* box) {
  const int row = grid->rowCount();
  grid->addWidget(label, row, 0);
  grid->addWidget(box, row, 1);
  label->setBuddy(box);
}

void AddUnderBoxes(QGridLayout* grid, QWidget* widget) {
  grid->addWidget(widget, grid->rowCount(), 1);
}

QLabel* MasterPasswordHint(QWidget* parent) {
  return Label(parent, "lblConsejo",
               QStringLiteral("El perfil guarda hasta 16 caracteres de contraseña maestra: no "
                              "caben frases largas. Una buena contraseña que cabe son tres o "
                              "cuatro palabras cortas y poco comunes unidas por signos o cifras, "
                              "como «kiwi7tul-faro»; evite nombres, fechas y palabras de "
                              "diccionario solas."));
}

void Arrange(QDialog* dialog, QGridLayout* grid, QLabel* note, QPushButton* ok, QPushButton* cancel,
             QLabel* noteBelow) {
  auto* column = new QVBoxLayout(dialog);
  if (note) {
    note->setWordWrap(true);
    column->addWidget(note);
  }
  column->addLayout(grid);
  if (noteBelow) {
    noteBelow->setWordWrap(true);
    column->addWidget(noteBelow);
  }
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  column->addLayout(buttons);
  GrowToWrappedTexts(dialog);
  ok->setDefault(true);
  cancel->setAutoDefault(false);
  grid->setColumnMinimumWidth(1, 180);
}

void Finish(QDialog* dialog, int captionMessage) {
  dialog->setModal(true);
  InstallCp1252Guards(dialog);
  TranslateWindow(dialog, false);
  dialog->setWindowTitle(Msg(captionMessage));
}

std::string Cp1252Text(const QLineEdit* box) {
  // The guard refuses what has no Windows-1252 form; text set by a program may still hold it.
  return ToCp1252(box->text()).value_or(std::string());
}

void FocusBox(QLineEdit* box, bool selectAll) {
  if (selectAll) box->selectAll();
  box->setFocus();
}

}  // namespace bv::dialogkit
