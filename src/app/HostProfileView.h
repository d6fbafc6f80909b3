#pragma once
// The profile reader and writer as the main window runs them: ProfileStore working on the
// window's header, tree and session variables, showing its steps through the window.

#include <filesystem>
#include <string_view>
#include <utility>

#include "profile/ProfileStore.h"
#include "profile/ProfileView.h"

namespace bv {

class RecentMenus;
class SessionHost;

// What loading and saving show, carried out on the host.
class HostProfileView : public ProfileView {
 public:
  HostProfileView(SessionHost& host, RecentMenus& recent) : host_(host), recent_(recent) {}

  std::string MessageText(int n) const override;
  bool IrAlPrimero() const override;
  void ShowErrorBox(const std::string& text) override;
  void SetCaption(const std::string& caption) override;
  void BeginTreeRebuild() override;
  void EndTreeRebuild() override;
  void SelectFirstNode() override;
  void ShowEmptyProfilePage() override;
  void ShowProfileSummary() override;
  void EnableActionCategories(const std::vector<std::string>& enable,
                              const std::vector<std::string>& disable) override;
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

// The four store operations on the host's buffers. Failures throw as ProfileStore's do.
class HostStore {
 public:
  HostStore(SessionHost& host, ProfileView& view) : host_(host), view_(view) {}

  HeaderKind ReadHeader(const std::filesystem::path& path);
  bool CheckPassword(const std::filesystem::path& path, std::string_view password);
  bool Load(const std::filesystem::path& path, std::string_view password);
  void Save(const std::filesystem::path& path, std::string_view password);

 private:
  template <class Operation>
  auto Run(Operation operation);

  SessionHost& host_;
  ProfileView& view_;
};

}  // namespace bv
