#pragma once
// The clipboard as the main window's commands reach it: the copy commands (F1 to F6),
// emptying it (F10) and the automatic clearings when a profile is closed and when the
// program ends. It passes every operation to the clipboard it is given and tells the user
// when the desktop's clipboard did not take it, so that nobody pastes a stale value or
// believes a password gone that is still there.

#include <memory>

#include "browser/EditBoxes.h"
#include "ui/Seams.h"

namespace bv {

class ReportingClipboard final : public ClipboardAccess {
 public:
  ReportingClipboard(std::unique_ptr<ClipboardAccess> clipboard, ErrorBoxFn showError);

  bool SetText(const QString& text) override;
  bool Clear() override;
  [[nodiscard]] bool HoldsLastCopy() override { return clipboard_->HoldsLastCopy(); }

 private:
  std::unique_ptr<ClipboardAccess> clipboard_;
  ErrorBoxFn showError_;
};

}  // namespace bv
