#pragma once
// The printout of one account, composed as paragraphs with their formatting, so that the
// printing code only has to render them: the banner in green, centred, in a fixed-width
// font; the title (message 71) in blue, bold, underlined, centred; then every field's label
// in black, bold and underlined above a line holding a space and the value.

#include <cstdint>
#include <string>
#include <vector>

#include "profile/NodeData.h"

namespace bv {

enum class PrintFont {
  Fixed,
  Verdana
};  // Fixed: the buffer's Lucida Console, 10 points

struct PrintStyle {
  PrintFont font = PrintFont::Fixed;
  std::uint32_t rgb = 0x000000;  // 0xRRGGBB
  bool bold = false;
  bool underline = false;
  bool centred = false;
  int firstLineIndentPt = 0;

  bool operator==(const PrintStyle&) const = default;
};

struct PrintParagraph {
  std::string text;  // Windows-1252
  PrintStyle style;
};

struct PrintLayout {
  std::string documentTitle;  // the account's name, shown in the print queue
  std::vector<PrintParagraph> paragraphs;
};

inline constexpr std::uint32_t kBannerColour = 0x008000;
inline constexpr std::uint32_t kTitleColour = 0x0000FF;
inline constexpr int kFieldIndentPt = 30;

PrintLayout ComposeAccountPrint(const TNodeData& account);

}  // namespace bv
