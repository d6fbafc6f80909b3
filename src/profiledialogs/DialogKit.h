#pragma once
// The parts the profile dialogs share: named text and password boxes with their limits,
// labelled rows, the button row, and what every such dialog does once built (Windows-1252
// guards, translation, caption).

#include <QString>
#include <string>

class QDialog;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace bv::dialogkit {

// No limit beyond the one of the edit box itself.
inline constexpr int kNoLimit = 0;

QLabel* Label(QWidget* parent, const char* name, const QString& text);
QLineEdit* TextBox(QWidget* parent, const char* name, int maxLength);
// Shows a mask character for each character typed.
QLineEdit* PasswordBox(QWidget* parent, const char* name, int maxLength);
QPushButton* Button(QWidget* parent, const char* name, const QString& text);

// Appends a row "label  box" to a two-column grid.
void AddRow(QGridLayout* grid, QLabel* label, QLineEdit* box);
// Appends a row holding widget under the boxes (the second column): a strength bar.
void AddUnderBoxes(QGridLayout* grid, QWidget* widget);
// The note of the master-password dialogs (lblConsejo): what the format's limit of 16
// characters means, and a phrase of words that fits in it.
QLabel* MasterPasswordHint(QWidget* parent);
// The dialog's layout: an optional note, the grid, an optional note below it, then ok and
// cancel at the right. ok is the default button (Enter). The notes wrap; they lie outside the
// grid, whose cells spanning both columns would not get the height a wrapped text needs.
void Arrange(QDialog* dialog, QGridLayout* grid, QLabel* note, QPushButton* ok, QPushButton* cancel,
             QLabel* noteBelow = nullptr);

// Installs the Windows-1252 guards, translates the dialog (without loading messages) and
// sets its caption to message captionMessage.
void Finish(QDialog* dialog, int captionMessage);

// The text of a guarded box as Windows-1252 bytes.
std::string Cp1252Text(const QLineEdit* box);

// Shows the error of a refused entry: selects the box's text when asked, then focuses it.
void FocusBox(QLineEdit* box, bool selectAll);

}  // namespace bv::dialogkit
