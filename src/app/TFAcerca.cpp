#include "app/TFAcerca.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/MessageIds.h"
#include "config/Product.h"
#include "config/QtText.h"
#include "config/Translation.h"

namespace bv {
namespace {

constexpr int kProductPixels = 20;

QString Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QLabel* NewLabel(const QString& text, const char* name, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  return label;
}

}  // namespace

TFAcerca::TFAcerca(std::function<void(const QString&)> openAddress, QWidget* parent)
    : QDialog(parent), openAddress_(std::move(openAddress)) {
  setObjectName(QStringLiteral("FAcerca"));
  BuildControls();
  TranslateWindow(this, false);
  setWindowTitle(Msg(msg::kAboutCaption));
  BtnOk->setText(Msg(msg::kOk));
  connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(notraWeb, &QLabel::linkActivated, this, [this](const QString& address) {
    if (openAddress_) openAddress_(address);
  });
}

void TFAcerca::BuildControls() {
  const QString name = Text(kProductName);
  const QString address = Text(kProductWebAddress);
  // The product name splits at its last blank: the name above, the version number below.
  const auto space = name.lastIndexOf(' ');

  notraProducto = NewLabel(name.left(space), "notraProducto", this);
  QFont big = notraProducto->font();
  big.setPixelSize(kProductPixels);
  big.setBold(true);
  notraProducto->setFont(big);
  notraVersion = NewLabel(name.mid(space + 1), "notraVersion", this);
  notraWeb = NewLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped()),
                      "notraWeb", this);
  notraWeb->setTextFormat(Qt::RichText);
  notraWeb->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  for (QLabel* label : {notraProducto, notraVersion, notraWeb})
    label->setAlignment(Qt::AlignCenter);

  Label4 = NewLabel(QStringLiteral("Traducido por:"), "Label4", this);
  lblTraductor = NewLabel(QStringLiteral("(nativo)"), "lblTraductor", this);
  auto* credit = new QHBoxLayout;
  credit->addStretch();
  credit->addWidget(Label4);
  credit->addWidget(lblTraductor);
  credit->addStretch();

  BtnOk = new QPushButton(QStringLiteral("Aceptar"), this);
  BtnOk->setObjectName(QStringLiteral("BtnOk"));
  BtnOk->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BtnOk);
  buttons->addStretch();

  auto* column = new QVBoxLayout(this);
  column->addWidget(notraProducto);
  column->addWidget(notraVersion);
  column->addWidget(notraWeb);
  column->addSpacing(8);
  column->addLayout(credit);
  column->addSpacing(8);
  column->addLayout(buttons);
  column->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace bv
