#pragma once
// The detail view's numbered text styles. Styles 4 and 5 are the link styles.

#include <cstdint>

namespace bv {

enum class StyleFont {
  Verdana,
  Arial,
  TimesNewRoman
};
// WindowText follows the desktop's window text colour; the others are fixed.
enum class StyleColour {
  Black,
  Red,
  Blue,
  Maroon,
  WindowText,
  Silver
};

struct TextStyle {
  StyleFont font;
  int points;
  StyleColour colour;
  bool bold;
  bool italic;
};

inline constexpr TextStyle kTextStyles[] = {
    {StyleFont::Verdana, 8, StyleColour::Black, false, false},         // 0 unused
    {StyleFont::Verdana, 10, StyleColour::Red, false, false},          // 1 spacer
    {StyleFont::Arial, 12, StyleColour::Blue, true, true},             // 2 unused
    {StyleFont::TimesNewRoman, 12, StyleColour::Maroon, false, true},  // 3 unused
    {StyleFont::Verdana, 8, StyleColour::Blue, false, false},          // 4 address link
    {StyleFont::Verdana, 8, StyleColour::Black, false, false},         // 5 command link
    {StyleFont::Verdana, 10, StyleColour::WindowText, false, false},   // 6 heading label
    {StyleFont::Verdana, 10, StyleColour::WindowText, true, false},    // 7 name, row label
    {StyleFont::Verdana, 8, StyleColour::WindowText, false, false},    // 8 row value
    {StyleFont::Verdana, 8, StyleColour::WindowText, true, false},     // 9 section heading
    {StyleFont::Verdana, 14, StyleColour::WindowText, false, false},   // 10 centred title
    {StyleFont::Verdana, 10, StyleColour::WindowText, false, false},   // 11 summary value
    {StyleFont::Verdana, 10, StyleColour::WindowText, false, false},   // 12 summary label
    {StyleFont::Verdana, 10, StyleColour::WindowText, true, false},    // 13 centred subtitle
    {StyleFont::Verdana, 8, StyleColour::WindowText, true, false},     // 14 product line
    {StyleFont::Verdana, 8, StyleColour::WindowText, false, false},    // 15 notice line
    {StyleFont::Verdana, 8, StyleColour::Silver, false, false},        // 16 hidden value
};
inline constexpr int kTextStyleCount = sizeof kTextStyles / sizeof kTextStyles[0];
static_assert(kTextStyleCount == 17);

namespace style {
inline constexpr int Spacer = 1;
inline constexpr int AddressLink = 4;
inline constexpr int CommandLink = 5;
inline constexpr int HeadingLabel = 6;
inline constexpr int Name = 7;
inline constexpr int Value = 8;
inline constexpr int Section = 9;
inline constexpr int Title = 10;
inline constexpr int SummaryValue = 11;
inline constexpr int SummaryLabel = 12;
inline constexpr int Subtitle = 13;
inline constexpr int Product = 14;
inline constexpr int Notice = 15;
inline constexpr int Hidden = 16;
}  // namespace style

[[nodiscard]] constexpr bool IsLinkStyle(int s) {
  return s == style::AddressLink || s == style::CommandLink;
}

// RGB of the fixed colours (0xRRGGBB); WindowText has none.
constexpr std::uint32_t FixedColourRgb(StyleColour c) {
  switch (c) {
    case StyleColour::Red: return 0xFF0000;
    case StyleColour::Blue: return 0x0000FF;
    case StyleColour::Maroon: return 0x800000;
    case StyleColour::Silver: return 0xC0C0C0;
    case StyleColour::Black:
    case StyleColour::WindowText: break;
  }
  return 0x000000;
}

}  // namespace bv
