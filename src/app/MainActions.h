#pragma once
// The main window's actions, built from the action table as named children of the window,
// and switched a category at a time.

#include <QList>
#include <QStringList>

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

  static QString CategoryOf(const QAction* action);

  // First enables every action whose category is named in enable, then disables every
  // action whose category is named in disable; names are compared without regard to
  // case, so a category named in both lists ends disabled.
  void EnableCategories(const QStringList& enable, const QStringList& disable);

 private:
  QList<QAction*> actions_;
};

}  // namespace bv
