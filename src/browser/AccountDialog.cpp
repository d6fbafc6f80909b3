#include "browser/AccountDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include "browser/MemoEdit.h"
#include "browser/NodePictureBox.h"
#include "browser/TFCodigoDosPasos.h"
#include "config/MessageIds.h"
#include "config/QtText.h"
#include "config/Translation.h"
#include "tools/TFGenPass.h"
#include "ui/Pictures.h"
#include "tools/StrengthBar.h"
#include "ui/WindowSize.h"

namespace bv {
namespace {

constexpr int kGeneratorPicture = 25;  // of the button pictures, as the generator's action
constexpr const char* kGeneratorKey = "Ctrl+Alt+G";

QLineEdit* LineBox(QWidget* parent, const char* name, int limit) {
  auto* box = Named(new QLineEdit(parent), name);
  box->setMaxLength(limit);
  return box;
}

QLabel* Label(QWidget* parent, const char* name, const char* text, QWidget* buddy) {
  auto* label = Named(new QLabel(QString::fromUtf8(text), parent), name);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

AccountDialog::AccountDialog(const Setup& setup, QWidget* parent, ErrorBoxFn showError)
    : QDialog(parent), setup_(setup), showError_(std::move(showError)) {
  if (!showError_) showError_ = DefaultErrorBox(this);
  setObjectName(QString::fromLatin1(setup.windowName));
  setWindowTitle(QString::fromUtf8(setup.caption));
  BuildControls();
  LayOut();
  InstallCp1252Guards(this);
  TranslateWindow(this, false);
}

void AccountDialog::BuildControls() {
  using namespace box_limit;
  Ed_NCuenta = LineBox(this, "Ed_NCuenta", kAccountName);
  Ed_Usuario = LineBox(this, "Ed_Usuario", kUserName);
  Ed_Pass = LineBox(this, "Ed_Pass", kPassword);  // characters visible
  BarraFuerza = new StrengthBar("BarraFuerza", this);
  BarraFuerza->Follow(Ed_Pass);
  BarraFuerza->KnowWordsOf({Ed_NCuenta, Ed_Usuario});
  Ed_URL = LineBox(this, "Ed_URL", kUrl);
  Ed_Pregunta = LineBox(this, "Ed_Pregunta", kQuestion);
  Ed_Respuesta = LineBox(this, "Ed_Respuesta", kAnswer);
  Ed_Mail = LineBox(this, "Ed_Mail", kMail);
  Ed_Desc = Named(new MemoEdit(kDescription, this), "Ed_Desc");
  Ed_Notas = Named(new MemoEdit(kNotes, this), "Ed_Notas");
  Ed_Tipo = Named(new QComboBox(this), "Ed_Tipo");
  Ed_Tipo->setEditable(true);
  // What the user types is kept as typed: no completion from the list, no new items.
  Ed_Tipo->setCompleter(nullptr);
  Ed_Tipo->setInsertPolicy(QComboBox::NoInsert);
  Ed_Tipo->lineEdit()->setMaxLength(kAccountType);
  for (const char* type : AccountTypeTexts()) Ed_Tipo->addItem(FromCp1252(type));
  Ed_Imagen = Named(new NodePictureBox(this), "Ed_Imagen");

  BtnGenerador = Named(new QToolButton(this), "BtnGenerador");
  BtnGenerador->setAutoRaise(true);
  BtnGenerador->setIcon(ButtonPicture(kGeneratorPicture));
  BtnGenerador->setToolTip(Msg(msg::kGeneratorCaption));
  BtnGenerador->setFocusPolicy(Qt::NoFocus);  // outside the tab order
  // ... and reached from the password box with the main window's key for the generator.
  auto* generate = new QShortcut(QKeySequence(QLatin1String(kGeneratorKey)), Ed_Pass);
  generate->setContext(Qt::WidgetShortcut);

  lblNCuenta = Label(this, "lblNCuenta", "Nombre de la cuenta:", Ed_NCuenta);
  lblUsuario = Label(this, "lblUsuario", "Nombre de usuario:", Ed_Usuario);
  lblPass = Label(this, "lblPass", "Contraseña:", Ed_Pass);
  lblURL = Label(this, "lblURL", "URL de acceso:", Ed_URL);
  lblPregunta = Label(this, "lblPregunta", "Pregunta secreta:", Ed_Pregunta);
  lblRespuesta = Label(this, "lblRespuesta", "Respuesta secreta:", Ed_Respuesta);
  lblMail = Label(this, "lblMail", "E-Mail de registro:", Ed_Mail);
  lblDesc = Label(this, "lblDesc", "Descripción de la cuenta:", Ed_Desc);
  lblNotas = Label(this, "lblNotas", "Notas adicionales:", Ed_Notas);
  lblTipo = Label(this, "lblTipo", "Tipo de cuenta:", Ed_Tipo);
  lblImagen = Label(this, "lblImagen", "Imagen:", Ed_Imagen);

  BtnDosPasos = Named(new QPushButton(QStringLiteral("Configurar código de dos pasos..."), this),
                      "BtnDosPasos");
  BtnOk = Named(new QPushButton(QStringLiteral("Aceptar"), this), "BtnOk");
  BtnCancelar = Named(new QPushButton(QStringLiteral("Cancelar"), this), "BtnCancelar");
  BtnOk->setDefault(true);

  QWidget* const order[] = {Ed_NCuenta,   Ed_Usuario, Ed_Pass, Ed_URL,     Ed_Pregunta,
                            Ed_Respuesta, Ed_Mail,    Ed_Desc, Ed_Notas,   BtnDosPasos,
                            Ed_Tipo,      Ed_Imagen,  BtnOk,   BtnCancelar};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  connect(BtnOk, &QPushButton::clicked, this, &AccountDialog::BtnOkClick);
  connect(BtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
  connect(BtnGenerador, &QToolButton::clicked, this, &AccountDialog::BtnGeneradorClick);
  connect(generate, &QShortcut::activated, this, &AccountDialog::BtnGeneradorClick);
  connect(BtnDosPasos, &QPushButton::clicked, this, &AccountDialog::BtnDosPasosClick);
}

void AccountDialog::LayOut() {
  auto* left = new QGridLayout;
  left->addWidget(lblNCuenta, 0, 0, 1, 2);
  left->addWidget(Ed_NCuenta, 1, 0, 1, 2);
  left->addWidget(lblUsuario, 2, 0);
  left->addWidget(lblPass, 2, 1);
  left->addWidget(Ed_Usuario, 3, 0);
  auto* password = new QHBoxLayout;
  password->setSpacing(2);
  password->addWidget(Ed_Pass, 1);
  password->addWidget(BtnGenerador);
  left->addLayout(password, 3, 1);
  left->addWidget(BarraFuerza, 4, 1);
  int row = 5;
  for (auto [label, box] : {std::pair<QLabel*, QWidget*>{lblURL, Ed_URL},
                            {lblPregunta, Ed_Pregunta},
                            {lblRespuesta, Ed_Respuesta},
                            {lblMail, Ed_Mail}}) {
    left->addWidget(label, row++, 0, 1, 2);
    left->addWidget(box, row++, 0, 1, 2);
  }
  left->setRowStretch(row, 1);

  auto* right = new QVBoxLayout;
  const int memoHeight = Ed_Desc->fontMetrics().lineSpacing() * 3 + 10;
  for (auto [label, box] : {std::pair<QLabel*, QWidget*>{lblDesc, Ed_Desc},
                            {lblNotas, Ed_Notas},
                            {nullptr, BtnDosPasos},
                            {lblTipo, Ed_Tipo},
                            {lblImagen, Ed_Imagen}}) {
    if (label) right->addWidget(label);
    right->addWidget(box, 0, box == BtnDosPasos ? Qt::AlignRight : Qt::Alignment());
  }
  Ed_Desc->setFixedHeight(memoHeight);
  Ed_Notas->setFixedHeight(memoHeight);
  right->addStretch(1);

  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 1);
  columns->addSpacing(12);
  columns->addLayout(right, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BtnOk);
  buttons->addWidget(BtnCancelar);

  auto* page = new QVBoxLayout(this);
  page->addLayout(columns);
  page->addSpacing(6);
  page->addLayout(buttons);
  KeepAtLeastWide(page, 560);
}

AccountValues AccountDialog::Values() const {
  AccountValues values;
  values.Name = StoredText(Ed_NCuenta->text());
  values.UserName = StoredText(Ed_Usuario->text());
  values.Password = StoredText(Ed_Pass->text());
  values.Url = StoredText(Ed_URL->text());
  values.Question = StoredText(Ed_Pregunta->text());
  values.Answer = StoredText(Ed_Respuesta->text());
  values.Mail = StoredText(Ed_Mail->text());
  values.Description = StoredText(Ed_Desc->StoredText());
  values.Notes = StoredText(Ed_Notas->StoredText());
  values.AccountType = StoredText(Ed_Tipo->currentText());
  values.ImageIndex = Ed_Imagen->Picture();
  return values;
}

void AccountDialog::SetValues(const AccountValues& values) {
  PutText(Ed_NCuenta, values.Name);
  PutText(Ed_Usuario, values.UserName);
  PutText(Ed_Pass, values.Password);
  PutText(Ed_URL, values.Url);
  PutText(Ed_Pregunta, values.Question);
  PutText(Ed_Respuesta, values.Answer);
  PutText(Ed_Mail, values.Mail);
  Ed_Desc->SetStoredText(FromCp1252(values.Description));
  Ed_Notas->SetStoredText(FromCp1252(values.Notes));
  Ed_Tipo->setCurrentIndex(-1);
  PutText(Ed_Tipo->lineEdit(), values.AccountType);
  Ed_Imagen->SetPicture(values.ImageIndex);
}

void AccountDialog::ClearBoxes() {
  for (QLineEdit* box :
       {Ed_NCuenta, Ed_Usuario, Ed_Pass, Ed_URL, Ed_Pregunta, Ed_Respuesta, Ed_Mail})
    box->clear();
  Ed_Desc->clear();
  Ed_Notas->clear();
  Ed_Tipo->setCurrentIndex(-1);
  Ed_Tipo->clearEditText();
  Ed_Imagen->SetPicture(kNewAccountPicture);
}

void AccountDialog::showEvent(QShowEvent* event) {
  if (setup_.newNode) ClearBoxes();
  QDialog::showEvent(event);
  Ed_NCuenta->setFocus();
}

void AccountDialog::BtnOkClick() {
  if (const auto refusal = CheckAccount(Values())) {
    showError_(Msg(refusal->message));
    if (refusal->box == AccountBox::Name) {
      Ed_NCuenta->selectAll();
      Ed_NCuenta->setFocus();
    } else {
      Ed_Imagen->setFocus();
    }
    return;
  }
  accept();
}

void AccountDialog::BtnDosPasosClick() {
  TFCodigoDosPasos dialog(StoredText(Ed_Notas->StoredText()), this, showError_);
  if (dialog.exec() != QDialog::Accepted) return;
  // Set by the program: the box takes the notes' whole 186 characters, not just the 170
  // that can be typed.
  Ed_Notas->SetStoredText(FromCp1252(dialog.Notes()));
}

void AccountDialog::BtnGeneradorClick() {
  TFGenPass generator(this, GenPassSeams{.showError = showError_, .copySecret = {}});
  generator.UseForAccount(Ed_Pass);
  generator.exec();
}

}  // namespace bv
