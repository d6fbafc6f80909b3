#pragma once
// The idle lock's clock: it runs out after an interval without key or mouse input to any
// window of the program, and starts over at each such input.

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

namespace bv {

class IdleLock final : public QObject {
  Q_OBJECT

 public:
  // onIdle runs each time the interval passes without input.
  explicit IdleLock(std::function<void()> onIdle, QObject* parent = nullptr);

  // 0: never runs out.
  void SetInterval(std::chrono::milliseconds interval);
  [[nodiscard]] bool Running() const { return timer_.isActive(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void()> onIdle_;
  QTimer timer_;
};

}  // namespace bv
