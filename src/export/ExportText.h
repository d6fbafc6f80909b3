#pragma once
// Profile texts as other programs read them. The profile holds Windows-1252 bytes with CR LF
// line ends; exports write UTF-8 (the five bytes without a Windows-1252 character as the C1
// controls of the same value, so no byte is lost) and end every line with one LF: CR LF, a
// lone CR and a lone LF each become LF.

#include <string>
#include <string_view>

#include "config/Cp1252.h"

namespace bv {

// Calls visit(char32_t) for every character of the exported form of a Windows-1252 text.
template <class Visit>
void ForEachExportCharacter(std::string_view cp1252, Visit&& visit) {
  for (std::size_t i = 0; i < cp1252.size(); ++i) {
    const auto byte = static_cast<unsigned char>(cp1252[i]);
    if (byte == '\r') {
      if (i + 1 < cp1252.size() && cp1252[i + 1] == '\n') ++i;
      visit(U'\n');
    } else {
      visit(Cp1252ToUnicode(byte));
    }
  }
}

// Appends c as UTF-8 (c below 0x110000).
template <class Out>
void AppendUtf8(Out& out, char32_t c) {
  using Byte = typename Out::value_type;
  if (c < 0x80) {
    out.push_back(static_cast<Byte>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<Byte>(0xC0 | (c >> 6)));
    out.push_back(static_cast<Byte>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<Byte>(0xE0 | (c >> 12)));
    out.push_back(static_cast<Byte>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<Byte>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<Byte>(0xF0 | (c >> 18)));
    out.push_back(static_cast<Byte>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<Byte>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<Byte>(0x80 | (c & 0x3F)));
  }
}

}  // namespace bv
