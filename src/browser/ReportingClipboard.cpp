#include "browser/ReportingClipboard.h"

#include "config/MessageIds.h"
#include "config/QtText.h"

namespace bv {

ReportingClipboard::ReportingClipboard(std::unique_ptr<ClipboardAccess> clipboard,
                                       ErrorBoxFn showError)
    : clipboard_(std::move(clipboard)), showError_(std::move(showError)) {}

bool ReportingClipboard::SetText(const QString& text) {
  if (clipboard_->SetText(text)) return true;
  showError_(Msg(msg::kNotCopied));
  return false;
}

bool ReportingClipboard::Clear() {
  if (clipboard_->Clear()) return true;
  showError_(Msg(msg::kNotEmptied));
  return false;
}

}  // namespace bv
