#pragma once
// The profile session of the main window: the window seen as a SessionHost, the session
// controller, and the connections from the window's commands, recent entries, dropped files,
// command line and shutdown save to it.

#include <memory>

namespace bv {

class SessionController;
class TFPrincipal;

class MainWindowSession {
 public:
  // Connects everything and fills the recent menus; window must outlive this object.
  explicit MainWindowSession(TFPrincipal& window);
  ~MainWindowSession();
  MainWindowSession(const MainWindowSession&) = delete;
  MainWindowSession& operator=(const MainWindowSession&) = delete;

  SessionController& Controller() { return *controller_; }

 private:
  class Host;
  std::unique_ptr<Host> host_;
  std::unique_ptr<SessionController> controller_;
};

}  // namespace bv
