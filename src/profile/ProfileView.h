#pragma once
// What loading and saving a profile show on screen. The main window implements it; tests
// use a fake that records the calls.

#include <filesystem>
#include <string>
#include <vector>

namespace bv {

class ProfileView {
 public:
  virtual ~ProfileView() = default;

  // Text of message n of the active language (Windows-1252).
  virtual std::string MessageText(int n) const = 0;
  // The "IrAlPrimero" setting: select the first node after a profile is opened.
  [[nodiscard]] virtual bool IrAlPrimero() const = 0;

  virtual void ShowErrorBox(const std::string& text) = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  // Around the rebuild of the tree: redrawing is suspended while the tree is cleared and
  // refilled; the end expands the whole tree and redraws it (it runs even when the load
  // fails part-way, showing the nodes read so far).
  virtual void BeginTreeRebuild() = 0;
  virtual void EndTreeRebuild() = 0;
  // Selects the first node; selecting the node that is already selected runs nothing.
  virtual void SelectFirstNode() = 0;
  virtual void ShowEmptyProfilePage() = 0;
  virtual void ShowProfileSummary() = 0;
  virtual void EnableActionCategories(const std::vector<std::string>& enable,
                                      const std::vector<std::string>& disable) = 0;
  virtual void AddToRecentProfiles(const std::filesystem::path& path) = 0;
};

}  // namespace bv
