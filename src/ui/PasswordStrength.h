#pragma once
// How hard a password is to guess, as zxcvbn estimates it: the number of guesses an attacker
// who knows common passwords, words, names, dates, keyboard patterns and the user's own words
// would need, and a score of 0 (guessed at once) to 4 (very hard).
//
// The estimator's dictionaries hold English words and names only; a Spanish word counts as
// random letters and scores higher than it deserves.

#include <string_view>
#include <vector>

namespace bv {

struct StrengthEstimate {
  int score = 0;              // 0 to 4
  double log10Guesses = 0.0;  // log10 of the estimated number of guesses
};

inline constexpr int kMaxStrengthScore = 4;

// The score of a number of guesses (given as its log10): below 10^3 is 0, below 10^6 is 1,
// below 10^8 is 2, below 10^10 is 3, anything more is 4.
[[nodiscard]] int ScoreOfGuesses(double log10Guesses);

// password and userWords are Windows-1252 bytes; they are turned into UTF-8 for the
// estimator and the copies wiped. userWords (the account's name, the user name...) count as
// words an attacker knows. An empty password scores 0 with no guesses.
[[nodiscard]] StrengthEstimate EstimateStrength(
    std::string_view password, const std::vector<std::string_view>& userWords = {});

}  // namespace bv
