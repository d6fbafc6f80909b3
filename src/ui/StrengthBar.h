#pragma once
// A bar and a word under a password box that say how hard the password is to guess
// (PasswordStrength.h), redrawn at every keystroke. Five levels, worst first: messages 200
// to 204 of the active language. An empty box shows an empty bar and no word.

#include <QWidget>
#include <initializer_list>
#include <vector>

class QLabel;
class QLineEdit;
class QProgressBar;

namespace bv {

class StrengthBar : public QWidget {
  Q_OBJECT

 public:
  // name: the bar's objectName, so that a window with several bars tells them apart.
  StrengthBar(const char* name, QWidget* parent);

  // Follows the box: every change of its text is estimated at once.
  void Follow(QLineEdit* box);
  // The texts of these boxes (the account's name and user name, the profile's owner) are
  // words an attacker who targets the user knows: the estimate counts them as such.
  void KnowWordsOf(std::initializer_list<QLineEdit*> boxes);
  // Estimates text; the Windows-1252 copy made for the estimator is wiped.
  void ShowStrengthOf(const QString& text);

  int Score() const { return score_; }  // -1 while the box is empty
  QString Word() const;

 private:
  int score_ = -1;
  QLineEdit* followed_ = nullptr;
  std::vector<QLineEdit*> wordBoxes_;
  QProgressBar* bar_;
  QLabel* word_;
};

}  // namespace bv
