#include "tools/TFGenPass.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "config/MessageIds.h"
#include "config/QtText.h"
#include "ui/PlainMessageBox.h"
#include "config/Translation.h"
#include "config/WipedQtText.h"
#include "crypto/WipedText.h"
#include "tools/LengthInput.h"
#include "tools/PasswordLength.h"
#include "tools/SecretClipboard.h"
#include "tools/StrengthBar.h"
#include "ui/WindowSize.h"

namespace bv {

namespace {

template <class T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

void Embolden(QWidget* widget) {
  QFont font = widget->font();
  font.setBold(true);
  widget->setFont(font);
}

}  // namespace

TFGenPass::TFGenPass(QWidget* parent, GenPassSeams seams, std::unique_ptr<RandomSource> random)
    : QDialog(parent), seams_(std::move(seams)), random_(std::move(random)) {
  if (!seams_.showError)
    seams_.showError = [this](const QString& text) { ShowPlainError(this, text); };
  if (!seams_.copySecret) seams_.copySecret = CopySecretToClipboard;
  if (!random_) random_ = std::make_unique<SystemRandom>();

  setObjectName(QStringLiteral("FGenPass"));
  BuildControls();
  CoupleOptions();
  InstallCp1252Guards(this);
  TranslateWindow(this, false);
  setWindowTitle(Msg(msg::kGeneratorCaption));
}

TFGenPass::~TFGenPass() { WipeLineEdit(Resultado); }

void TFGenPass::BuildControls() {
  lblInfo = Named(
      new QLabel(QStringLiteral("Este asistente le ayudará a generar contraseñas aleatorias \"sin "
                                "sentido\" para proteger aún más sus nuevas cuentas de usuario."),
                 this),
      "lblInfo");
  lblInfo->setWordWrap(true);

  Contenido = Named(new QGroupBox(QStringLiteral("Caracteres alfanuméricos"), this), "Contenido");
  ConLetras = Named(new QCheckBox(QStringLiteral("Con letras"), Contenido), "ConLetras");
  ConNumeros =
      Named(new QCheckBox(QStringLiteral("Con caracteres numéricos"), Contenido), "ConNumeros");
  Op_Text1 =
      Named(new QRadioButton(QStringLiteral("Sólo letras minúsculas"), Contenido), "Op_Text1");
  Op_Text2 =
      Named(new QRadioButton(QStringLiteral("Sólo letras mayúsculas"), Contenido), "Op_Text2");
  Op_Text3 = Named(new QRadioButton(QStringLiteral("Alternar mayúsculas y minúsculas"), Contenido),
                   "Op_Text3");
  ConLetras->setChecked(true);
  ConNumeros->setChecked(true);
  Op_Text3->setChecked(true);
  auto* contenido = new QGridLayout(Contenido);
  contenido->addWidget(ConLetras, 0, 0);
  contenido->addWidget(ConNumeros, 1, 0);
  contenido->addWidget(Op_Text1, 0, 1);
  contenido->addWidget(Op_Text2, 1, 1);
  contenido->addWidget(Op_Text3, 2, 1);

  Especial = Named(new QGroupBox(QStringLiteral("Caracteres especiales"), this), "Especial");
  ConEspeciales =
      Named(new QCheckBox(QStringLiteral("Con caracteres especiales"), Especial), "ConEspeciales");
  lblCaracteres = Named(new QLabel(QStringLiteral("Indique Caracteres especiales:"), Especial),
                        "lblCaracteres");
  Caracteres = Named(new QLineEdit(FromCp1252(kDefaultSpecials), Especial), "Caracteres");
  Caracteres->setEnabled(false);
  auto* especial = new QGridLayout(Especial);
  especial->addWidget(ConEspeciales, 0, 0, 1, 2);
  especial->addWidget(lblCaracteres, 1, 0);
  especial->addWidget(Caracteres, 1, 1);

  lblLength = Named(
      new QLabel(QStringLiteral("¿De cuántos caracteres desea la contraseña? Indique:"), this),
      "lblLength");
  SpinEdit = Named(new QLineEdit(QString::number(kDefaultPasswordLength), this), "SpinEdit");
  SpinEdit->setValidator(new DigitsOnlyValidator(SpinEdit));
  SpinEdit->setMaximumWidth(60);
  UpDown1 = Named(new UpDownButtons(SpinEdit, this), "UpDown1");

  lblGenerada = Named(new QLabel(QStringLiteral("Contraseña generada:"), this), "lblGenerada");
  Embolden(lblGenerada);
  Resultado = Named(new QLineEdit(this), "Resultado");
  Embolden(Resultado);
  BarraFuerza = new StrengthBar("BarraFuerza", this);
  BarraFuerza->Follow(Resultado);

  BtnGenerar = Named(new QPushButton(QStringLiteral("Generar"), this), "BtnGenerar");
  BtnCopiar = Named(new QPushButton(QStringLiteral("Copiar"), this), "BtnCopiar");
  BtnCancelar = Named(new QPushButton(QStringLiteral("Cancelar"), this), "BtnCancelar");
  BtnOk = Named(new QPushButton(QStringLiteral("Aceptar"), this), "BtnOk");
  // Each label names the box beside or below it for a screen reader.
  lblCaracteres->setBuddy(Caracteres);
  lblLength->setBuddy(SpinEdit);
  lblGenerada->setBuddy(Resultado);
  BtnGenerar->setDefault(true);  // Enter in the length field generates
  // ... but not in the result box: a password edited by hand is never replaced by a key.
  Resultado->installEventFilter(this);

  auto* length = new QHBoxLayout;
  length->addWidget(lblLength);
  length->addWidget(SpinEdit);
  length->addWidget(UpDown1);
  length->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BtnGenerar);
  buttons->addStretch();
  buttons->addWidget(BtnCopiar);
  buttons->addWidget(BtnCancelar);
  buttons->addWidget(BtnOk);
  auto* main = new QVBoxLayout(this);
  main->addWidget(lblInfo);
  main->addWidget(Contenido);
  main->addWidget(Especial);
  main->addLayout(length);
  main->addWidget(lblGenerada);
  main->addWidget(Resultado);
  main->addWidget(BarraFuerza);
  main->addLayout(buttons);
  KeepAtLeastWide(main, 420);
  GrowToWrappedTexts(this);

  connect(BtnGenerar, &QPushButton::clicked, this, &TFGenPass::BtnGenerarClick);
  connect(BtnCopiar, &QPushButton::clicked, this, &TFGenPass::BtnCopiarClick);
  connect(BtnOk, &QPushButton::clicked, this, &TFGenPass::BtnOkClick);
  connect(BtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void TFGenPass::CoupleOptions() {
  connect(ConLetras, &QCheckBox::toggled, this, [this](bool letters) {
    for (QRadioButton* option : {Op_Text1, Op_Text2, Op_Text3}) option->setEnabled(letters);
  });
  auto generable = [this] {
    BtnGenerar->setEnabled(ConLetras->isChecked() || ConNumeros->isChecked());
  };
  connect(ConLetras, &QCheckBox::toggled, this, generable);
  connect(ConNumeros, &QCheckBox::toggled, this, generable);
  connect(ConEspeciales, &QCheckBox::toggled, Caracteres, &QLineEdit::setEnabled);
}

void TFGenPass::UseForAccount(QLineEdit* edPass) { target_ = edPass; }

void TFGenPass::showEvent(QShowEvent* event) {
  WipeLineEdit(Resultado);
  BtnCopiar->setVisible(!FromAccountDialog());
  BtnCancelar->setVisible(FromAccountDialog());
  QDialog::showEvent(event);
}

PoolOptions TFGenPass::Options() const {
  PoolOptions options;
  options.letters = ConLetras->isChecked();
  options.digits = ConNumeros->isChecked();
  options.letterCase = Op_Text1->isChecked()   ? LetterCase::Lower
                       : Op_Text2->isChecked() ? LetterCase::Upper
                                               : LetterCase::Mixed;
  options.specials = ConEspeciales->isChecked();
  // The field refuses characters without a Windows-1252 form, so this always converts.
  options.specialChars = ToCp1252(Caracteres->text()).value_or(std::string());
  return options;
}

bool TFGenPass::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Resultado && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TFGenPass::BtnGenerarClick() {
  WipeLineEdit(Resultado);
  std::optional<std::string> pool = ComposePool(Options());
  if (!pool) return;

  const QString typed = SpinEdit->text();
  const std::optional<int> length = ReadPasswordLength(typed.toStdString());
  if (!length) {
    seams_.showError(FromCp1252(NotAnIntegerText(ToCp1252(typed).value_or(std::string()))));
    return;
  }
  // A typed length above the limit was cut: show the length actually used.
  SpinEdit->setText(QString::number(*length));

  std::string password = GeneratePassword(*pool, static_cast<std::size_t>(*length), *random_);
  QString shown = FromCp1252(password);
  WipeString(password);
  // The box becomes the text's only owner; WipeLineEdit overwrites it when the box is emptied.
  Resultado->setText(shown);
  shown.clear();
}

void TFGenPass::BtnCopiarClick() {
  Resultado->selectAll();
  // The clipboard makes a copy of its own; this one is wiped unless the clipboard kept it.
  QString copy = OwnCopy(Resultado->text());
  if (!copy.isEmpty()) seams_.copySecret(copy);
  WipeQString(copy);
  Resultado->deselect();
}

void TFGenPass::BtnOkClick() {
  if (!FromAccountDialog()) {
    accept();
    return;
  }
  const QString password = Resultado->text();
  if (password.isEmpty()) {
    seams_.showError(Msg(msg::kPasswordRequired));
    return;
  }
  // A copy of its own: this dialog wipes its result box when it closes, and the account
  // dialog's box must keep the password whatever becomes of the generator.
  QString handed = OwnCopy(password.left(kMaxHandedLength));
  // The field takes longer text from here than from the keyboard; a shorter limit of its
  // own would cut the password without anyone noticing.
  if (target_->maxLength() < handed.size()) target_->setMaxLength(kMaxHandedLength);
  target_->setText(handed);
  WipeQString(handed);
  accept();
}

}  // namespace bv
