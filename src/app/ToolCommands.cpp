#include "app/ToolCommands.h"

#include <QAction>

#include "app/TFAcerca.h"
#include "app/TFPrincipal.h"
#include "app/ToolkitTranslation.h"
#include "browser/DetailView.h"
#include "browser/TreeModel.h"
#include "browser/ExportAccountHtml.h"
#include "config/LanguageList.h"
#include "config/QtText.h"
#include "config/TFIdiomaInicio.h"
#include "config/TFOpciones.h"
#include "config/Translation.h"
#include "tools/AccountText.h"
#include "tools/PrintAccount.h"
#include "tools/TFBusqueda.h"
#include "tools/BreachList.h"
#include "tools/HealthTexts.h"
#include "tools/TFGenPass.h"
#include "tools/TFSaludClaves.h"

namespace bv {
namespace {

// What the options dialog changes in the main window.
void SetFlag(TFPrincipal& window, OptionFlag flag, bool on) {
  MainWindowFlags& flags = window.Flags();
  switch (flag) {
    case OptionFlag::IrAlPrimero: flags.IrAlPrimero = on; break;
    case OptionFlag::MostrarPass: flags.MostrarPass = on; break;
    case OptionFlag::DCBSalir: flags.DCBSalir = on; break;
    case OptionFlag::DCBCerrar: flags.DCBCerrar = on; break;
    case OptionFlag::CerrarAlBloquear: flags.CerrarAlBloquear = on; break;
    case OptionFlag::CerrarAlSuspender: flags.CerrarAlSuspender = on; break;
  }
}

// After MostrarPass changed: an account page on view is drawn again at the same scroll
// position.
void RedrawAccountPage(TFPrincipal& window) {
  if (!window.Session().ProfileOpen || !window.SelectedIsAccount()) return;
  DetailView& view = window.Resulta();
  const int scroll = view.VerticalScroll();
  const auto kind = view.PageKind();
  if (kind != PageKind::Account && kind != PageKind::AccountWithUrl) return;
  window.ShowAccountPage();
  view.SetVerticalScroll(scroll);
}

void SetDelay(TFPrincipal& window, OptionDelay delay, int value) {
  MainWindowFlags& flags = window.Flags();
  (delay == OptionDelay::VaciarTras ? flags.VaciarTras : flags.CerrarTras) = value;
  window.ApplySecretDelays();
}

// The file chosen is opened as a breach list at once, so that a wrong one is refused here.
std::optional<QString> ChooseBreachList(TFPrincipal& window, const FileDialogEntry& entry,
                                        const QString& current) {
  const auto path = window.GetSeams().files->Open(entry, current);
  if (!path) return std::nullopt;
  try {
    const BreachList list(QStringToPath(*path));
  } catch (const EBreachListError& error) {
    window.GetSeams().boxes->Error(BreachListErrorText(*path, error));
    return std::nullopt;
  }
  return path;
}

// The selected node when it is an account; the commands below act on nothing else.
const TreeNode* SelectedAccount(const TFPrincipal& window) {
  const TreeNode* node = window.SelectedNode();
  return node && node->data.IsAccount != 0 ? node : nullptr;
}

}  // namespace

ToolCommands::ToolCommands(TFPrincipal& window) : window_(window) {
  const auto on = [&window](ActionId action, auto handler) {
    QObject::connect(window.Action(action), &QAction::triggered, &window, handler);
  };
  on(ActionId::ActConfiguracion, [this] { ShowOptions(); });
  on(ActionId::ActAcercaDe, [this] { ShowAbout(); });
  on(ActionId::ActGenerador, [this] { ShowGenerator(); });
  on(ActionId::ActBuscar, [this] { ShowSearch(); });
  on(ActionId::ActSaludClaves, [this] { ShowHealthReport(); });
  on(ActionId::ActImprimir, [this] { PrintAccount(); });
  on(ActionId::ActExportarPerfil, [this] { ExportProfile(); });
  // The page's export links.
  QObject::connect(&window.Resulta(), &DetailView::exportHtmlRequested, &window,
                   [this] { ExportHtml(); });
  QObject::connect(&window.Resulta(), &DetailView::exportTextRequested, &window,
                   [this] { ExportText(); });
}

void ToolCommands::ShowOptions() {
  TFPrincipal& w = window_;
  TFOpciones dialog([&w](const FileDialogEntry& entry,
                         const QString& current) { return ChooseBreachList(w, entry, current); },
                    &w);
  QObject::connect(&dialog, &TFOpciones::flagChanged, &w, [&w](OptionFlag flag, bool on) {
    SetFlag(w, flag, on);
    if (flag == OptionFlag::MostrarPass) RedrawAccountPage(w);
  });
  QObject::connect(&dialog, &TFOpciones::delayChanged, &w,
                   [&w](OptionDelay delay, int value) { SetDelay(w, delay, value); });
  QObject::connect(&dialog, &TFOpciones::languageChanged, &w, [&w] { ApplyLanguage(w); });
  QObject::connect(&dialog, &TFOpciones::failed, &w,
                   [&w](const QString& text) { w.GetSeams().boxes->Error(text); });
  dialog.exec();
}

void ToolCommands::ShowAbout() {
  TFAcerca about([this](const QString& address) { window_.OpenDocument(address); }, &window_);
  about.exec();
}

void ToolCommands::ShowGenerator() {
  // Menu mode: Copiar puts the password on the clipboard, marked as a secret, through the
  // window's clipboard like the copy commands (so it is emptied by the same rules).
  TFGenPass generator(
      &window_,
      GenPassSeams{
          .showError = [this](const QString& text) { window_.GetSeams().boxes->Error(text); },
          .copySecret =
              [this](const QString& secret) { window_.GetSeams().clipboard->SetText(secret); }});
  generator.exec();
}

void ToolCommands::ShowSearch() {
  TFBusqueda search(window_.Tree(), &window_);
  QObject::connect(&search, &TFBusqueda::nodeChosen, &window_,
                   [this](TreeNode* node) { window_.SelectNode(node); });
  search.exec();
}

void ToolCommands::ShowHealthReport() {
  if (!healthReport_) {
    healthReport_ =
        new TFSaludClaves(window_.Tree(), window_.Session().SessionPassword(), &window_);
    healthReport_->FollowModel(&window_.TreeModel());
    QObject::connect(healthReport_, &TFSaludClaves::nodeChosen, &window_,
                     [this](TreeNode* node) { window_.SelectNode(node); });
    QAction* command = window_.Action(ActionId::ActSaludClaves);
    QObject::connect(command, &QAction::changed, healthReport_, [this, command] {
      if (!command->isEnabled()) healthReport_->close();
    });
  }
  healthReport_->ShowReport();
}

void ToolCommands::PrintAccount() {
  if (const TreeNode* account = SelectedAccount(window_))
    // False when the user cancelled: nothing to do.
    static_cast<void>(bv::PrintAccount(account->data, *window_.GetSeams().printer));
}

void ToolCommands::ExportText() {
  const TreeNode* account = SelectedAccount(window_);
  if (!account) return;
  const auto path = window_.GetSeams().files->Save(window_.FileDialog(FileDialogId::SDTXT), {});
  if (!path) return;
  try {
    ExportAccountText(account->data, QStringToPath(*path));
  } catch (const EExportError& error) {
    window_.GetSeams().boxes->Error(FromCp1252(error.what()));
  }
}

void ToolCommands::ExportHtml() {
  const TreeNode* account = SelectedAccount(window_);
  if (!account) return;
  const auto path = window_.GetSeams().files->Save(window_.FileDialog(FileDialogId::SDHTML), {});
  if (!path) return;
  try {
    ExportAccountHtml(window_.Resulta(), account->data, QStringToPath(*path));
  } catch (const EExportError& error) {
    window_.GetSeams().boxes->Error(FromCp1252(error.what()));
  }
}

void ApplyLanguage(TFPrincipal& window) {
  FollowProgramLanguage();
  TranslateWindow(&window, true);
  window.RefreshDetailPage();
}

void ShowFirstRunLanguagePicker(TFPrincipal& window) {
  TFIdiomaInicio picker([&window] { ApplyLanguage(window); },
                        [&window](const QString& text) { window.GetSeams().boxes->Error(text); },
                        &window);
  picker.exec();
}

}  // namespace bv
