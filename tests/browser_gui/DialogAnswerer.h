#pragma once
// Answers the modal dialogs a command opens, as a user would: a short polling timer waits
// for the named dialog to become the active modal widget and runs a script on it. A script
// that leaves its dialog open is a test failure; the dialog is then cancelled.

#include <QDialog>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>

namespace bv::test {

class DialogAnswerer {
 public:
  using Script = std::function<void(QDialog&)>;

  DialogAnswerer();
  ~DialogAnswerer();  // a dialog still expected is a failure

  // The next modal dialog must be the window named windowName ("FAddCuenta").
  void Expect(const QString& windowName, Script script);
  int Answered() const { return answered_; }

 private:
  void Poll();

  QTimer timer_;
  std::deque<std::pair<QString, Script>> expected_;
  int answered_ = 0;
};

}  // namespace bv::test
