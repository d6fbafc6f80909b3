#pragma once
// The box of asterisks that heads the printout and the text export of an account.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "config/Product.h"

namespace bv {

inline constexpr std::size_t kBannerWidth = 41;

// Four lines of 41 characters: asterisks; "* ", the product name, blanks and " *"; the web
// address centred between "*" and "*"; asterisks.
std::vector<std::string> BannerLines();

}  // namespace bv
