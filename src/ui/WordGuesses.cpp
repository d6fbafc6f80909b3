#include "ui/WordGuesses.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "crypto/WipedText.h"
#include "ui/WordLists.h"

namespace bv {
namespace {

// More matches than this cost at least 10^12 guesses by the growth term alone (see Total):
// such a password is as strong as a score can say.
constexpr int kMostMatches = 4;
// zxcvbn's cost of each match after the first: 10^4 guesses.
constexpr double kLog10PerExtraMatch = 4.0;
// Years close to the reference year are counted as if 20 years apart.
constexpr int kLeastYearSpace = 20;
constexpr double kInfinite = std::numeric_limits<double>::infinity();

struct Match {
  std::size_t begin;
  std::size_t end;
  double log10Guesses;
};

bool IsUpper(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || c == 0x8A ||
         c == 0x8C || c == 0x8E || c == 0x9F;
}

bool IsLower(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 0xDF && c != 0xF7) || c == 0x9A || c == 0x9C || c == 0x9E;
}

double Log10Binomial(int n, int k) {
  return (std::lgamma(n + 1.0) - std::lgamma(k + 1.0) - std::lgamma(n - k + 1.0)) / std::log(10.0);
}

// log10(10^a + 10^b).
double Log10Sum(double a, double b) {
  const double high = std::max(a, b);
  return high + std::log10(1.0 + std::pow(10.0, std::min(a, b) - high));
}

// How many ways the word's letters could have been capitalised as they are: none, the
// first, the last or all of them count twice; anything else counts every mix of as many.
double Log10CaseVariations(std::string_view token) {
  int upper = 0;
  int lower = 0;
  for (const char c : token) {
    upper += IsUpper(static_cast<unsigned char>(c)) ? 1 : 0;
    lower += IsLower(static_cast<unsigned char>(c)) ? 1 : 0;
  }
  if (upper == 0) return 0.0;
  const auto first = static_cast<unsigned char>(token.front());
  const auto last = static_cast<unsigned char>(token.back());
  if (lower == 0 || (upper == 1 && (IsUpper(first) || IsUpper(last)))) return std::log10(2.0);
  double sum = 0.0;
  for (int i = 1; i <= std::min(upper, lower); ++i)
    sum += std::pow(10.0, Log10Binomial(upper + lower, i));
  return std::log10(sum);
}

// The l33t substitutions, as folded bytes: for '1' and '|' the letter depends on the table.
struct LeetTable {
  char one;  // what '1', '|' and '!' stand for
};
constexpr std::array<LeetTable, 2> kLeetTables = {LeetTable{'i'}, LeetTable{'l'}};

char LeetLetter(unsigned char c, const LeetTable& table) {
  switch (c) {
    case '4':
    case '@': return 'a';
    case '8': return 'b';
    case '(':
    case '<': return 'c';
    case '3': return 'e';
    case '6':
    case '9': return 'g';
    case '1':
    case '|':
    case '!': return table.one;
    case '0': return 'o';
    case '$':
    case '5': return 's';
    case '7':
    case '+': return 't';
    case '%': return 'x';
    case '2': return 'z';
    default: return 0;
  }
}

// zxcvbn's count for a l33t word: for each letter written as a symbol somewhere in the
// word, the ways to choose which of its places carry the symbol.
double Log10LeetVariations(std::string_view original, std::string_view unleeted) {
  double log10 = 0.0;
  std::array<bool, 256> done{};
  for (std::size_t i = 0; i < original.size(); ++i) {
    const auto letter = static_cast<unsigned char>(unleeted[i]);
    if (FoldedByte(static_cast<unsigned char>(original[i])) == letter || done[letter]) continue;
    done[letter] = true;
    int substituted = 0;
    int plain = 0;
    for (std::size_t j = 0; j < original.size(); ++j) {
      if (static_cast<unsigned char>(unleeted[j]) != letter) continue;
      if (FoldedByte(static_cast<unsigned char>(original[j])) == letter)
        ++plain;
      else
        ++substituted;
    }
    if (plain == 0) {
      log10 += std::log10(2.0);
    } else {
      double sum = 0.0;
      for (int k = 1; k <= std::min(plain, substituted); ++k)
        sum += std::pow(10.0, Log10Binomial(plain + substituted, k));
      log10 += std::log10(sum);
    }
  }
  return log10;
}

class Matcher {
 public:
  Matcher(const WordGuessInput& input, const WordLists& lists) : input_(input), lists_(lists) {
    for (const char c : input.password)
      folded_.push_back(static_cast<char>(FoldedByte(static_cast<unsigned char>(c))));
    for (const std::string_view word : input.userWords) {
      std::string foldedWord;
      for (const char c : word)
        foldedWord.push_back(static_cast<char>(FoldedByte(static_cast<unsigned char>(c))));
      userWords_.push_back(std::move(foldedWord));
    }
    // Then the parts of each ("jose" and "perez" of "José Pérez", "ana" of "ana.perez@x.es").
    const std::size_t whole = userWords_.size();
    for (std::size_t index = 0; index < whole; ++index) {
      std::string part;
      for (const char c : userWords_[index] + ' ') {
        if (std::string_view(" .-_@,;:/+").find(c) == std::string_view::npos) {
          part.push_back(c);
        } else if (!part.empty()) {
          if (part.size() < userWords_[index].size()) userWords_.push_back(part);
          WipeString(part);
          part.clear();
        }
      }
    }
  }

  // The folded forms are copies of the password.
  ~Matcher() {
    WipeString(folded_);
    for (std::string& word : userWords_) WipeString(word);
  }
  Matcher(const Matcher&) = delete;
  Matcher& operator=(const Matcher&) = delete;

  std::vector<Match> Matches() {
    MatchWords(folded_);
    for (const LeetTable& table : kLeetTables) {
      std::string unleeted = folded_;
      const WipeOnExit wipe(unleeted);
      bool any = false;
      for (char& c : unleeted)
        if (const char letter = LeetLetter(static_cast<unsigned char>(c), table)) {
          c = letter;
          any = true;
        }
      if (any) MatchWords(unleeted);
    }
    MatchRepeats();
    MatchYears();
    return std::move(matches_);
  }

 private:
  // Words of the lists and of the user in text, a form of the folded password.
  void MatchWords(const std::string& text) {
    const std::size_t n = text.size();
    const std::string_view view(text);
    for (std::size_t begin = 0; begin + WordLists::kShortestWord <= n; ++begin) {
      if (!lists_.MayBegin(view.substr(begin, WordLists::kPrefixBytes))) continue;
      const std::size_t last = std::min(n, begin + lists_.LongestWord());
      for (std::size_t end = begin + WordLists::kShortestWord; end <= last; ++end) {
        if (const std::uint32_t rank = lists_.Rank(view.substr(begin, end - begin)))
          AddWord(text, begin, end, rank);
        if (end == begin + WordLists::kShortestWord &&
            !lists_.MayBegin(view.substr(begin, end + 1 - begin)))
          break;
      }
    }
    for (std::size_t index = 0; index < userWords_.size(); ++index) {
      const std::string& word = userWords_[index];
      if (word.size() < WordLists::kShortestWord) continue;
      for (std::size_t at = view.find(word); at != std::string_view::npos;
           at = view.find(word, at + 1))
        AddWord(text, at, at + word.size(), static_cast<std::uint32_t>(index + 1));
    }
  }

  void AddWord(const std::string& text, std::size_t begin, std::size_t end, std::uint32_t rank) {
    const std::string_view original = input_.password.substr(begin, end - begin);
    const std::string_view unleeted = std::string_view(text).substr(begin, end - begin);
    // A l33t form without any symbol in this word is the plain match, found already.
    if (&text != &folded_ && unleeted == std::string_view(folded_).substr(begin, end - begin))
      return;
    matches_.push_back({begin, end,
                        std::log10(static_cast<double>(rank)) + Log10CaseVariations(original) +
                            Log10LeetVariations(original, unleeted)});
  }

  // Three or more of one character: the character, then how many.
  void MatchRepeats() {
    const std::string_view p = input_.password;
    for (std::size_t begin = 0; begin < p.size();) {
      std::size_t end = begin + 1;
      while (end < p.size() && p[end] == p[begin]) ++end;
      if (end - begin >= 3)
        matches_.push_back({begin, end, std::log10(10.0 * static_cast<double>(end - begin))});
      begin = end;
    }
  }

  // Four digits from 1900 to 2099.
  void MatchYears() {
    const std::string_view p = input_.password;
    for (std::size_t begin = 0; begin + 4 <= p.size(); ++begin) {
      const std::string_view token = p.substr(begin, 4);
      if (!std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; }))
        continue;
      const int year = std::stoi(std::string(token));
      if (year < 1900 || year > 2099) continue;
      const int space = std::max(std::abs(year - input_.referenceYear), kLeastYearSpace);
      matches_.push_back({begin, begin + 4, std::log10(static_cast<double>(space))});
    }
  }

  const WordGuessInput& input_;
  const WordLists& lists_;
  std::string folded_;
  std::vector<std::string> userWords_;
  std::vector<Match> matches_;
};

// The cheapest cover of the password by l matches and character-by-character stretches
// between them (10 guesses a character), then zxcvbn's total: l! times the product of the
// matches' guesses, plus 10^4 for each match after the first.
double CheapestSequence(std::size_t n, const std::vector<Match>& matches) {
  // best[l][k][last]: the log10 product of l matches covering the first k characters, the
  // last of them a stretch (last = 1) or a match (last = 0).
  std::vector<std::array<std::array<double, 2>, kMostMatches + 1>> best(n + 1);
  for (auto& counts : best)
    for (auto& pair : counts) pair = {kInfinite, kInfinite};
  std::vector<std::vector<const Match*>> endingAt(n + 1);
  for (const Match& match : matches) endingAt[match.end].push_back(&match);

  for (std::size_t end = 1; end <= n; ++end) {
    for (int l = 1; l <= kMostMatches; ++l) {
      double& viaMatch = best[end][l][0];
      for (const Match* match : endingAt[end]) {
        const double before = match->begin == 0 ? (l == 1 ? 0.0 : kInfinite)
                                                : std::min(best[match->begin][l - 1][0],
                                                           best[match->begin][l - 1][1]);
        viaMatch = std::min(viaMatch, before + match->log10Guesses);
      }
      // A stretch always follows a match: two stretches side by side are one stretch.
      double& viaStretch = best[end][l][1];
      if (l == 1) viaStretch = static_cast<double>(end);
      for (std::size_t begin = 1; begin < end && l > 1; ++begin)
        viaStretch = std::min(viaStretch, best[begin][l - 1][0] + static_cast<double>(end - begin));
    }
  }
  double total = kInfinite;
  for (int l = 1; l <= kMostMatches; ++l) {
    const double product = std::min(best[n][l][0], best[n][l][1]);
    if (product == kInfinite) continue;
    const double orderings = std::lgamma(l + 1.0) / std::log(10.0);
    total = std::min(total, Log10Sum(orderings + product, kLog10PerExtraMatch * (l - 1)));
  }
  return total;
}

}  // namespace

double WordGuessesLog10(const WordGuessInput& input, const WordLists& lists) {
  if (input.password.empty()) return 0.0;
  Matcher matcher(input, lists);
  return CheapestSequence(input.password.size(), matcher.Matches());
}

}  // namespace bv
