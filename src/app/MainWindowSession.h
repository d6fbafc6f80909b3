#pragma once
// The profile commands of the main window: the session controller, given the window's
// session, flags, seams and profile dialogs, and the connections from the window's commands
// and recent entries to it.

#include <QList>
#include <functional>
#include <memory>

#include "app/SessionController.h"
#include "ui/ActionId.h"

class QAction;

namespace bv {

class MainWindowSession {
 public:
  // What the commands work on; every part must outlive this object.
  struct Parts {
    SessionController::Parts controller;
    std::function<QAction*(ActionId)> action;
    QList<QAction*> recentEntries;  // each holds its place in the recent list (1..6)
  };

  // Connects everything.
  explicit MainWindowSession(const Parts& parts);
  ~MainWindowSession();
  MainWindowSession(const MainWindowSession&) = delete;
  MainWindowSession& operator=(const MainWindowSession&) = delete;

  SessionController& Controller() { return *controller_; }

 private:
  std::unique_ptr<SessionController> controller_;
};

}  // namespace bv
