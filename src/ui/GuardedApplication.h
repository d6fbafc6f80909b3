#pragma once
// The program's application object and its one general handler. Everything the program
// does after start-up runs from the event loop: actions, dialogs, timers, file watchers,
// D-Bus signals and sockets all reach their code through notify(). Whatever such code
// throws stops that command only: the failure is shown in an error box and the program goes
// on with everything as the command left it. The handler undoes nothing and changes nothing.

#include <QApplication>
#include <exception>

#include "config/FailureText.h"  // what the error box says about a failure

namespace bv {

class MessageBoxes;

class GuardedApplication : public QApplication {
  Q_OBJECT

 public:
  GuardedApplication(int& argc, char** argv);
  ~GuardedApplication() override;

  // Where failures are shown from now on (the main window's boxes); null until there is a
  // window, when they are written to the standard error output instead.
  void ReportTo(MessageBoxes* boxes) { boxes_ = boxes; }

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  void Report(const std::exception_ptr& failure);

  MessageBoxes* boxes_ = nullptr;
  // True while a failure's box is open: a failure inside its own event loop (say, a window
  // that fails at every repaint) is written out instead of stacking boxes.
  bool reporting_ = false;
};

}  // namespace bv
