#pragma once
// A second estimate of the guesses a password needs, made the way zxcvbn makes its own but
// with the dictionaries zxcvbn lacks: the words of the shipped languages (WordLists) and
// the user's own words, matched folded (any case, with or without accents), in the usual
// capitalisations, in l33t ("c0r4z0n") and followed or preceded by years, digits or
// anything else. The password is the cheapest sequence of such matches, runs of one
// character and years, with everything between them guessed character by character.
//
// Characters are Windows-1252 bytes, so an accented letter or € is one character.

#include <string_view>
#include <vector>

namespace bv {

class WordLists;

struct WordGuessInput {
  std::string_view password;                // Windows-1252
  std::vector<std::string_view> userWords;  // Windows-1252; the first ranks best
  int referenceYear = 2026;                 // a year's guesses grow with its distance
};

// log10 of the guesses.
[[nodiscard]] double WordGuessesLog10(const WordGuessInput& input, const WordLists& lists);

}  // namespace bv
