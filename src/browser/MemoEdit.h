#pragma once
// A multi-line box with a typing limit, as the description and notes boxes have it. The
// limit counts characters as they are stored, where a line break is CR LF (two), so that
// a full box never holds more than the field keeps. Text put in by the program may be
// longer: the limit then grows to fit it, and only typing and pasting are held back.

#include <QPlainTextEdit>

namespace bv {

class MemoEdit : public QPlainTextEdit {
  Q_OBJECT

 public:
  MemoEdit(int limit, QWidget* parent = nullptr);

  int Limit() const { return limit_; }
  // The text with CR LF line breaks.
  QString StoredText() const;
  // Takes CR LF, CR or LF line breaks.
  void SetStoredText(const QString& text);

  // The stored length of a box text (LF or U+2029 between lines).
  static int StoredLength(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;  // pasting and dropping
  void inputMethodEvent(QInputMethodEvent* event) override;   // composed characters

 private:
  // Room left for new text once the selection (which new text replaces) is gone.
  int Room() const;

  int limit_;
};

}  // namespace bv
