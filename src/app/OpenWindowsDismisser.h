#pragma once
// Gets the dialogs and menus open over the main window out of the way before a step that
// must not run under them (closing the window, closing the profile): each is dismissed as
// Escape would dismiss it, and the step runs only once their event loops have returned, so
// no dialog is left behind and no command resumes after the profile is gone.

#include <QObject>
#include <functional>
#include <vector>

class QWidget;

namespace bv {

class OpenWindowsDismisser : public QObject {
  Q_OBJECT

 public:
  explicit OpenWindowsDismisser(QWidget& window, QObject* parent = nullptr);

  // Runs step from the event loop once nothing is open over the window. Steps asked for
  // while others wait run after them, in order.
  void DismissThen(std::function<void()> step);
  [[nodiscard]] bool Waiting() const { return !steps_.empty(); }

 private:
  void RunWhenNothingElseIsOpen();

  static constexpr int kRetryMs = 10;
  static constexpr int kRoundsWithoutLoop = 10;

  QWidget& window_;
  std::vector<std::function<void()>> steps_;
  int dismissedAtLevel_ = -1;  // the event loop level where a dialog was dismissed
  int rounds_ = 0;
};

}  // namespace bv
