#include "app/HostProfileView.h"

#include "app/RecentList.h"
#include "app/RecentMenus.h"
#include "app/SessionHost.h"
#include "app/WindowEvents.h"
#include "app/WindowSettings.h"
#include "config/Messages.h"
#include "config/ProgramPaths.h"
#include "config/QtText.h"
#include "config/Settings.h"
#include "profile/DepthLimit.h"
#include "profile/NodeData.h"
#include "ui/Seams.h"

namespace bv {

std::string HostProfileView::MessageText(int n) const { return bv::MessageText(n); }

bool HostProfileView::IrAlPrimero() const { return host_.Flags().IrAlPrimero; }

int HostProfileView::BackupsToKeep() const { return ReadBackupsKept(); }

void HostProfileView::ShowErrorBox(const std::string& text) {
  // The store breaks lines with a carriage return, which a Qt box shows as nothing.
  QString shown = FromCp1252(text);
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  host_.GetSeams().boxes->Error(shown);
}

void HostProfileView::ProfileOpening(const TProfileHeader& header) {
  host_.Events().ProfileOpening(header.Title);
}
void HostProfileView::ProfileOpened() { host_.Events().ProfileOpened(); }
void HostProfileView::ProfileSaved() { host_.Events().ProfileSaved(); }

void HostProfileView::ReplaceNodes(const std::function<void()>& replace) {
  host_.ReplaceNodes([&] {
    replace();
    // Before the view reads the tree: deeper trees would overflow its layout's stack.
    lifted_ = LiftDeepNodes(host_.Tree(), kWindowDepthLimit);
  });
}
void HostProfileView::SelectFirstNode() { host_.SelectFirstNode(); }
void HostProfileView::ShowEmptyProfilePage() { host_.ShowEmptyProfilePage(); }
void HostProfileView::ShowProfileSummary() { host_.ShowProfileSummary(); }

void HostProfileView::AddToRecentProfiles(const std::filesystem::path& path) {
  try {
    AddToRecentList(PathToSetting(path));
  } catch (const ESettingsWriteError& error) {
    host_.GetSeams().boxes->Error(QString::fromUtf8(error.what()));
  }
  recent_.Refresh();
}

}  // namespace bv
