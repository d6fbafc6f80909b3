#include "browser/ExpiringClipboard.h"

namespace bv {

ExpiringClipboard::ExpiringClipboard(std::unique_ptr<ClipboardAccess> clipboard, QObject* parent)
    : QObject(parent), clipboard_(std::move(clipboard)) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &ExpiringClipboard::Expire);
}

void ExpiringClipboard::SetDelay(std::chrono::milliseconds delay) {
  delay_ = delay;
  if (!timer_.isActive()) return;
  if (delay_.count() > 0)
    timer_.start(delay_);
  else
    timer_.stop();
}

bool ExpiringClipboard::SetText(const QString& text) {
  const bool copied = clipboard_->SetText(text);
  if (copied && delay_.count() > 0)
    timer_.start(delay_);
  else
    timer_.stop();
  return copied;
}

bool ExpiringClipboard::Clear() {
  timer_.stop();
  return clipboard_->Clear();
}

void ExpiringClipboard::Expire() {
  // Nobody is there to read a report: a clipboard held by another program keeps its text.
  if (clipboard_->HoldsLastCopy()) clipboard_->Clear();
}

}  // namespace bv
