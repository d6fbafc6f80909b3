#include "browser/EditBoxes.h"

#include <QApplication>
#include <QLineEdit>
#include <QScreen>

#include "config/QtText.h"
#include "ui/PlainMessageBox.h"

namespace bv {

ErrorBoxFn DefaultErrorBox(QWidget* parent) {
  return [parent](const QString& text) { ShowPlainError(parent, text); };
}

void PutText(QLineEdit* box, std::string_view stored) {
  const QString text = FromCp1252(stored);
  if (text.size() > box->maxLength()) box->setMaxLength(static_cast<int>(text.size()));
  box->setText(text);
}

std::string StoredText(const QString& text) {
  // Only text that came past the guards reaches here; should anything else slip through,
  // its unmappable characters are dropped rather than the whole value.
  if (auto bytes = ToCp1252(text)) return *std::move(bytes);
  QString kept;
  for (const QChar c : text)
    if (HasCp1252Form(QString(c))) kept += c;
  return ToCp1252(kept).value_or(std::string());
}

void CentreOnScreen(QWidget* window) {
  const QScreen* screen = window->screen();
  if (!screen) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

}  // namespace bv
