#include "browser/MemoEdit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

namespace bv {
namespace {

bool IsLineBreak(QChar c) { return c == QLatin1Char('\n') || c == QChar::ParagraphSeparator; }

QString WithLineFeeds(QString text) {
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

// The longest start of text whose stored length fits room.
QString Fitting(const QString& text, int room) {
  int used = 0;
  qsizetype n = 0;
  for (; n < text.size(); ++n) {
    used += IsLineBreak(text[n]) ? 2 : 1;
    if (used > room) break;
  }
  return text.left(n);
}

}  // namespace

MemoEdit::MemoEdit(int limit, QWidget* parent) : QPlainTextEdit(parent), limit_(limit) {
  setTabChangesFocus(true);
}

int MemoEdit::StoredLength(const QString& text) {
  int length = 0;
  for (const QChar c : text) length += IsLineBreak(c) ? 2 : 1;
  return length;
}

QString MemoEdit::StoredText() const {
  QString text = toPlainText();
  text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  return text;
}

void MemoEdit::SetStoredText(const QString& text) {
  const QString plain = WithLineFeeds(text);
  limit_ = std::max(limit_, StoredLength(plain));
  setPlainText(plain);
}

int MemoEdit::Room() const {
  return limit_ - StoredLength(toPlainText()) + StoredLength(textCursor().selectedText());
}

void MemoEdit::keyPressEvent(QKeyEvent* event) {
  const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const QString text = event->text();
  const bool typing = !text.isEmpty() && text.at(0).isPrint() &&
                      !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  const int adds = lineBreak ? 2 : typing ? StoredLength(text) : 0;
  if (adds > 0 && adds > Room()) {
    event->accept();  // the box is full
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void MemoEdit::insertFromMimeData(const QMimeData* source) {
  if (!source || !source->hasText()) return;
  insertPlainText(Fitting(WithLineFeeds(source->text()), std::max(0, Room())));
}

void MemoEdit::inputMethodEvent(QInputMethodEvent* event) {
  const QString commit = event->commitString();
  const QString fitting = Fitting(commit, std::max(0, Room()));
  if (fitting.size() < commit.size())
    event->setCommitString(fitting, event->replacementStart(), event->replacementLength());
  QPlainTextEdit::inputMethodEvent(event);
}

}  // namespace bv
