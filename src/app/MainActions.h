#pragma once
// The main window's actions, built from the action table as named children of the window,
// and switched a category at a time.

#include <QList>
#include <QStringList>

#include "ui/ActionCategory.h"

class QAction;
class QWidget;

namespace bv {

class MainActions {
 public:
  // Creates every action as a child of window and adds it there, so that its shortcut
  // works wherever the action is shown.
  explicit MainActions(QWidget* window);

  // The action named name (as in the table); null for an unknown name.
  QAction* Get(const QString& name) const;
  QAction* operator[](const char* name) const;
  const QList<QAction*>& All() const { return actions_; }

  static ActionCategory CategoryOf(const QAction* action);

  // First enables every action whose category is in enable, then disables every action
  // whose category is in disable, so a category in both ends disabled.
  void EnableCategories(CategorySet enable, CategorySet disable);
  // The same with the categories' names, compared without regard to case.
  void EnableCategories(const QStringList& enable, const QStringList& disable);

 private:
  QList<QAction*> actions_;
};

}  // namespace bv
