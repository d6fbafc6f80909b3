#pragma once
// SIGINT, SIGTERM and SIGHUP end the program through the main window's own closing sequence
// (the save question, the clipboard, the settings), never in the middle of a save: the
// handler only writes a byte to a pipe, and the event loop reads it once the command that
// is running, a save included, has returned.

#include <QObject>

class QSocketNotifier;
class QWidget;

namespace bv {

class OpenWindowsDismisser;

class TerminationSignals : public QObject {
  Q_OBJECT

 public:
  // Closes window when one of the signals arrives; a signal the program was started with
  // ignored (nohup) stays ignored. One at a time per process.
  explicit TerminationSignals(QWidget& window, QObject* parent = nullptr);
  // Gives the signals back their default action.
  ~TerminationSignals() override;

 private:
  void Arrived();

  QWidget& window_;
  OpenWindowsDismisser* dismisser_;
  QSocketNotifier* notifier_ = nullptr;
  bool closing_ = false;
};

}  // namespace bv
