#include <gtest/gtest.h>

#include <string>

#include "config/Cp1252.h"

namespace bv {
namespace {

TEST(Cp1252, EveryByteSurvivesTheTripThroughUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const auto back = Utf8ToCp1252(Cp1252ToUtf8(all));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, all);
}

TEST(Cp1252, KnownCharacters) {
  struct Case {
    std::string cp1252;
    std::string utf8;
  };
  const Case cases[] = {
      {"Espa\xF1ol", "Español"},
      {"\x80 5", "€ 5"},
      {"\x93quoted\x94", "“quoted”"},
      {"\x8A\x9A\x9F", "ŠšŸ"},
      {"\x81", "\xC2\x81"},  // a byte without a character is kept as the C1 control
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cp1252ToUtf8(c.cp1252), c.utf8);
    EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252);
  }
}

TEST(Cp1252, RefusesWhatHasNoFormOrIsNotUtf8) {
  const char* refused[] = {
      "中文",          // no Windows-1252 form
      "emoji 😀",      // outside the BMP
      "\xC3",         // truncated sequence
      "\xC0\xAF",     // overlong
      "\xED\xA0\x80", // surrogate
      "\xFF",         // not UTF-8 at all
  };
  for (const char* text : refused) EXPECT_FALSE(Utf8ToCp1252(text).has_value()) << text;
}

}  // namespace
}  // namespace bv
