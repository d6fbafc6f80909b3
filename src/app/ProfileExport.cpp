// ActExportarPerfil: the whole open profile as a KDBX 4 file or as CSV.

#include <QDialog>
#include <QFileInfo>

#include "app/ProfileSession.h"
#include "app/ToolCommands.h"
#include "config/FailureText.h"
#include "config/LanguageList.h"
#include "config/MessageIds.h"
#include "config/QtText.h"
#include "export/CsvExport.h"
#include "export/KdbxWriter.h"
#include "export/TFExportarPerfil.h"
#include "files/InOutError.h"
#include "ui/Seams.h"

namespace bv {
namespace {

bool IsCsvName(const QString& path) {
  return path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
}

// SDExportar's types: KDBX, CSV (one row per account), then CSV with every category and group.
constexpr int kFullCsvFilter = 2;

}  // namespace

void ToolCommands::ExportProfile() {
  const SessionState& session = parts_.profile.State();
  if (!session.ProfileOpen) return;
  Seams& seams = parts_.seams;
  const QFileInfo profile(QString::fromStdString(session.ProfilePath.string()));
  const QString start = profile.absolutePath() + QLatin1Char('/') + profile.completeBaseName();
  const auto chosen = seams.files->Save(parts_.fileDialog(FileDialogId::SDExportar), start);
  if (!chosen) return;
  const std::filesystem::path path = QStringToPath(*chosen);
  std::error_code ignored;
  if (std::filesystem::equivalent(path, session.ProfilePath, ignored)) {
    seams.boxes->Error(Msg(msg::kExportIsTheProfile));
    return;
  }
  try {
    if (IsCsvName(*chosen)) {
      if (!seams.boxes->WarningYesNo(Msg(msg::kCsvInClear))) return;
      WriteProfileCsv(
          path, parts_.profile.Tree(),
          seams.files->ChosenFilter() == kFullCsvFilter ? CsvRows::FullTree : CsvRows::Accounts);
    } else {
      TFExportarPerfil dialog(*seams.boxes, &parts_.window);
      if (dialog.exec() != QDialog::Accepted) return;
      const SecureBytes password = dialog.Password();
      WriteKdbxFile(
          path, session.Header, parts_.profile.Tree(),
          std::string_view(reinterpret_cast<const char*>(password.data()), password.size()));
    }
  } catch (const EInOutError&) {
    seams.boxes->Error(CurrentFailureText());
  }
}

}  // namespace bv
