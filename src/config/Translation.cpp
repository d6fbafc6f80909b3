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

#include "config/AccessibleNames.h"
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

void TranslateFileDialog(FileDialogEntry* entry, const WindowSection& section) {
  const QString name = entry->objectName();
  if (const auto filter = section.Value(name + "f")) entry->setFilter(*filter);
  if (const auto title = section.Value(name + "t")) entry->setTitle(*title);
}

void TranslateList(QComboBox* list, const WindowSection& section) {
  const auto value = section.Value(list->objectName());
  if (!value) return;
  list->clear();
  list->addItems(SplitListValue(*value));
  list->setCurrentIndex(-1);
}

enum class Kind {
  None,
  Caption,
  List,
  Action,
  FileDialog
};

Kind KindOf(const QObject* object) {
  const QString name = object->objectName();
  if (name.isEmpty()) return Kind::None;
  if (Is<QLabel>(object))
    return name.startsWith(QLatin1String("notra")) ? Kind::None : Kind::Caption;
  if (Is<QGroupBox>(object) || Is<QPushButton>(object) || Is<QCheckBox>(object) ||
      Is<QRadioButton>(object))
    return Kind::Caption;
  if (Is<QComboBox>(object)) return Kind::List;
  if (Is<QAction>(object)) return Kind::Action;
  if (Is<FileDialogEntry>(object)) return Kind::FileDialog;
  return Kind::None;
}

void SetCaption(QObject* object, const QString& caption) {
  if (auto* box = qobject_cast<QGroupBox*>(object))
    box->setTitle(caption);
  else if (auto* label = qobject_cast<QLabel*>(object))
    label->setText(caption);
  else if (auto* button = qobject_cast<QAbstractButton*>(object))
    button->setText(caption);
}

void TranslateObject(QObject* object, Kind kind, const WindowSection& section) {
  switch (kind) {
    case Kind::Caption:
      if (const auto caption = section.Value(object->objectName())) SetCaption(object, *caption);
      break;
    case Kind::List: TranslateList(static_cast<QComboBox*>(object), section); break;
    case Kind::Action: TranslateAction(static_cast<QAction*>(object), section); break;
    case Kind::FileDialog:
      TranslateFileDialog(static_cast<FileDialogEntry*>(object), section);
      break;
    case Kind::None: break;
  }
}

struct Found {
  QObject* object;
  Kind kind;
};

// Pre-order walk over the window's objects; other top-level windows parented to this one
// (dialogs) are translated by themselves, but pop-up menus belong to the window.
void Collect(QObject* parent, QList<Found>& found) {
  for (QObject* child : parent->children()) {
    if (const auto kind = KindOf(child); kind != Kind::None) found.push_back({child, kind});
    const auto* widget = qobject_cast<QWidget*>(child);
    if (widget && widget->isWindow() && !widget->inherits("QMenu")) continue;
    Collect(child, found);
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

FileDialogEntry::FileDialogEntry(Kind kind, const QString& name, QObject* parent,
                                 const QString& title, const QString& filter,
                                 const QString& defaultSuffix)
    : QObject(parent), kind_(kind), title_(title), filter_(filter), defaultSuffix_(defaultSuffix) {
  setObjectName(name);
}

QString FileDialogEntry::qtFilter() const { return WindowsFilterToQt(filter_); }

QString WindowsFilterToQt(const QString& filter) {
  static const QRegularExpression kSeparators(QStringLiteral("[;,\\s]+"));
  const QStringList parts = filter.split('|');
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    const QStringList patterns = parts[i + 1].split(kSeparators, Qt::SkipEmptyParts);
    // Windows reads "*.*" as every file; Qt would want a dot in the name.
    QStringList qtPatterns;
    for (const QString& pattern : patterns)
      qtPatterns << (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
    // "Perfiles (*.bv3)" already shows its patterns; Qt reads them from the parentheses,
    // so they are written the way Qt means them.
    const auto open = description.lastIndexOf('(');
    if (description.endsWith(')') && open >= 0 &&
        description.mid(open + 1).chopped(1).split(kSeparators, Qt::SkipEmptyParts) == patterns) {
      if (qtPatterns == patterns)
        entries << description;
      else
        entries << description.left(open) + '(' + qtPatterns.join(' ') + ')';
    } else {
      entries << QStringLiteral("%1 (%2)").arg(description, qtPatterns.join(' '));
    }
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

QList<TranslatedControl> TranslatedControls(QWidget* window) {
  QList<Found> found;
  Collect(window, found);
  QList<TranslatedControl> controls;
  for (const auto& [object, kind] : found) {
    const QString name = object->objectName();
    switch (kind) {
      case Kind::Action: controls.push_back({object, {name + "c", name + "h"}}); break;
      case Kind::FileDialog: controls.push_back({object, {name + "f", name + "t"}}); break;
      default: controls.push_back({object, {name}}); break;
    }
  }
  return controls;
}

void TranslateWindow(QWidget* window, bool loadMessages) {
  const IniFile file(ActiveLanguageFile());
  const WindowSection section(file, window->objectName());
  QList<Found> found;
  Collect(window, found);
  for (const auto& [object, kind] : found) TranslateObject(object, kind, section);
  if (loadMessages) LoadMessages(file);
  if (window->objectName() == QLatin1String("FPrincipal")) SizeToolBarButtons(window);
  NameForScreenReaders(window);
}

}  // namespace bv
