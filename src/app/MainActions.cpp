#include "app/MainActions.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

#include "app/ActionTable.h"
#include "ui/Pictures.h"

namespace bv {
namespace {

const char* const kCategoryProperty = "bvCategory";

}  // namespace

MainActions::MainActions(QWidget* window) {
  for (const ActionSpec& entry : MainActionTable()) {
    auto* action = new QAction(window);
    action->setObjectName(QLatin1String(entry.name));
    action->setProperty(kCategoryProperty, QLatin1String(entry.category));
    action->setText(QString::fromUtf8(entry.caption));
    action->setToolTip(QString::fromUtf8(entry.hint));
    action->setStatusTip(QString::fromUtf8(entry.hint));
    if (*entry.shortcut) action->setShortcut(QKeySequence(QLatin1String(entry.shortcut)));
    if (entry.picture >= 0) action->setIcon(ButtonPicture(entry.picture));
    action->setIconVisibleInMenu(true);
    window->addAction(action);
    actions_.append(action);
  }
}

QAction* MainActions::Get(const QString& name) const {
  for (QAction* action : actions_)
    if (action->objectName() == name) return action;
  return nullptr;
}

QAction* MainActions::operator[](const char* name) const { return Get(QLatin1String(name)); }

QString MainActions::CategoryOf(const QAction* action) {
  return action->property(kCategoryProperty).toString();
}

void MainActions::EnableCategories(const QStringList& enable, const QStringList& disable) {
  for (QAction* action : actions_)
    if (enable.contains(CategoryOf(action), Qt::CaseInsensitive)) action->setEnabled(true);
  for (QAction* action : actions_)
    if (disable.contains(CategoryOf(action), Qt::CaseInsensitive)) action->setEnabled(false);
}

}  // namespace bv
