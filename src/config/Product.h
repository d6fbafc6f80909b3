#pragma once
// The product's name and web address, shown on the detail view's pages, in the banner of
// the printout and the text export, in the about box, and opened by the Help menu's "Sitio
// web". The name is also the main window's caption (followed by " - [title]" while a profile
// is open) and the title of the message boxes. One place, so that they never disagree.

#include <string_view>

namespace bv {

inline constexpr std::string_view kProductName = "Brindlevault 3.5";
inline constexpr std::string_view kProductWebAddress = "https://www.brindlevault.org";

}  // namespace bv
