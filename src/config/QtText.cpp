#include "config/QtText.h"

#include <algorithm>

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "config/Cp1252.h"
#include "config/Messages.h"
#include "config/Product.h"

namespace bv {

namespace {

// Removes, in the range just changed, every character that has no Windows-1252 form.
void StripUnmappable(QTextDocument* document, int position, int added) {
  // The count may include the document's final paragraph separator, which no cursor reaches.
  const int end = std::min(position + added, document->characterCount() - 1);
  if (end <= position) return;
  QTextCursor cursor(document);
  cursor.setPosition(position);
  cursor.setPosition(end, QTextCursor::KeepAnchor);
  const QString inserted = cursor.selectedText();
  QString kept;
  for (const char32_t c : inserted.toUcs4()) {
    // The paragraph separator stands for a line break in selectedText().
    if (c == 0x2029 || UnicodeToCp1252(c)) kept += QString::fromUcs4(&c, 1);
  }
  if (kept.size() != inserted.size()) {
    kept.replace(QChar(0x2029), QChar('\n'));
    cursor.insertText(kept);
  }
}

void GuardDocument(QTextDocument* document) {
  QObject::connect(
      document, &QTextDocument::contentsChange, document,
      [document](int position, int, int added) { StripUnmappable(document, position, added); });
}

}  // namespace

QString FromCp1252(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (const char b : bytes) {
    const char32_t c = Cp1252ToUnicode(static_cast<unsigned char>(b));
    text += QChar(static_cast<char16_t>(c));  // every Windows-1252 character is in the BMP
  }
  return text;
}

std::optional<std::string> ToCp1252(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (const char32_t c : text.toUcs4()) {
    const auto b = UnicodeToCp1252(c);
    if (!b) return std::nullopt;
    bytes += static_cast<char>(*b);
  }
  return bytes;
}

bool HasCp1252Form(const QString& text) { return ToCp1252(text).has_value(); }

QString Msg(int n) { return FromCp1252(MessageText(n)); }

QString ProductNameText() {
  return QString::fromUtf8(kProductName.data(), static_cast<qsizetype>(kProductName.size()));
}

Cp1252Validator::Cp1252Validator(QObject* parent) : QValidator(parent) {}

QValidator::State Cp1252Validator::validate(QString& input, int&) const {
  return HasCp1252Form(input) ? Acceptable : Invalid;
}

void InstallCp1252Guards(QWidget* window) {
  for (auto* edit : window->findChildren<QLineEdit*>())
    if (!edit->validator()) edit->setValidator(new Cp1252Validator(edit));
  for (auto* edit : window->findChildren<QPlainTextEdit*>()) GuardDocument(edit->document());
  for (auto* edit : window->findChildren<QTextEdit*>())
    if (!edit->isReadOnly()) GuardDocument(edit->document());
}

}  // namespace bv
