#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "tools/PasswordLength.h"
#include "tools/PasswordPool.h"

namespace bv {
namespace {

struct TableCase {
  bool letters, digits;
  LetterCase letterCase;
  std::string_view table;
  std::size_t size;
  std::string_view mustHold;  // one character of every class the table covers
};

class CharacterTables : public ::testing::TestWithParam<TableCase> {};

TEST_P(CharacterTables, EachOptionRowGivesItsTableWithEveryCharacterOnce) {
  const TableCase& c = GetParam();
  const std::string_view table = BaseTable(c.letters, c.digits, c.letterCase);
  EXPECT_EQ(table, c.table);
  EXPECT_EQ(table.size(), c.size);
  EXPECT_EQ(std::set<char>(table.begin(), table.end()).size(), table.size());
  for (char k : c.mustHold) EXPECT_NE(table.find(k), std::string_view::npos) << k;
}

INSTANTIATE_TEST_SUITE_P(
    AllRows, CharacterTables,
    ::testing::Values(
        TableCase{true, true, LetterCase::Lower, "klghi2er3ouvyzjx9cdq561ab40ptw78fmns", 36,
                  "az09"},
        TableCase{true, true, LetterCase::Upper, "AHZ1IPQDJKT78VL9NOBC02345URS6YMXWFGE", 36,
                  "AZ09"},
        TableCase{true, true, LetterCase::Mixed,
                  "abZ123ijklcHIJKLM4FmOP56NefuvwxghUGESRpqrstTVWXYdnoBCQDyzA7890", 62, "azAZ09"},
        TableCase{true, false, LetterCase::Lower, "iafptugqkrhjsnecymvdwzoxlb", 26, "az"},
        TableCase{true, false, LetterCase::Upper, "GFKELJNOVWHIUYZBSCADPXTMQR", 26, "AZ"},
        TableCase{true, false, LetterCase::Mixed,
                  "azAfvijwxCDEkyghVJKBlIbYstuHZnFGocdeOPULQrNWXRSTMmpq", 52, "azAZ"},
        TableCase{false, true, LetterCase::Lower, "8712504936", 10, "09"},
        TableCase{false, true, LetterCase::Upper, "8712504936", 10, "09"},
        TableCase{false, true, LetterCase::Mixed, "8712504936", 10, "09"}),
    // Stable names: the default ones print the parameter's bytes, pointers included, which
    // change from run to run and would not match the names found at build time.
    [](const ::testing::TestParamInfo<TableCase>& info) {
      return "Row" + std::to_string(info.index);
    });

PoolOptions Options(bool letters, bool digits, LetterCase letterCase, bool specials = false,
                    std::string specialChars = {}) {
  return {letters, digits, letterCase, specials, std::move(specialChars)};
}

TEST(PasswordPool, SpecialsAreAppendedAsTypedOnlyWhenTicked) {
  PoolOptions options = Options(true, false, LetterCase::Lower, true, "#");
  EXPECT_EQ(ComposePool(options), std::string(kLowerOnly) + "#");
  EXPECT_EQ(ComposePool(options)->size(), 27u);

  options.specialChars = "##\xE9";  // duplicates and Windows-1252 letters stay
  EXPECT_EQ(ComposePool(options), std::string(kLowerOnly) + "##\xE9");

  options.specials = false;
  EXPECT_EQ(ComposePool(options), std::string(kLowerOnly));

  options = Options(false, false, LetterCase::Mixed, true, "#");
  EXPECT_EQ(ComposePool(options), std::nullopt);
}

std::map<char, int> CountChars(const std::string& text) {
  std::map<char, int> counts;
  for (char c : text) ++counts[c];
  return counts;
}

TEST(GeneratePassword, DigitsOnlyLength255DrawsOnlyDigitsAndEveryOne) {
  SystemRandom random;
  const auto pool = ComposePool(Options(false, true, LetterCase::Mixed));
  const std::string password = GeneratePassword(*pool, 255, random);
  ASSERT_EQ(password.size(), 255u);
  const auto counts = CountChars(password);
  for (const auto& [c, n] : counts) EXPECT_NE(kDigitsOnly.find(c), std::string_view::npos) << c;
  EXPECT_EQ(counts.size(), 10u) << "every digit occurs";
}

TEST(GeneratePassword, LowerCaseWithHashDrawsTheHashToo) {
  SystemRandom random;
  const auto pool = ComposePool(Options(true, false, LetterCase::Lower, true, "#"));
  const std::string password = GeneratePassword(*pool, 4000, random);
  const auto counts = CountChars(password);
  EXPECT_EQ(counts.size(), 27u);
  EXPECT_TRUE(counts.contains('#'));
  for (const auto& [c, n] : counts) EXPECT_NE(pool->find(c), std::string::npos) << c;
}

TEST(GeneratePassword, LengthZeroIsEmptyAndTwoDrawsDiffer) {
  SystemRandom random;
  const std::string pool(kMixedAndDigits);
  EXPECT_EQ(GeneratePassword(pool, 0, random), "");
  EXPECT_NE(GeneratePassword(pool, 32, random), GeneratePassword(pool, 32, random));
}

TEST(GeneratePassword, DrawsEveryPositionAboutEquallyOften) {
  // A duplicated character must come out twice as often as the others: the draw is over
  // positions, not characters.
  SystemRandom random;
  const std::string pool = "abcdefghia";
  const int draws = 200000;
  const auto counts = CountChars(GeneratePassword(pool, draws, random));
  const double expected = draws / 10.0;
  const double tolerance = 6 * std::sqrt(expected);  // six standard deviations
  EXPECT_NEAR(counts.at('a'), 2 * expected, tolerance);
  for (char c = 'b'; c <= 'i'; ++c) EXPECT_NEAR(counts.at(c), expected, tolerance) << c;
}

// Scripted 32-bit draws for the reduction.
struct Script {
  std::vector<std::uint32_t> draws;
  std::size_t used = 0;
  std::uint32_t operator()() { return draws.at(used++); }
};

TEST(UniformBelow, RejectsTheBiasedLowDraws) {
  struct Case {
    std::uint32_t bound;
    std::vector<std::uint32_t> draws;
    std::uint32_t result;
    std::size_t used;
  };
  // 2^32 mod 10 = 6 and 2^32 mod 62 = 4: draws below are thrown away.
  const Case cases[] = {
      {10, {5, 0, 6}, 6, 3},
      {10, {17}, 7, 1},
      {10, {0xFFFFFFFFu}, 5, 1},
      {62, {3, 4}, 4, 2},
      {1, {0}, 0, 1},
      {0x80000001u, {0x7FFFFFFEu, 0x7FFFFFFFu}, 0x7FFFFFFFu, 2},
  };
  for (const Case& c : cases) {
    Script script{c.draws};
    EXPECT_EQ(UniformBelow(c.bound, std::ref(script)), c.result) << c.bound;
    EXPECT_EQ(script.used, c.used) << c.bound;
  }
}

TEST(PasswordLength, TypedTextKeepsOnlyDigits) {
  EXPECT_EQ(KeepDigits("1a2-3 b\b\1774"), "1234");
  EXPECT_EQ(KeepDigits("abc"), "");
}

TEST(PasswordLength, ReadingTheField) {
  const std::pair<std::string, std::optional<int>> cases[] = {
      {"4", 4},
      {"0", 0},
      {"0007", 7},
      {"255", 255},
      {"256", 255},
      {"300", 255},
      {"1000", 255},
      {"2147483647", 255},
      {"2147483648", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"", std::nullopt},
      {"12a", std::nullopt},
      {"-5", std::nullopt},
      {" 5", std::nullopt},
  };
  for (const auto& [text, length] : cases) EXPECT_EQ(ReadPasswordLength(text), length) << text;
}

TEST(PasswordLength, RefusalTextIsTheBuiltInOne) {
  EXPECT_EQ(NotAnIntegerText(""), "'' no es un valor entero v\xE1lido");
  EXPECT_EQ(NotAnIntegerText("2147483648"), "'2147483648' no es un valor entero v\xE1lido");
}

TEST(PasswordLength, ArrowsStayWithin4To255) {
  const std::tuple<std::string, int, int> cases[] = {
      {"4", -1, 4},     {"4", 1, 5},       {"100", 1, 101}, {"100", -1, 99}, {"255", 1, 255},
      {"1000", 1, 255}, {"1000", -1, 254}, {"0", 1, 4},     {"0", -1, 4},    {"", 1, 4},
  };
  for (const auto& [text, delta, result] : cases)
    EXPECT_EQ(StepPasswordLength(text, delta), result) << text << " " << delta;
}

}  // namespace
}  // namespace bv
