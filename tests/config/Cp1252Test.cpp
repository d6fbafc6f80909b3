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
      "emoji 😀",       // outside the BMP
      "\xC3",          // truncated sequence
      "\xC0\xAF",      // overlong
      "\xED\xA0\x80",  // surrogate
      "\xFF",          // not UTF-8 at all
  };
  for (const char* text : refused) EXPECT_FALSE(Utf8ToCp1252(text).has_value()) << text;
}

// Messages of the C library arrive in the locale's character set and are shown as
// Windows-1252 text.
TEST(Cp1252, LocaleTextIsConvertedOnce) {
  EXPECT_EQ(LocaleTextToCp1252("Sistema de ficheros de s\xC3\xB3lo lectura", "UTF-8"),
            "Sistema de ficheros de s\xF3lo lectura");
  EXPECT_EQ(LocaleTextToCp1252("acci\xF3n", "ISO-8859-1"), "acci\xF3n");
  EXPECT_EQ(LocaleTextToCp1252("No such file", "ANSI_X3.4-1968"), "No such file");
  EXPECT_EQ(LocaleTextToCp1252("\xE2\x82\xAC \xE4\xB8\xAD", "UTF-8").substr(0, 2), "\x80 ");
  EXPECT_EQ(LocaleTextToCp1252("caf\xC3\xA9", "no-such-charset"), "caf??");
}

}  // namespace
}  // namespace bv
