#include "config/TFIdiomaInicio.h"

#include <QGroupBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/FailureText.h"
#include "config/LanguageList.h"
#include "config/Messages.h"
#include "config/ProgramPaths.h"
#include "config/QtText.h"
#include "config/Settings.h"
#include "config/Translation.h"

namespace bv {
namespace {

constexpr int kHeadingPixels = 24;
constexpr int kListHeight = 96;

QFont HeadingFont() {
  QFont font(QStringLiteral("Verdana"));
  font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
  font.setPixelSize(kHeadingPixels);
  font.setBold(true);
  return font;
}

}  // namespace

TFIdiomaInicio::TFIdiomaInicio(std::function<void()> applyLanguage,
                               std::function<void(const QString&)> showError, QWidget* parent)
    : QDialog(parent), applyLanguage_(std::move(applyLanguage)), showError_(std::move(showError)) {
  setObjectName(QStringLiteral("FIdiomaInicio"));
  // Bilingual, since no language has been chosen yet.
  setWindowTitle(QStringLiteral("Bienvenido // Welcome"));
  BuildControls();
  TranslateWindow(this, false);
  BoxDll->Fill(ResourceDir());
  connect(BoxDll, &LanguageList::fileChosen, this, &TFIdiomaInicio::BoxDllClick);
  connect(BtnOk, &QPushButton::clicked, this, &TFIdiomaInicio::BtnOkClick);
}

void TFIdiomaInicio::BuildControls() {
  auto* column = new QVBoxLayout(this);
  Label1 = new QLabel(ProductNameText(), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setFont(HeadingFont());
  column->addWidget(Label1);

  FlatGroupBox1 =
      new QGroupBox(QStringLiteral("Seleccione su idioma // Select your language"), this);
  FlatGroupBox1->setObjectName(QStringLiteral("FlatGroupBox1"));
  auto* group = new QVBoxLayout(FlatGroupBox1);
  BoxDll = new LanguageList(FlatGroupBox1);
  BoxDll->setFixedHeight(kListHeight);
  group->addWidget(BoxDll);
  column->addWidget(FlatGroupBox1);

  BtnOk = new QPushButton(QStringLiteral("Aceptar"), this);
  BtnOk->setObjectName(QStringLiteral("BtnOk"));
  BtnOk->setDefault(true);
  BtnOk->installEventFilter(this);
  // The list would take the focus and mark its first entry, which looks chosen but is not.
  BtnOk->setFocus();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BtnOk);
  buttons->addStretch();
  column->addLayout(buttons);
  column->setSizeConstraint(QLayout::SetFixedSize);
}

bool TFIdiomaInicio::eventFilter(QObject* watched, QEvent* event) {
  if (watched == BtnOk && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up) {
      BoxDll->setFocus(Qt::OtherFocusReason);
      QCoreApplication::sendEvent(BoxDll, key);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TFIdiomaInicio::BoxDllClick(const QString& path) {
  // A preview: the picker speaks the language; the main window waits for Aceptar.
  SetActiveLanguageFile(QStringToPath(path));
  TranslateWindow(this, false);
}

void TFIdiomaInicio::BtnOkClick() {
  const std::filesystem::path chosen = BoxDll->SelectedFile();  // empty when none
  try {
    WriteBool(settings::kGeneral, settings::kStartLanguage, false);
    WriteString(settings::kConfiguracion, settings::kRecursos,
                chosen.empty() ? std::string() : PathToSetting(chosen));
  } catch (const ESettingsWriteError&) {
    showError_(CurrentFailureText());
    return;
  }
  SetActiveLanguageFile(chosen);
  TranslateWindow(this, false);
  applyLanguage_();
  accept();
}

}  // namespace bv
