#pragma once
// What loading and saving a profile show in the main window.

#include <filesystem>
#include <utility>

#include "profile/ProfileView.h"

namespace bv {

class RecentMenus;
class SessionHost;

// What loading and saving show, carried out on the host.
class HostProfileView : public ProfileView {
 public:
  HostProfileView(SessionHost& host, RecentMenus& recent) : host_(host), recent_(recent) {}

  std::string MessageText(int n) const override;
  [[nodiscard]] bool IrAlPrimero() const override;
  // Read from the settings at each save: the options dialog may have changed it.
  [[nodiscard]] int BackupsToKeep() const override;
  void ShowErrorBox(const std::string& text) override;
  void ProfileOpening(const TProfileHeader& header) override;
  void ProfileOpened() override;
  void ProfileSaved() override;
  void ReplaceNodes(const std::function<void()>& replace) override;
  void SelectFirstNode() override;
  void ShowEmptyProfilePage() override;
  void ShowProfileSummary() override;
  // A settings file that cannot be written is reported; the profile opens all the same.
  void AddToRecentProfiles(const std::filesystem::path& path) override;

  // How many nodes the last rebuild lifted to the deepest level the tree view shows
  // (DepthLimit.h); reading it resets it.
  std::size_t TakeLiftedNodes() { return std::exchange(lifted_, 0); }

 private:
  SessionHost& host_;
  RecentMenus& recent_;
  std::size_t lifted_ = 0;
};

}  // namespace bv
