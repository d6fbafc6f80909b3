#include "app/OpenWindowsDismisser.h"

#include <QApplication>
#include <QDialog>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <utility>

namespace bv {

OpenWindowsDismisser::OpenWindowsDismisser(QWidget& window, QObject* parent)
    : QObject(parent), window_(window) {}

void OpenWindowsDismisser::DismissThen(std::function<void()> step) {
  steps_.push_back(std::move(step));
  if (steps_.size() == 1)
    QTimer::singleShot(0, this, &OpenWindowsDismisser::RunWhenNothingElseIsOpen);
}

// A dialog or a menu that is open runs an event loop of its own: the steps run only once
// that loop has returned (the event loop level has dropped). A modal window shown without a
// loop of its own is waited for a few rounds only.
void OpenWindowsDismisser::RunWhenNothingElseIsOpen() {
  const int level = QThread::currentThread()->loopLevel();
  QWidget* popup = QApplication::activePopupWidget();
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == &window_) modal = nullptr;
  if (popup || modal) {
    if (popup) popup->close();
    if (auto* dialog = qobject_cast<QDialog*>(modal))
      dialog->reject();
    else if (modal)
      modal->close();
    if (dismissedAtLevel_ < 0) dismissedAtLevel_ = level;
    rounds_ = 0;
  }
  const bool loopStillRunning = dismissedAtLevel_ >= 0 && level >= dismissedAtLevel_;
  if (popup || modal || (loopStillRunning && ++rounds_ < kRoundsWithoutLoop)) {
    QTimer::singleShot(kRetryMs, this, &OpenWindowsDismisser::RunWhenNothingElseIsOpen);
    return;
  }
  dismissedAtLevel_ = -1;
  // A step may open a dialog of its own (the save question, the login box) and ask for
  // another round from inside it: the list is taken first.
  const auto steps = std::exchange(steps_, {});
  for (const auto& step : steps) step();
}

}  // namespace bv
