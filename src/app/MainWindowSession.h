#pragma once
// The profile commands of the main window: the session controller, given the window's
// session, flags, seams and profile dialogs, and the connections from the window's
// commands, recent entries, dropped files and command line to it.

#include <memory>

namespace bv {

class SessionController;
class TFPrincipal;

class MainWindowSession {
 public:
  // Connects everything; window must outlive this object.
  explicit MainWindowSession(TFPrincipal& window);
  ~MainWindowSession();
  MainWindowSession(const MainWindowSession&) = delete;
  MainWindowSession& operator=(const MainWindowSession&) = delete;

  SessionController& Controller() { return *controller_; }

 private:
  std::unique_ptr<SessionController> controller_;
};

}  // namespace bv
