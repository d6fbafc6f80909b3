#include "browser/TFCodigoDosPasos.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "browser/DetailPage.h"
#include "config/MessageIds.h"
#include "config/Messages.h"
#include "config/QtText.h"
#include "config/Translation.h"
#include "crypto/WipedText.h"
#include "profile/NodeData.h"
#include "tools/OneTimeCode.h"
#include "ui/WindowSize.h"

namespace bv {
namespace {

// The longest notes a profile reads back.
std::size_t NotesLimit() {
  for (const TextFieldInfo& field : kTextFields)
    if (field.member == &TNodeData::Notes) return field.survivingLength;
  return 0;
}

int FaultMessage(SeedFault fault) {
  switch (fault) {
    case SeedFault::Empty: return msg::kSeedEmpty;
    case SeedFault::NotBase32: return msg::kSeedNotBase32;
    case SeedFault::BadAddress: return msg::kSeedBadAddress;
    case SeedFault::UnknownAlgorithm: return msg::kSeedUnknownAlgorithm;
    case SeedFault::UnsupportedDigits: return msg::kSeedUnsupportedDigits;
    case SeedFault::UnsupportedPeriod: return msg::kSeedUnsupportedPeriod;
  }
  return msg::kSeedEmpty;
}

QLabel* Label(QWidget* parent, const char* name, const char* text) {
  return Named(new QLabel(QString::fromUtf8(text), parent), name);
}

}  // namespace

TFCodigoDosPasos::TFCodigoDosPasos(std::string notes, QWidget* parent, ErrorBoxFn showError,
                                   QuestionFn ask)
    : QDialog(parent),
      notes_(std::move(notes)),
      showError_(std::move(showError)),
      ask_(std::move(ask)) {
  if (!showError_) showError_ = DefaultErrorBox(this);
  if (!ask_)
    ask_ = [this](const QString& text) {
      return QMessageBox::question(this, ProductNameText(), text) == QMessageBox::Yes;
    };
  setObjectName(QStringLiteral("FCodigoDosPasos"));
  setWindowTitle(Msg(msg::kTwoStepCode));

  Ed_Semilla = Named(new QLineEdit(this), "Ed_Semilla");
  Ed_Semilla->setMinimumWidth(420);
  lblSemilla = Label(this, "lblSemilla", "&Dirección otpauth:// o secreto:");
  lblSemilla->setBuddy(Ed_Semilla);
  lblCodigo = Label(this, "lblCodigo", "Código que da ahora:");
  notraCodigo = Named(new QLabel(this), "notraCodigo");
  notraCodigo->setTextFormat(Qt::PlainText);
  lblAviso = Label(this, "lblAviso", "Compruebe que el sitio acepta este código antes de aceptar.");
  lblAviso->setWordWrap(true);
  BtnOk = Named(new QPushButton(QStringLiteral("Aceptar"), this), "BtnOk");
  BtnQuitar = Named(new QPushButton(QStringLiteral("&Quitar código"), this), "BtnQuitar");
  BtnCancelar = Named(new QPushButton(QStringLiteral("Cancelar"), this), "BtnCancelar");
  BtnOk->setDefault(true);
  BtnQuitar->setEnabled(SeedLineOf(notes_).has_value());
  if (const auto value = SeedLineOf(notes_)) Ed_Semilla->setText(FromCp1252(*value));

  auto* grid = new QGridLayout;
  grid->addWidget(lblSemilla, 0, 0, 1, 2);
  grid->addWidget(Ed_Semilla, 1, 0, 1, 2);
  grid->addWidget(lblCodigo, 2, 0);
  grid->addWidget(notraCodigo, 2, 1);
  grid->setColumnStretch(1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BtnQuitar);
  buttons->addStretch(1);
  buttons->addWidget(BtnOk);
  buttons->addWidget(BtnCancelar);
  auto* page = new QVBoxLayout(this);
  page->addLayout(grid);
  page->addWidget(lblAviso);
  page->addSpacing(6);
  page->addLayout(buttons);
  GrowToWrappedTexts(this);

  connect(Ed_Semilla, &QLineEdit::textChanged, this, &TFCodigoDosPasos::ShowCode);
  connect(BtnOk, &QPushButton::clicked, this, &TFCodigoDosPasos::BtnOkClick);
  connect(BtnQuitar, &QPushButton::clicked, this, &TFCodigoDosPasos::BtnQuitarClick);
  connect(BtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
  timer_ = new QTimer(this);
  timer_->setInterval(1000);
  connect(timer_, &QTimer::timeout, this, &TFCodigoDosPasos::ShowCode);
  timer_->start();

  InstallCp1252Guards(this);
  TranslateWindow(this, false);
  ShowCode();
}

TFCodigoDosPasos::~TFCodigoDosPasos() { WipeString(notes_); }

std::optional<TotpSeed> TFCodigoDosPasos::Seed(int* refusal) const {
  const std::string value = StoredText(Ed_Semilla->text());
  SeedParse parsed = ParseSeed(value);
  if (!parsed.seed) *refusal = FaultMessage(parsed.fault);
  return std::move(parsed.seed);
}

void TFCodigoDosPasos::ShowCode() {
  int refusal = 0;
  const std::optional<TotpSeed> seed = Seed(&refusal);
  notraCodigo->setText(seed ? QString::fromUtf8(TwoStepCodeText(
                                  *seed, std::chrono::system_clock::now(), MessageText))
                            : Msg(refusal));
}

void TFCodigoDosPasos::BtnOkClick() {
  int refusal = 0;
  const std::optional<TotpSeed> seed = Seed(&refusal);
  if (!seed) {
    showError_(Msg(refusal));
    Ed_Semilla->setFocus();
    return;
  }
  // An address is kept as pasted, so that its issuer and label stay; a bare secret in its
  // shortest form.
  std::string value = StoredText(Ed_Semilla->text().trimmed());
  if (!value.starts_with("otpauth:") && !value.starts_with("OTPAUTH:")) value = seed->secret;
  const std::size_t limit = NotesLimit();
  std::optional<std::string> notes = NotesWithSeed(notes_, value, limit);
  if (!notes) {
    const std::string kept(NotesWithoutSeed(notes_));
    const std::size_t length =
        kept.size() + (kept.empty() ? 0 : 2) + kSeedLinePrefix.size() + value.size();
    showError_(FromCp1252(FillIn(MessageText(msg::kSeedBeyondNotes),
                                 {std::to_string(length), std::to_string(limit)})));
    Ed_Semilla->setFocus();
    return;
  }
  WipeString(notes_);
  notes_ = std::move(*notes);
  accept();
}

void TFCodigoDosPasos::BtnQuitarClick() {
  if (!ask_(Msg(msg::kSeedRemoveQuestion))) return;
  std::string kept(NotesWithoutSeed(notes_));
  WipeString(notes_);
  notes_ = std::move(kept);
  accept();
}

}  // namespace bv
