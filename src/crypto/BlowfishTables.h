#pragma once
// The published initial tables of Blowfish (Schneier, 1993): the hexadecimal digits of pi.

#include <cstdint>

namespace bv::blowfish {

extern const std::uint32_t kInitialP[18];
extern const std::uint32_t kInitialS[4][256];

}  // namespace bv::blowfish
