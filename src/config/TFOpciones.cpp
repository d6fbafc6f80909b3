#include "config/TFOpciones.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <system_error>
#include <utility>

#include "config/FailureText.h"
#include "config/LanguageList.h"
#include "config/MessageIds.h"
#include "config/Messages.h"
#include "config/ProgramPaths.h"
#include "config/QtText.h"
#include "config/Settings.h"
#include "config/Translation.h"
#include "config/ScrollingPage.h"

namespace bv {
namespace {

constexpr int kListHeight = 64;

template <class T>
T* Named(T* control, const char* name) {
  control->setObjectName(QLatin1String(name));
  return control;
}

}  // namespace

TFOpciones::TFOpciones(BreachListChooser chooseBreachList, QWidget* parent)
    : QDialog(parent), chooseBreachList_(std::move(chooseBreachList)) {
  setObjectName(QStringLiteral("FOpciones"));
  BuildControls();
  TranslateWindow(this, false);
  setWindowTitle(Msg(msg::kOptionsCaption));

  for (const Option& option : Options())
    connect(option.box, &QCheckBox::clicked, this, [this, option] {
      // A failed write was reported and the click undone.
      static_cast<void>(BoxClick(option, true, true));
    });
  connect(BoxDll, &LanguageList::fileChosen, this, &TFOpciones::BoxDllClick);
  connect(SpinVaciarTras, &QSpinBox::valueChanged, this, [this] {
    DelayChanged(SpinVaciarTras, settings::kVaciarTras, OptionDelay::VaciarTras,
                 settings::kDefaultVaciarTras);
  });
  connect(SpinCerrarTras, &QSpinBox::valueChanged, this, [this] {
    DelayChanged(SpinCerrarTras, settings::kCerrarTras, OptionDelay::CerrarTras,
                 settings::kDefaultCerrarTras);
  });
  connect(SpinCopias, &QSpinBox::valueChanged, this, &TFOpciones::SpinCopiasChange);
  connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);
}

std::vector<TFOpciones::Option> TFOpciones::Options() const {
  using namespace settings;
  return {
      {CBCargaUltimo, kCargaUltimo, true, std::nullopt},
      {CBPrimero, kIrAlPrimero, false, OptionFlag::IrAlPrimero},
      {CBMostrar, kMostrarPass, false, OptionFlag::MostrarPass},
      {CBSalir, kDCBSalir, true, OptionFlag::DCBSalir},
      {CBCerrar, kDCBCerrar, true, OptionFlag::DCBCerrar},
      {CBBloquear, kCerrarAlBloquear, true, OptionFlag::CerrarAlBloquear},
      {CBSuspender, kCerrarAlSuspender, true, OptionFlag::CerrarAlSuspender},
  };
}

void TFOpciones::BuildControls() {
  // The groups go on a page that scrolls on a screen too small for them; Aceptar stays
  // below it, always in sight.
  auto* page = new QWidget;
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(0, 0, 0, 0);
  groups_ = column;

  GrupoConf = Named(new QGroupBox(QStringLiteral("Configuración"), this), "GrupoConf");
  auto* conf = new QVBoxLayout(GrupoConf);
  CBCargaUltimo = Named(
      new QCheckBox(QStringLiteral("Cargar el último perfil utilizado al Iniciar Brindlevault"),
                    GrupoConf),
      "CBCargaUltimo");
  CBPrimero =
      Named(new QCheckBox(QStringLiteral("Ir automáticamente al primer grupo al iniciar un perfil"),
                          GrupoConf),
            "CBPrimero");
  lblBorra =
      Named(new QLabel(QStringLiteral("Borrar automáticamente el portapapeles al:"), GrupoConf),
            "lblBorra");
  CBSalir = Named(new QCheckBox(QStringLiteral("salir de Brindlevault,"), GrupoConf), "CBSalir");
  CBCerrar = Named(new QCheckBox(QStringLiteral("cerrar perfil."), GrupoConf), "CBCerrar");
  auto* clearRow = new QHBoxLayout;
  clearRow->addWidget(CBSalir);
  clearRow->addWidget(CBCerrar);
  clearRow->addStretch();
  conf->addWidget(CBCargaUltimo);
  conf->addWidget(CBPrimero);
  conf->addWidget(lblBorra);
  conf->addLayout(clearRow);
  // A number box between two labels, so that each language words the sentence around it.
  const auto delayRow = [&](QLabel*& before, QSpinBox*& box, QLabel*& after, const char* names[3],
                            const QString& textBefore, const QString& textAfter, int max) {
    before = Named(new QLabel(textBefore, GrupoConf), names[0]);
    box = Named(new QSpinBox(GrupoConf), names[1]);
    box->setRange(0, max);
    box->setKeyboardTracking(false);  // written once the number is typed, not per digit
    after = Named(new QLabel(textAfter, GrupoConf), names[2]);
    before->setBuddy(box);
    auto* row = new QHBoxLayout;
    row->addWidget(before);
    row->addWidget(box);
    row->addWidget(after);
    row->addStretch();
    conf->addLayout(row);
  };
  const char* vaciar[3] = {"lblVaciarTras", "SpinVaciarTras", "lblVaciarSegundos"};
  delayRow(lblVaciarTras, SpinVaciarTras, lblVaciarSegundos, vaciar,
           QStringLiteral("Vaciar el portapapeles"), QStringLiteral("segundos después de copiar"),
           settings::kMaxVaciarTras);
  const char* cerrar[3] = {"lblCerrarTras", "SpinCerrarTras", "lblCerrarMinutos"};
  delayRow(lblCerrarTras, SpinCerrarTras, lblCerrarMinutos, cerrar,
           QStringLiteral("Cerrar el perfil tras"), QStringLiteral("minutos sin uso"),
           settings::kMaxCerrarTras);
  column->addWidget(GrupoConf);

  GrupoVisual = Named(new QGroupBox(QStringLiteral("Visualización"), this), "GrupoVisual");
  auto* visual = new QVBoxLayout(GrupoVisual);
  CBMostrar =
      Named(new QCheckBox(QStringLiteral("Mostrar contraseña/respuesta al mostrar las cuentas"),
                          GrupoVisual),
            "CBMostrar");
  visual->addWidget(CBMostrar);
  column->addWidget(GrupoVisual);

  GrupoIdioma = Named(new QGroupBox(QStringLiteral("Idioma"), this), "GrupoIdioma");
  auto* language = new QVBoxLayout(GrupoIdioma);
  lblIdioma =
      Named(new QLabel(QStringLiteral("Seleccione su idioma / Select your language:"), GrupoIdioma),
            "lblIdioma");
  BoxDll = new LanguageList(GrupoIdioma);
  BoxDll->setFixedHeight(kListHeight);
  lblIdioma->setBuddy(BoxDll);
  language->addWidget(lblIdioma);
  language->addWidget(BoxDll);
  column->addWidget(GrupoIdioma);
  column->addWidget(BuildBreachListGroup());

  GrupoCopias = Named(new QGroupBox(QStringLiteral("Copias de seguridad"), this), "GrupoCopias");
  auto* copiesRow = new QHBoxLayout(GrupoCopias);
  lblCopias = Named(new QLabel(QStringLiteral("Conservar"), GrupoCopias), "lblCopias");
  SpinCopias = Named(new QSpinBox(GrupoCopias), "SpinCopias");
  SpinCopias->setRange(0, settings::kMaxCopiasSeguridad);
  SpinCopias->setKeyboardTracking(false);
  lblCopiasPerfil = Named(
      new QLabel(QStringLiteral("copias de cada perfil al guardarlo (0: ninguna)"), GrupoCopias),
      "lblCopiasPerfil");
  lblCopias->setBuddy(SpinCopias);
  copiesRow->addWidget(lblCopias);
  copiesRow->addWidget(SpinCopias);
  copiesRow->addWidget(lblCopiasPerfil);
  copiesRow->addStretch();
  column->addWidget(GrupoCopias);

  GrupoSesion = Named(new QGroupBox(QStringLiteral("Bloqueo y suspensión"), this), "GrupoSesion");
  auto* session = new QVBoxLayout(GrupoSesion);
  CBBloquear = Named(
      new QCheckBox(QStringLiteral("Cerrar el perfil al bloquearse la pantalla"), GrupoSesion),
      "CBBloquear");
  CBSuspender = Named(
      new QCheckBox(QStringLiteral("Cerrar el perfil antes de suspender el equipo"), GrupoSesion),
      "CBSuspender");
  lblSesion = Named(
      new QLabel(
          QStringLiteral(
              "Un perfil con cambios sin guardar queda abierto; lo que se copió de él se borra "
              "igualmente del portapapeles."),
          GrupoSesion),
      "lblSesion");
  lblSesion->setWordWrap(true);
  session->addWidget(CBBloquear);
  session->addWidget(CBSuspender);
  session->addWidget(lblSesion);
  column->addWidget(GrupoSesion);
  column->addStretch();

  BtnOk = Named(new QPushButton(QStringLiteral("Aceptar"), this), "BtnOk");
  BtnOk->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BtnOk);
  auto* window = new QVBoxLayout(this);
  window->addWidget(new ScrollingPage(page, this), 1);
  window->addLayout(buttons);
}

void TFOpciones::AddGroup(QWidget* group) {
  // On the scrolling page, after the other groups and before the stretch below them.
  groups_->insertWidget(groups_->count() - 1, group);
  // Tab follows the layout: the group's controls, then the button.
  QWidget* last = nullptr;
  for (QWidget* child : group->findChildren<QWidget*>()) {
    if (child->focusPolicy() & Qt::TabFocus) last = child;
  }
  if (last) setTabOrder(last, BtnOk);
}

void TFOpciones::showEvent(QShowEvent* event) {
  if (!shown_) FitToScreen(this);  // before the dialog is placed over its parent
  QDialog::showEvent(event);
  // Once per opening: a window shown again after being minimised reads nothing.
  if (shown_) return;
  shown_ = true;
  FormShow();
}

void TFOpciones::FormShow() {
  // Every box starts unticked; ticking one is handled as its click. One failed write is
  // reported once, and the remaining boxes still show their settings.
  bool reported = false;
  for (const Option& option : Options()) {
    if (!ReadBool(settings::kConfiguracion, option.key, option.shownDefault)) continue;
    option.box->setChecked(true);
    if (!BoxClick(option, !reported, false)) reported = true;
  }
  // The delays show what is stored (0: never); only a change writes them.
  const QSignalBlocker quietVaciar(SpinVaciarTras), quietCerrar(SpinCerrarTras);
  SpinVaciarTras->setValue(
      ReadInt(settings::kConfiguracion, settings::kVaciarTras, settings::kDefaultVaciarTras));
  SpinCerrarTras->setValue(
      ReadInt(settings::kConfiguracion, settings::kCerrarTras, settings::kDefaultCerrarTras));
  BoxDll->Fill(ResourceDir());
  const QSignalBlocker quietCopias(SpinCopias);
  SpinCopias->setValue(ReadBackupsKept());
  ShowBreachList();
}

void TFOpciones::DelayChanged(QSpinBox* box, std::string_view key, OptionDelay delay,
                              int fallback) {
  try {
    WriteInt(settings::kConfiguracion, key, box->value());
  } catch (const ESettingsWriteError&) {
    emit failed(CurrentFailureText());
    const QSignalBlocker quiet(box);
    box->setValue(ReadInt(settings::kConfiguracion, key, fallback));
    return;
  }
  emit delayChanged(delay, box->value());
}

void TFOpciones::SpinCopiasChange() {
  try {
    WriteInt(settings::kConfiguracion, settings::kCopiasSeguridad, SpinCopias->value());
  } catch (const ESettingsWriteError&) {
    emit failed(CurrentFailureText());
    const QSignalBlocker quiet(SpinCopias);
    SpinCopias->setValue(ReadBackupsKept());
  }
}

bool TFOpciones::BoxClick(const Option& option, bool reportFailure, bool undoOnFailure) {
  const bool on = option.box->isChecked();
  try {
    WriteBool(settings::kConfiguracion, option.key, on);
  } catch (const ESettingsWriteError&) {
    if (reportFailure) emit failed(CurrentFailureText());
    if (undoOnFailure) option.box->setChecked(!on);
    return false;
  }
  if (!option.flag) return true;
  emit flagChanged(*option.flag, on);
  return true;
}

void TFOpciones::BoxDllClick(const QString& path) {
  const std::filesystem::path file = QStringToPath(path);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return;  // gone since the list was filled
  try {
    WriteString(settings::kConfiguracion, settings::kRecursos, PathToSetting(file));
  } catch (const ESettingsWriteError&) {
    emit failed(CurrentFailureText());
    return;
  }
  SetActiveLanguageFile(file);
  // The title keeps the old language's message until the dialog is opened again.
  TranslateWindow(this, false);
  emit languageChanged();
}

}  // namespace bv
