#pragma once
// The one place where what happens to the profile and to the selection becomes what the main
// window shows of it: the caption and the action categories that apply.

#include <string>

class QWidget;

namespace bv {

class MainActions;

class WindowEvents {
 public:
  WindowEvents(QWidget& window, MainActions& actions) : window_(window), actions_(actions) {}

  // --- the profile
  // At start-up and after closing: the product's caption; only what needs nothing applies.
  void NoProfile();
  // The header of the profile being opened has been read; title is in Windows-1252.
  void ProfileOpening(const std::string& title);
  // Loaded: the profile's commands apply; those of a selection wait for one, saving for a
  // change.
  void ProfileOpened();
  void ProfileModified();
  void ProfileSaved();

  // --- the selection
  // A node became selected; modified tells whether the profile has unsaved changes.
  void NodeSelected(bool account, bool modified);
  // No node is selected any more: the last one was deleted.
  void NothingSelected();

 private:
  QWidget& window_;
  MainActions& actions_;
};

}  // namespace bv
