#pragma once
// The main window's actions, built from the action table as named children of the window
// (translation finds them by name), reached by their ids and switched a category at a time.

#include <QStringList>
#include <array>

#include "ui/ActionCategory.h"
#include "ui/ActionId.h"

class QAction;
class QWidget;

namespace bv {

class MainActions {
 public:
  // Creates every action as a child of window and adds it there, so that its shortcut
  // works wherever the action is shown.
  explicit MainActions(QWidget* window);

  QAction* operator[](ActionId id) const { return byId_[static_cast<std::size_t>(id)]; }

  static ActionCategory CategoryOf(const QAction* action);

  // First enables every action whose category is in enable, then disables every action
  // whose category is in disable, so a category in both ends disabled.
  void EnableCategories(CategorySet enable, CategorySet disable);
  // The same with the categories' names, compared without regard to case.
  void EnableCategories(const QStringList& enable, const QStringList& disable);

 private:
  std::array<QAction*, kActionCount> byId_{};
};

}  // namespace bv
