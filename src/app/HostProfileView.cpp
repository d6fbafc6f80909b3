#include "app/HostProfileView.h"

#include <QWidget>

#include "app/RecentList.h"
#include "app/RecentMenus.h"
#include "app/SessionHost.h"
#include "app/WindowSettings.h"
#include "config/Messages.h"
#include "config/ProgramPaths.h"
#include "config/QtText.h"
#include "profile/DepthLimit.h"
#include "ui/Seams.h"

namespace bv {
namespace {

QStringList ToQt(const std::vector<std::string>& names) {
  QStringList list;
  for (const std::string& name : names) list.append(QString::fromStdString(name));
  return list;
}

}  // namespace

std::string HostProfileView::MessageText(int n) const { return bv::MessageText(n); }

bool HostProfileView::IrAlPrimero() const { return host_.Flags().IrAlPrimero; }

void HostProfileView::ShowErrorBox(const std::string& text) {
  // The store breaks lines with a carriage return, which a Qt box shows as nothing.
  QString shown = FromCp1252(text);
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  host_.GetSeams().boxes->Error(shown);
}

void HostProfileView::SetCaption(const std::string& caption) {
  host_.Window()->setWindowTitle(FromCp1252(caption));
}

void HostProfileView::BeginTreeRebuild() { host_.BeginTreeRebuild(); }
void HostProfileView::EndTreeRebuild() {
  // Before the view reads the tree: deeper trees would overflow its layout's stack.
  lifted_ = LiftDeepNodes(host_.Tree(), kWindowDepthLimit);
  host_.EndTreeRebuild();
}
void HostProfileView::SelectFirstNode() { host_.SelectFirstNode(); }
void HostProfileView::ShowEmptyProfilePage() { host_.ShowEmptyProfilePage(); }
void HostProfileView::ShowProfileSummary() { host_.ShowProfileSummary(); }

void HostProfileView::EnableActionCategories(const std::vector<std::string>& enable,
                                             const std::vector<std::string>& disable) {
  host_.EnableActionCategories(ToQt(enable), ToQt(disable));
}

void HostProfileView::AddToRecentProfiles(const std::filesystem::path& path) {
  try {
    AddToRecentList(PathToSetting(path));
  } catch (const SettingsWriteError& error) {
    host_.GetSeams().boxes->Error(QString::fromUtf8(error.what()));
  }
  recent_.Refresh();
}

}  // namespace bv
