#include "ui/PasswordStrength.h"

#include <zxcvbn.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <string>

#include "config/Cp1252.h"
#include "crypto/WipedText.h"
#include "ui/WordGuesses.h"
#include "ui/WordLists.h"

namespace bv {
namespace {

// The guesses at which each score begins, as log10: 10^3, 10^6, 10^8 and 10^10.
constexpr std::array<double, kMaxStrengthScore> kScoreThresholds = {3.0, 6.0, 8.0, 10.0};

// log10(2): the estimator reports bits of entropy, that is log2 of the guesses.
const double kLog10Of2 = std::log10(2.0);

int ThisYear() {
  const std::chrono::year_month_day today{
      std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
  return static_cast<int>(today.year());
}

}  // namespace

int ScoreOfGuesses(double log10Guesses) {
  int score = 0;
  while (score < kMaxStrengthScore && log10Guesses >= kScoreThresholds[score]) ++score;
  return score;
}

StrengthEstimate EstimateStrength(std::string_view password,
                                  const std::vector<std::string_view>& userWords) {
  if (password.empty()) return {};
  std::string utf8 = Cp1252ToUtf8(password);
  const WipeOnExit wipePassword(utf8);
  // The user's words are no secret of the profile's owner alone, but they name the account:
  // they are wiped as well.
  std::vector<std::string> words;
  words.reserve(userWords.size());
  for (const std::string_view word : userWords)
    if (!word.empty()) words.push_back(Cp1252ToUtf8(word));
  std::vector<const char*> dictionary;
  for (const std::string& word : words) dictionary.push_back(word.c_str());
  dictionary.push_back(nullptr);

  const double bits = ZxcvbnMatch(utf8.c_str(), dictionary.data(), nullptr);
  for (std::string& word : words) WipeString(word);
  // zxcvbn counts the bytes of UTF-8 and knows English words only; our own estimate counts
  // characters and knows the shipped languages' words. The attacker takes the cheaper way.
  const double ours = WordGuessesLog10({password, userWords, ThisYear()}, WordLists::Shipped());
  const double log10Guesses = std::min(bits * kLog10Of2, ours);
  return {ScoreOfGuesses(log10Guesses), log10Guesses};
}

}  // namespace bv
