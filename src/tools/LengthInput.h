#pragma once
// The input rules of the generator's length field: only digits get in (whatever is typed
// or pasted), the backspace key does nothing (deleting works with Delete or by typing over
// a selection), and the up and down keys step the value like the arrow buttons beside it.

#include <QObject>
#include <QValidator>
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace bv {

class DigitsOnlyValidator : public QValidator {
  Q_OBJECT

 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};

// The up-down arrows beside the field; each click steps the field's value within 4..255.
class UpDownButtons : public QWidget {
  Q_OBJECT

 public:
  UpDownButtons(QLineEdit* buddy, QWidget* parent);

  void Step(int delta);  // what one click does

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;  // keys of the buddy

 private:
  QLineEdit* buddy_;
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace bv
