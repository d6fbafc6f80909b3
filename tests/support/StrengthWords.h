#pragma once
// The one table of passwords whose strength the bar, the health report and the command-line
// tool must agree on: words and names of the shipped languages, with and without their
// accents, capitalised, with years and digits, are weak (score 2 or less); random passwords,
// with accented letters too, stay strong. Texts are Windows-1252.

#include <string>
#include <vector>

namespace bv::test {

struct StrengthRow {
  std::string password;
  std::string userName;  // the account's user name, given to the estimate as a known word
  bool weak;
};

inline const std::vector<StrengthRow>& StrengthRows() {
  static const std::vector<StrengthRow> rows = {
      {"Verano2024", "", true},
      {"invierno", "", true},
      {"Barcelona10", "", true},
      {"Espa\xF1"
       "a1982",
       "", true},
      {"cumplea\xF1os", "", true},
      {"coraz\xF3n", "", true},
      {"corazon", "", true},
      {"CORAZ\xD3N", "", true},
      {"contrase\xF1"
       "a1",
       "", true},
      {"soleil2024", "", true},
      {"motdepasse", "", true},
      {"Sommer2024", "", true},
      {"passwort1", "", true},
      {"Stra\xDF"
       "e1999",
       "", true},
      {"ciao2024", "", true},
      {"senha2024", "", true},
      {"c0r4z0n!", "", true},
      {"\x80\x80\x80\x80\x80\x80", "", true},  // six € are as weak as six a
      {"aaaaaa", "", true},
      {"xkwqmvtz1990", "xkwqmvtz", true},  // the user's own name, then a year
      {"xkwqmvtz1990", "", false},
      {"\xF1\xC1\xE9"
       "9xQ\x80\xFC"
       "7Z\xE7\xE0"
       "3Bk\xDF\xF8p2m",
       "", false},
      {"Gr\xFC\xDF"
       "-7\xE9vQ\xF1"
       "a2!\xD3zK\xE0w9\x80Lm",
       "", false},
      {"kQ7#vL2@xM9$tR4&wP1!", "", false},
      {"s8Fq!2ZpLw0^rT6yBn3%", "", false},
  };
  return rows;
}

}  // namespace bv::test
