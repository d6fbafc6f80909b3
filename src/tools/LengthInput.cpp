#include "tools/LengthInput.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <tuple>

#include "tools/PasswordLength.h"

namespace bv {

QValidator::State DigitsOnlyValidator::validate(QString& input, int& pos) const {
  QString digits;
  int newPos = 0;
  for (int i = 0; i < input.size(); ++i) {
    if (input[i] < u'0' || input[i] > u'9') continue;
    digits += input[i];
    if (i < pos) ++newPos;
  }
  input = digits;
  pos = newPos;
  return Acceptable;
}

UpDownButtons::UpDownButtons(QLineEdit* buddy, QWidget* parent)
    : QWidget(parent), buddy_(buddy), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (auto [button, arrow, delta] :
       {std::tuple{up_, Qt::UpArrow, 1}, std::tuple{down_, Qt::DownArrow, -1}}) {
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(17, 11);
    layout->addWidget(button);
    connect(button, &QToolButton::clicked, this, [this, delta = delta] { Step(delta); });
  }
  buddy_->installEventFilter(this);
}

void UpDownButtons::Step(int delta) {
  const auto text = buddy_->text().toLatin1();
  buddy_->setText(QString::number(StepPasswordLength(text.toStdString(), delta)));
}

bool UpDownButtons::eventFilter(QObject* watched, QEvent* event) {
  if (watched == buddy_ && event->type() == QEvent::KeyPress) {
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Backspace: return true;
      case Qt::Key_Up: Step(1); return true;
      case Qt::Key_Down: Step(-1); return true;
      default: break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace bv
