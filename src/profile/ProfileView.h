#pragma once
// What loading and saving a profile tell the screen: what happened to the profile, and the
// pages and tree steps on the way. The main window implements it and decides what each event
// switches; tests use a fake that records the calls.

#include <filesystem>
#include <functional>
#include <string>

namespace bv {

struct TProfileHeader;

class ProfileView {
 public:
  virtual ~ProfileView() = default;

  // Text of message n of the active language (Windows-1252).
  virtual std::string MessageText(int n) const = 0;
  // The "IrAlPrimero" setting: select the first node after a profile is opened.
  [[nodiscard]] virtual bool IrAlPrimero() const = 0;
  // How many copies of each profile a save keeps of the version it replaces (the
  // "CopiasSeguridad" setting); 0 keeps none, as a view that does not say.
  [[nodiscard]] virtual int BackupsToKeep() const { return 0; }

  virtual void ShowErrorBox(const std::string& text) = 0;

  // --- what happened to the profile
  // Its password matched and its header is read; its nodes come next.
  virtual void ProfileOpening(const TProfileHeader& header) = 0;
  // Its nodes are in the tree and the first one is selected; nothing is unsaved.
  virtual void ProfileOpened() = 0;
  // It was written to its file; nothing is unsaved.
  virtual void ProfileSaved() = 0;

  // --- the steps of loading
  // Runs replace, which swaps every node of the tree for the nodes just read, as one change
  // of the screen's tree: the screen lets go of the old nodes, then reads the new ones and
  // shows them expanded. It runs even when the load fails part-way, with the nodes read so far.
  virtual void ReplaceNodes(const std::function<void()>& replace) = 0;
  // Selects the first node; selecting the node that is already selected runs nothing.
  virtual void SelectFirstNode() = 0;
  virtual void ShowEmptyProfilePage() = 0;
  virtual void ShowProfileSummary() = 0;
  virtual void AddToRecentProfiles(const std::filesystem::path& path) = 0;
};

}  // namespace bv
