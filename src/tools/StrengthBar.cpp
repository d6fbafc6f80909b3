#include "tools/StrengthBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QThreadPool>
#include <string>

#include "config/MessageIds.h"
#include "config/QtText.h"
#include "crypto/WipedText.h"
#include "tools/PasswordStrength.h"
#include "tools/WordLists.h"

namespace bv {
namespace {

// Red to green, one colour per score: the weak scores (0 to 2) in reds and oranges.
constexpr const char* kScoreColours[] = {"#c62828", "#d84315", "#ef6c00", "#7cb342", "#2e7d32"};

}  // namespace

StrengthBar::StrengthBar(const char* name, QWidget* parent) : QWidget(parent) {
  setObjectName(QLatin1String(name));
  // The word lists take a moment to read: they are read while the user starts typing. The
  // application waits for the pool's work before it ends.
  static const bool reading = [] {
    QThreadPool::globalInstance()->start([] { static_cast<void>(WordLists::Shipped()); });
    return true;
  }();
  static_cast<void>(reading);
  bar_ = new QProgressBar(this);
  bar_->setRange(0, kMaxStrengthScore + 1);
  bar_->setValue(0);
  bar_->setTextVisible(false);
  bar_->setFixedHeight(8);
  // The word comes from the messages; "notra" keeps window translation away from it.
  word_ = new QLabel(this);
  word_->setObjectName(QStringLiteral("notraFuerza"));
  word_->setMinimumWidth(word_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 8);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(bar_, 1);
  row->addWidget(word_);
}

void StrengthBar::Follow(QLineEdit* box) {
  followed_ = box;
  connect(box, &QLineEdit::textChanged, this, &StrengthBar::ShowStrengthOf);
  ShowStrengthOf(box->text());
}

void StrengthBar::KnowWordsOf(std::initializer_list<QLineEdit*> boxes) {
  for (QLineEdit* box : boxes) {
    wordBoxes_.push_back(box);
    connect(box, &QLineEdit::textChanged, this, [this] {
      if (followed_) ShowStrengthOf(followed_->text());
    });
  }
  if (followed_) ShowStrengthOf(followed_->text());
}

void StrengthBar::ShowStrengthOf(const QString& text) {
  if (text.isEmpty()) {
    score_ = -1;
  } else {
    // Characters without a Windows-1252 form never reach a guarded box.
    std::string password = ToCp1252(text).value_or(std::string());
    const WipeOnExit wipe(password);
    std::vector<std::string> words;
    for (const QLineEdit* box : wordBoxes_) words.push_back(ToCp1252(box->text()).value_or(""));
    score_ = EstimateStrength(password, {words.begin(), words.end()}).score;
  }
  bar_->setValue(score_ + 1);
  bar_->setStyleSheet(score_ < 0 ? QString()
                                 : QStringLiteral("QProgressBar::chunk { background: %1; }")
                                       .arg(QLatin1String(kScoreColours[score_])));
  word_->setText(Word());
}

QString StrengthBar::Word() const {
  return score_ < 0 ? QString() : Msg(msg::kStrengthTrivial + score_);
}

}  // namespace bv
