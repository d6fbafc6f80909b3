#pragma once
// How hard a password is to guess: the number of guesses an attacker who knows common
// passwords, words and names of the shipped languages, dates, keyboard patterns and the
// user's own words would need, and a score of 0 (guessed at once) to 4 (very hard).
//
// Two estimates are made and the smaller taken: zxcvbn's (English words and names, common
// passwords, patterns) and our own with the word lists of the shipped languages
// (WordGuesses.h). A password of score kWeakestScore or less is weak: an offline attack on a
// leaked site's database breaks fewer than 10^8 guesses in seconds.

#include <string_view>
#include <vector>

namespace bv {

struct StrengthEstimate {
  int score = 0;              // 0 to 4
  double log10Guesses = 0.0;  // log10 of the estimated number of guesses
};

inline constexpr int kMaxStrengthScore = 4;
// The best score a weak password has.
inline constexpr int kWeakestScore = 2;

// The score of a number of guesses (given as its log10): below 10^3 is 0, below 10^6 is 1,
// below 10^8 is 2, below 10^10 is 3, anything more is 4.
[[nodiscard]] int ScoreOfGuesses(double log10Guesses);

// password and userWords are Windows-1252 bytes; they are turned into UTF-8 for the
// estimator and the copies wiped. userWords (the account's name, the user name...) count as
// words an attacker knows. An empty password scores 0 with no guesses.
[[nodiscard]] StrengthEstimate EstimateStrength(
    std::string_view password, const std::vector<std::string_view>& userWords = {});

}  // namespace bv
