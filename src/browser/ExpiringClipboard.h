#pragma once
// Empties the clipboard a while after a copy, but only while it still holds that copy: a
// text the user copied since, here or in another program, is never touched. Emptying it
// by hand (F10) or on closing stops the wait.

#include <QObject>
#include <QTimer>
#include <chrono>
#include <memory>

#include "ui/Seams.h"

namespace bv {

class ExpiringClipboard final : public QObject, public ClipboardAccess {
  Q_OBJECT

 public:
  explicit ExpiringClipboard(std::unique_ptr<ClipboardAccess> clipboard, QObject* parent = nullptr);

  // 0: copies stay until emptied otherwise. A wait in progress starts again with the new delay.
  void SetDelay(std::chrono::milliseconds delay);
  std::chrono::milliseconds Delay() const { return delay_; }

  bool SetText(const QString& text) override;
  bool Clear() override;
  [[nodiscard]] bool HoldsLastCopy() override { return clipboard_->HoldsLastCopy(); }

 private:
  void Expire();

  std::unique_ptr<ClipboardAccess> clipboard_;
  std::chrono::milliseconds delay_{0};
  QTimer timer_;
};

}  // namespace bv
