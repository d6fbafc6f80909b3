#include "app/MainActions.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

#include "app/ActionTable.h"
#include "ui/Pictures.h"

namespace bv {
namespace {

const char* const kCategoryProperty = "bvCategory";

CategorySet Named(const QStringList& names) {
  CategorySet set;
  for (ActionCategory category : kActionCategories) {
    const std::string_view name = CategoryName(category);
    if (names.contains(QLatin1String(name.data(), static_cast<qsizetype>(name.size())),
                       Qt::CaseInsensitive))
      set.Add(category);
  }
  return set;
}

}  // namespace

MainActions::MainActions(QWidget* window) {
  for (const ActionEntry& entry : MainActionTable()) {
    auto* action = new QAction(window);
    action->setObjectName(QLatin1String(entry.name));
    action->setProperty(kCategoryProperty, static_cast<int>(entry.category));
    action->setText(QString::fromUtf8(entry.caption));
    action->setToolTip(QString::fromUtf8(entry.hint));
    action->setStatusTip(QString::fromUtf8(entry.hint));
    if (*entry.shortcut) action->setShortcut(QKeySequence(QLatin1String(entry.shortcut)));
    if (entry.picture >= 0) action->setIcon(ButtonPicture(entry.picture));
    action->setIconVisibleInMenu(true);
    window->addAction(action);
    byId_[static_cast<std::size_t>(entry.id)] = action;
  }
}

ActionCategory MainActions::CategoryOf(const QAction* action) {
  return static_cast<ActionCategory>(action->property(kCategoryProperty).toInt());
}

void MainActions::EnableCategories(CategorySet enable, CategorySet disable) {
  for (QAction* action : byId_)
    if (enable.Contains(CategoryOf(action))) action->setEnabled(true);
  for (QAction* action : byId_)
    if (disable.Contains(CategoryOf(action))) action->setEnabled(false);
}

void MainActions::EnableCategories(const QStringList& enable, const QStringList& disable) {
  EnableCategories(Named(enable), Named(disable));
}

}  // namespace bv
