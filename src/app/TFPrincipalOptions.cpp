// The main window following its options dialog.

#include <QCoreApplication>
#include <QDir>

#include "app/BrowserOptionsGroup.h"
#include "app/TFPrincipal.h"
#include "app/ToolCommands.h"
#include "browser/DetailView.h"
#include "config/TFOpciones.h"
#include "ui/Seams.h"

namespace bv {
namespace {

void SetFlag(MainWindowFlags& flags, OptionFlag flag, bool on) {
  switch (flag) {
    case OptionFlag::IrAlPrimero: flags.IrAlPrimero = on; break;
    case OptionFlag::MostrarPass: flags.MostrarPass = on; break;
    case OptionFlag::DCBSalir: flags.DCBSalir = on; break;
    case OptionFlag::DCBCerrar: flags.DCBCerrar = on; break;
    case OptionFlag::CerrarAlBloquear: flags.CerrarAlBloquear = on; break;
    case OptionFlag::CerrarAlSuspender: flags.CerrarAlSuspender = on; break;
  }
}

}  // namespace

void TFPrincipal::FollowOptions(TFOpciones& dialog) {
  const auto proxy = std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) /
                     "brindlevault-proxy";
  dialog.AddGroup(new BrowserOptionsGroup(*browserLink_, *seams_.boxes,
                                          QDir::homePath().toStdString(), proxy, &dialog));
  connect(&dialog, &TFOpciones::flagChanged, this, [this](OptionFlag flag, bool on) {
    SetFlag(flags_, flag, on);
    // An account page on view is drawn again at the same scroll position.
    if (flag != OptionFlag::MostrarPass || !Session().ProfileOpen || !selectedIsAccount_) return;
    const PageKind kind = detail_->PageKind();
    if (kind != PageKind::Account && kind != PageKind::AccountWithUrl) return;
    const int scroll = detail_->VerticalScroll();
    ShowAccountPage();
    detail_->SetVerticalScroll(scroll);
  });
  connect(&dialog, &TFOpciones::delayChanged, this, [this](OptionDelay delay, int value) {
    (delay == OptionDelay::VaciarTras ? flags_.VaciarTras : flags_.CerrarTras) = value;
    ApplySecretDelays();
  });
  connect(&dialog, &TFOpciones::languageChanged, this, [this] { ApplyLanguage(); });
  connect(&dialog, &TFOpciones::failed, this,
          [this](const QString& text) { seams_.boxes->Error(text); });
}

}  // namespace bv
