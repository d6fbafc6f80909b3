#pragma once
// Small helpers the editing dialogs share: naming controls, moving stored texts into and
// out of their boxes, placing a dialog, and the error box they report refusals in.

#include <QString>
#include <functional>
#include <string>
#include <string_view>

class QLineEdit;
class QWidget;

namespace bv {

// An error box with an OK button; the dialogs show their refusals through it.
using ErrorBoxFn = std::function<void(const QString& text)>;

// A QMessageBox over parent, for dialogs opened without an error seam.
ErrorBoxFn DefaultErrorBox(QWidget* parent);

template <class T>
T* Named(T* control, const char* name) {
  control->setObjectName(QString::fromLatin1(name));
  return control;
}

// Puts a stored text into a box. The box's limit holds back typing only: it grows when
// the stored text is longer, so that opening and accepting a dialog never cuts a value.
void PutText(QLineEdit* box, std::string_view stored);
// The box's text as stored. The boxes refuse characters without a Windows-1252 form.
std::string StoredText(const QString& text);

void CentreOnScreen(QWidget* window);

}  // namespace bv
