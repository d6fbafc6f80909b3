#include "config/Translation.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>
#include <optional>

#include "config/IniFile.h"
#include "config/Messages.h"
#include "config/QtText.h"

namespace bv {
namespace {

constexpr QChar kItemSeparator(0x00F7);  // ÷
constexpr int kToolButtonWidth = 23;
constexpr int kToolButtonHeight = 22;

std::string Bytes(const QString& name) {
  auto bytes = ToCp1252(name);
  return bytes ? *bytes : name.toStdString();
}

// The values of one window's section.
class WindowSection {
 public:
  WindowSection(const IniFile& file, const QString& window) : file_(file), name_(Bytes(window)) {}
  std::optional<QString> Value(const QString& key) const {
    const auto value = file_.Read(name_, Bytes(key));
    if (!value) return std::nullopt;
    return FromCp1252(*value);
  }

 private:
  const IniFile& file_;
  std::string name_;
};

template <class T>
bool Is(const QObject* object) {
  return object->metaObject() == &T::staticMetaObject;
}

void TranslateAction(QAction* action, const WindowSection& section) {
  const QString name = action->objectName();
  if (const auto caption = section.Value(name + "c")) action->setText(*caption);
  if (const auto hint = section.Value(name + "h")) {
    const auto bar = hint->indexOf('|');
    action->setToolTip(bar < 0 ? *hint : hint->left(bar));
    action->setStatusTip(bar < 0 ? *hint : hint->mid(bar + 1));
  }
}

void TranslateDialogSpec(TFileDialogSpec* spec, const WindowSection& section) {
  const QString name = spec->objectName();
  if (const auto filter = section.Value(name + "f")) spec->setFilter(*filter);
  if (const auto title = section.Value(name + "t")) spec->setTitle(*title);
}

void TranslateList(QComboBox* list, const WindowSection& section) {
  const auto value = section.Value(list->objectName());
  if (!value) return;
  list->clear();
  list->addItems(SplitListValue(*value));
  list->setCurrentIndex(-1);
}

void TranslateObject(QObject* object, const WindowSection& section) {
  const QString name = object->objectName();
  if (name.isEmpty()) return;
  if (Is<QLabel>(object)) {
    if (name.startsWith(QLatin1String("notra"))) return;
    if (const auto caption = section.Value(name)) static_cast<QLabel*>(object)->setText(*caption);
  } else if (Is<QGroupBox>(object)) {
    if (const auto caption = section.Value(name))
      static_cast<QGroupBox*>(object)->setTitle(*caption);
  } else if (Is<QPushButton>(object) || Is<QCheckBox>(object) || Is<QRadioButton>(object)) {
    if (const auto caption = section.Value(name))
      static_cast<QAbstractButton*>(object)->setText(*caption);
  } else if (Is<QComboBox>(object)) {
    TranslateList(static_cast<QComboBox*>(object), section);
  } else if (Is<QAction>(object)) {
    TranslateAction(static_cast<QAction*>(object), section);
  } else if (Is<TFileDialogSpec>(object)) {
    TranslateDialogSpec(static_cast<TFileDialogSpec*>(object), section);
  }
}

// Pre-order walk over the window's objects; other top-level windows parented to this one
// (dialogs) are translated by themselves, but pop-up menus belong to the window.
void Walk(QObject* parent, const WindowSection& section) {
  for (QObject* child : parent->children()) {
    TranslateObject(child, section);
    const auto* widget = qobject_cast<QWidget*>(child);
    if (widget && widget->isWindow() && !widget->inherits("QMenu")) continue;
    Walk(child, section);
  }
}

void SizeToolBarButtons(QWidget* window) {
  auto* bar = window->findChild<QToolBar*>(QStringLiteral("BarraHerramientas"));
  if (!bar) return;
  bar->setIconSize(QSize(16, 16));
  for (QAction* action : bar->actions()) {
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
    if (!button) continue;
    int width = kToolButtonWidth;
    // A button with a drop-down part keeps room for its arrow beside the 23 pixels.
    if (button->popupMode() == QToolButton::MenuButtonPopup)
      width += button->style()->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, button);
    button->setFixedSize(width, kToolButtonHeight);
  }
}

}  // namespace

TFileDialogSpec::TFileDialogSpec(Kind kind, const QString& name, QObject* parent,
                                 const QString& title, const QString& filter,
                                 const QString& defaultSuffix)
    : QObject(parent), kind_(kind), title_(title), filter_(filter), defaultSuffix_(defaultSuffix) {
  setObjectName(name);
}

QString TFileDialogSpec::qtFilter() const { return WindowsFilterToQt(filter_); }

QString WindowsFilterToQt(const QString& filter) {
  static const QRegularExpression kSeparators(QStringLiteral("[;,\\s]+"));
  const QStringList parts = filter.split('|');
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    const QStringList patterns = parts[i + 1].split(kSeparators, Qt::SkipEmptyParts);
    // "Perfiles (*.bv3)" already shows its patterns the way Qt reads them.
    const auto open = description.lastIndexOf('(');
    if (description.endsWith(')') && open >= 0 &&
        description.mid(open + 1).chopped(1).split(kSeparators, Qt::SkipEmptyParts) == patterns)
      entries << description;
    else
      entries << QStringLiteral("%1 (%2)").arg(description, patterns.join(' '));
  }
  return entries.join(QStringLiteral(";;"));
}

QStringList SplitListValue(const QString& value) {
  // Runs at least once: an empty value is one empty item; text after the last
  // separator is the last item.
  QStringList items;
  QString rest = value;
  do {
    const auto at = rest.indexOf(kItemSeparator);
    if (at < 0) {
      items << rest;
      rest.clear();
    } else {
      items << rest.left(at);
      rest = rest.mid(at + 1);
    }
  } while (!rest.isEmpty());
  return items;
}

void TranslateWindow(QWidget* window, bool loadMessages) {
  const IniFile file(ActiveLanguageFile());
  const WindowSection section(file, window->objectName());
  Walk(window, section);
  if (loadMessages) LoadMessages(file);
  if (window->objectName() == QLatin1String("FPrincipal")) SizeToolBarButtons(window);
}

}  // namespace bv
