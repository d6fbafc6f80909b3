#include <gtest/gtest.h>

#include <random>
#include <string>

#include "support/StrengthWords.h"
#include "ui/PasswordStrength.h"

namespace bv {
namespace {

TEST(ScoreOfGuesses, ThresholdsAreTenToTheThreeSixEightAndTen) {
  const struct {
    double log10Guesses;
    int score;
  } cases[] = {{0, 0},    {2.99, 0}, {3, 1},    {5.99, 1}, {6, 2},
               {7.99, 2}, {8, 3},    {9.99, 3}, {10, 4},   {200, 4}};
  for (const auto& c : cases) EXPECT_EQ(ScoreOfGuesses(c.log10Guesses), c.score) << c.log10Guesses;
}

TEST(EstimateStrength, KnownWeakPasswordsScoreZeroOrOne) {
  for (const char* password : {"123456", "password", "qwerty", "maria", "Jennifer", "abc123",
                               "iloveyou", "aaaaaaaa", "1q2w3e4r"}) {
    const StrengthEstimate estimate = EstimateStrength(password);
    EXPECT_LE(estimate.score, 1) << password;
    EXPECT_LT(estimate.log10Guesses, 6) << password;
  }
}

TEST(EstimateStrength, WordsOfTheShippedLanguagesAreWeak) {
  for (const test::StrengthRow& row : test::StrengthRows()) {
    const StrengthEstimate estimate = EstimateStrength(row.password, {row.userName});
    EXPECT_EQ(estimate.score <= kWeakestScore, row.weak)
        << row.password << " (Windows-1252): score " << estimate.score << ", 10^"
        << estimate.log10Guesses;
  }
}

TEST(EstimateStrength, RandomTwentyCharacterPasswordsScoreFour) {
  const std::string pool =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!#$%&()*+-./:;<=>?@";
  std::mt19937 random(20);
  std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
  for (int n = 0; n < 20; ++n) {
    std::string password;
    for (int i = 0; i < 20; ++i) password += pool[pick(random)];
    EXPECT_EQ(EstimateStrength(password).score, 4) << password;
  }
}

TEST(EstimateStrength, EmptyHasNoGuesses) {
  const StrengthEstimate estimate = EstimateStrength("");
  EXPECT_EQ(estimate.score, 0);
  EXPECT_EQ(estimate.log10Guesses, 0);
}

TEST(EstimateStrength, TheUsersOwnWordsCountAsKnown) {
  // "Zarzamora1987" holds no English word; with it among the user's words it is guessed soon.
  const std::string password = "zarzamora1987";
  const StrengthEstimate alone = EstimateStrength(password);
  const StrengthEstimate known = EstimateStrength(password, {"zarzamora"});
  EXPECT_LT(known.log10Guesses, alone.log10Guesses - 3);
}

TEST(EstimateStrength, AccentedLettersAreReadAsWindows1252) {
  // "ñ" in Windows-1252 is one byte; read as UTF-8 it would be no character at all. Each
  // letter of a repeated accented letter adds little; of eight distinct bytes much more.
  const StrengthEstimate repeated = EstimateStrength(std::string(12, '\xF1'));
  EXPECT_LE(repeated.score, 1);
  EXPECT_GT(EstimateStrength("\xF1"
                             "and\xFA"
                             "-Bot\xE1n-29-Gr\xFC"
                             "n")
                .score,
            2);
}

}  // namespace
}  // namespace bv
