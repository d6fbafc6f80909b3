#include "config/AccessibleNames.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QToolBar>
#include <QToolButton>

#include "config/MessageIds.h"
#include "config/QtText.h"

namespace bv {
namespace {

QString WithoutMnemonic(QString caption) {
  caption.replace(QLatin1String("&&"), QString(QChar(0xE000)));
  caption.remove(QLatin1Char('&'));
  caption.replace(QChar(0xE000), QLatin1Char('&'));
  return caption;
}

// Controls without a caption, named by messages.
struct MessageNamed {
  const char* window;
  const char* control;
  int name;
  int description;
};
constexpr MessageNamed kMessageNamed[] = {
    {"FPrincipal", "BVTree", msg::kTreeAccessibleName, msg::kTreeAccessibleDescription},
    {"FPrincipal", "Resulta", msg::kPageAccessibleName, msg::kPageAccessibleDescription},
    {"FAddCuenta", "BtnGenerador", msg::kGeneratorButtonName, msg::kGeneratorButtonDescription},
    {"FEditarCuenta", "BtnGenerador", msg::kGeneratorButtonName, msg::kGeneratorButtonDescription},
};

void NameToolBarButtons(QWidget* window) {
  for (QToolBar* bar : window->findChildren<QToolBar*>()) {
    for (QAction* entry : bar->actions()) {
      auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(entry));
      if (!button || entry->isSeparator()) continue;
      // A button with a drop-down menu stands in the bar for the action it runs.
      QAction* action = button->defaultAction() ? button->defaultAction() : entry;
      // An action whose caption is its own name has only its hint for a listener.
      const QString caption = WithoutMnemonic(action->text());
      const bool captioned = !caption.isEmpty() && caption != action->objectName();
      button->setAccessibleName(captioned ? caption : action->toolTip());
      button->setAccessibleDescription(action->statusTip().isEmpty() ? action->toolTip()
                                                                     : action->statusTip());
    }
  }
}

// Returns the controls a label names (the toolkit names them by it).
QSet<const QWidget*> NameByLabels(QWidget* window) {
  QSet<const QWidget*> labelled;
  for (const QLabel* label : window->findChildren<QLabel*>()) {
    QWidget* buddy = label->buddy();
    if (!buddy) continue;
    labelled.insert(buddy);
    // The toolkit names a list or tree by nothing but its own accessible name.
    if (buddy->inherits("QAbstractItemView"))
      buddy->setAccessibleName(WithoutMnemonic(label->text()));
    // The text box of an editable list is a control of its own for a screen reader.
    if (auto* list = qobject_cast<QComboBox*>(buddy); list && list->lineEdit()) {
      list->lineEdit()->setAccessibleName(WithoutMnemonic(label->text()));
      labelled.insert(list->lineEdit());
    }
  }
  return labelled;
}

void NameByGroups(QWidget* window, const QSet<const QWidget*>& labelled) {
  for (const QGroupBox* group : window->findChildren<QGroupBox*>()) {
    for (QWidget* control : group->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      if (control->focusPolicy() == Qt::NoFocus || labelled.contains(control) ||
          control->inherits("QAbstractButton") || control->inherits("QGroupBox") ||
          !control->accessibleName().isEmpty())
        continue;
      control->setAccessibleName(WithoutMnemonic(group->title()));
    }
  }
}

void NameByMessages(QWidget* window) {
  for (const auto& entry : kMessageNamed) {
    if (window->objectName() != QLatin1String(entry.window)) continue;
    auto* control = window->findChild<QWidget*>(QLatin1String(entry.control));
    if (!control) continue;
    control->setAccessibleName(Msg(entry.name));
    control->setAccessibleDescription(Msg(entry.description));
  }
}

}  // namespace

void NameForScreenReaders(QWidget* window) {
  NameToolBarButtons(window);
  NameByGroups(window, NameByLabels(window));
  NameByMessages(window);
}

}  // namespace bv
