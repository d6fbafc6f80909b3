#pragma once
// Applying the active language file to a window.
//
// Section = the window's objectName; key = the control's objectName. The kind of a control
// is its exact class, so subclasses (an image picker derived from QComboBox, a custom
// button) keep their texts:
//   QLabel (unless its name begins with "notra"), QGroupBox, QPushButton, QCheckBox,
//   QRadioButton        key = name       -> the caption
//   QComboBox           key = name       -> the whole item list, each item ended by the
//                                            character U+00F7 (byte 0xF7); the selection
//                                            is lost (index -1): the owner selects on show
//   QAction             key = name + "c" -> text; name + "h" -> tool tip and status tip
//                                            ("short|long" splits them, as hints always did)
//   FileDialogEntry     key = name + "f" -> filter; name + "t" -> title
// A missing key keeps the current text; a key present with an empty value gives an empty
// text (one empty item for a list). Menus translate through named actions: give each
// menu a QAction of its own (QAction::setMenu) when its title must be translated.

#include <QObject>
#include <QString>

class QWidget;

namespace bv {

// The description of one file dialog of a window: the window keeps it as a named child,
// TranslateWindow fills it, and the window's file-dialog seam builds the dialog from it.
class FileDialogEntry : public QObject {
  Q_OBJECT

 public:
  enum class Kind {
    Open,
    Save
  };

  // filter: the Windows form "description|pattern|description|pattern".
  FileDialogEntry(Kind kind, const QString& name, QObject* parent, const QString& title = {},
                  const QString& filter = {}, const QString& defaultSuffix = {});

  Kind kind() const { return kind_; }
  QString title() const { return title_; }
  void setTitle(const QString& title) { title_ = title; }
  QString filter() const { return filter_; }
  void setFilter(const QString& filter) { filter_ = filter; }
  QString defaultSuffix() const { return defaultSuffix_; }  // without the dot: "bv3"
  void setDefaultSuffix(const QString& suffix) { defaultSuffix_ = suffix; }
  QString qtFilter() const;

 private:
  Kind kind_;
  QString title_;
  QString filter_;
  QString defaultSuffix_;
};

// "Perfiles|*.bv3|Todos|*.*" -> "Perfiles (*.bv3);;Todos (*)": "*.*" means every file,
// extensionless ones too, and becomes Qt's "*". Several patterns of one
// entry ("*.htm;*.html") become space-separated; a trailing description without pattern
// is dropped.
QString WindowsFilterToQt(const QString& filter);

// Applies ActiveLanguageFile() to every named control of the window (in creation order,
// without entering other top-level windows parented to it), then, when loadMessages is
// true, reloads the message table from the same file. For the main window ("FPrincipal")
// the buttons of its tool bar "BarraHerramientas" are sized 23 x 22 pixels.
void TranslateWindow(QWidget* window, bool loadMessages);

// The drop-down list value split into items (exposed for the tests and the search window).
QStringList SplitListValue(const QString& value);

// The controls TranslateWindow changes, in its order, each with the keys it reads for them.
struct TranslatedControl {
  QObject* control;
  QStringList keys;
};
QList<TranslatedControl> TranslatedControls(QWidget* window);

}  // namespace bv
