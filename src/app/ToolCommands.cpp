#include "app/ToolCommands.h"

#include <QAction>
#include <utility>

#include "app/ProfileSession.h"
#include "app/TFAcerca.h"
#include "app/ToolkitTranslation.h"
#include "browser/DetailView.h"
#include "browser/TreeModel.h"
#include "browser/ExportAccountHtml.h"
#include "config/FailureText.h"
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
#include "ui/Seams.h"

namespace bv {
namespace {

// The file chosen is opened as a breach list at once, so that a wrong one is refused here.
std::optional<QString> ChooseBreachList(Seams& seams, const FileDialogEntry& entry,
                                        const QString& current) {
  const auto path = seams.files->Open(entry, current);
  if (!path) return std::nullopt;
  try {
    const BreachList list(QStringToPath(*path));
  } catch (const EBreachListError& error) {
    seams.boxes->Error(BreachListErrorText(*path, error));
    return std::nullopt;
  }
  return path;
}

}  // namespace

ToolCommands::ToolCommands(Parts parts) : parts_(std::move(parts)) {
  const auto on = [this](ActionId action, auto handler) {
    QObject::connect(parts_.action(action), &QAction::triggered, &parts_.window, handler);
  };
  on(ActionId::ActConfiguracion, [this] { ShowOptions(); });
  on(ActionId::ActAcercaDe, [this] { ShowAbout(); });
  on(ActionId::ActGenerador, [this] { ShowGenerator(); });
  on(ActionId::ActBuscar, [this] { ShowSearch(); });
  on(ActionId::ActSaludClaves, [this] { ShowHealthReport(); });
  on(ActionId::ActImprimir, [this] { PrintAccount(); });
  on(ActionId::ActExportarPerfil, [this] { ExportProfile(); });
  // The page's export links.
  QObject::connect(&parts_.page, &DetailView::exportHtmlRequested, &parts_.window,
                   [this] { ExportHtml(); });
  QObject::connect(&parts_.page, &DetailView::exportTextRequested, &parts_.window,
                   [this] { ExportText(); });
}

const TreeNode* ToolCommands::SelectedAccount() const {
  const TreeNode* node = parts_.selectedNode();
  return node && node->data.IsAccount != 0 ? node : nullptr;
}

void ToolCommands::ShowOptions() {
  Seams& seams = parts_.seams;
  TFOpciones dialog(
      [&seams](const FileDialogEntry& entry, const QString& current) {
        return ChooseBreachList(seams, entry, current);
      },
      &parts_.window);
  parts_.followOptions(dialog);
  dialog.exec();
}

void ToolCommands::ShowAbout() {
  TFAcerca about(parts_.openDocument, &parts_.window);
  about.exec();
}

void ToolCommands::ShowGenerator() {
  // Menu mode: Copiar puts the password on the clipboard, marked as a secret, through the
  // window's clipboard like the copy commands (so it is emptied by the same rules).
  Seams& seams = parts_.seams;
  TFGenPass generator(
      &parts_.window,
      GenPassSeams{
          .showError = [&seams](const QString& text) { seams.boxes->Error(text); },
          .copySecret = [&seams](const QString& secret) { seams.clipboard->SetText(secret); }});
  generator.exec();
}

void ToolCommands::ShowSearch() {
  TFBusqueda search(parts_.profile.Tree(), &parts_.window);
  QObject::connect(&search, &TFBusqueda::nodeChosen, &parts_.window, parts_.selectNode);
  search.exec();
}

void ToolCommands::ShowHealthReport() {
  if (!healthReport_) {
    const SessionState& session = parts_.profile.State();
    healthReport_ = new TFSaludClaves(parts_.profile.Tree(), session.SessionPassword(),
                                      session.Header.Owner, &parts_.window);
    healthReport_->FollowModel(&parts_.model);
    QObject::connect(healthReport_, &TFSaludClaves::nodeChosen, &parts_.window, parts_.selectNode);
    QAction* command = parts_.action(ActionId::ActSaludClaves);
    QObject::connect(command, &QAction::changed, healthReport_, [this, command] {
      if (!command->isEnabled()) healthReport_->close();
    });
  }
  healthReport_->ShowReport();
}

void ToolCommands::PrintAccount() {
  if (const TreeNode* account = SelectedAccount())
    // False when the user cancelled: nothing to do.
    static_cast<void>(bv::PrintAccount(account->data, *parts_.seams.printer));
}

void ToolCommands::ExportText() {
  const TreeNode* account = SelectedAccount();
  if (!account) return;
  const auto path = parts_.seams.files->Save(parts_.fileDialog(FileDialogId::SDTXT), {});
  if (!path) return;
  try {
    ExportAccountText(account->data, QStringToPath(*path));
  } catch (const EExportError&) {
    parts_.seams.boxes->Error(CurrentFailureText());
  }
}

void ToolCommands::ExportHtml() {
  const TreeNode* account = SelectedAccount();
  if (!account) return;
  const auto path = parts_.seams.files->Save(parts_.fileDialog(FileDialogId::SDHTML), {});
  if (!path) return;
  try {
    ExportAccountHtml(parts_.page, account->data, QStringToPath(*path));
  } catch (const EExportError&) {
    parts_.seams.boxes->Error(CurrentFailureText());
  }
}

void ApplyLanguage(QWidget& window, const std::function<void()>& redrawPage) {
  FollowProgramLanguage();
  TranslateWindow(&window, true);
  redrawPage();
}

void ShowFirstRunLanguagePicker(QWidget& window, MessageBoxes& boxes,
                                const std::function<void()>& applyLanguage) {
  TFIdiomaInicio picker(
      applyLanguage, [&boxes](const QString& text) { boxes.Error(text); }, &window);
  picker.exec();
}

}  // namespace bv
