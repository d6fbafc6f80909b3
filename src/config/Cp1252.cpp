#include "config/Cp1252.h"

#include <iconv.h>
#include <langinfo.h>

#include <array>
#include <cerrno>
#include <cstring>

namespace bv {
namespace {

// 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes one UTF-8 sequence at text[i]; advances i. Empty on a malformed sequence.
std::optional<char32_t> NextCodePoint(std::string_view text, size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  int extra = 0;
  char32_t c = 0;
  if (lead < 0x80) {
    ++i;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    c = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    c = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    c = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (i + static_cast<size_t>(extra) >= text.size()) return std::nullopt;
  for (int k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(text[i + k]);
    if ((b & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (b & 0x3F);
  }
  static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
  if (c < kMinimum[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  i += static_cast<size_t>(extra) + 1;
  return c;
}

}  // namespace

char32_t Cp1252ToUnicode(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

std::optional<unsigned char> UnicodeToCp1252(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
    return static_cast<unsigned char>(codePoint);
  for (size_t k = 0; k < kHighControls.size(); ++k)
    if (kHighControls[k] == codePoint) return static_cast<unsigned char>(0x80 + k);
  return std::nullopt;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (char b : bytes) AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(b)));
  return out;
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const auto c = NextCodePoint(utf8, i);
    if (!c) return std::nullopt;
    const auto b = UnicodeToCp1252(*c);
    if (!b) return std::nullopt;
    out += static_cast<char>(*b);
  }
  return out;
}

std::string LocaleTextToCp1252(std::string_view text, const char* codeset) {
  iconv_t cd = ::iconv_open("CP1252//TRANSLIT", codeset);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    // An unknown character set: keep what is plain ASCII.
    std::string ascii;
    for (char c : text) ascii += (static_cast<unsigned char>(c) < 0x80) ? c : '?';
    return ascii;
  }
  std::string in(text), out;
  char* from = in.data();
  std::size_t left = in.size();
  char buffer[256];
  while (left > 0) {
    char* to = buffer;
    std::size_t room = sizeof buffer;
    const std::size_t rc = ::iconv(cd, &from, &left, &to, &room);
    out.append(buffer, static_cast<std::size_t>(to - buffer));
    if (rc == static_cast<std::size_t>(-1)) {
      if (errno == E2BIG) continue;
      if (errno == EILSEQ) out += '?';
      // EILSEQ or an incomplete sequence at the end: skip the byte and go on.
      ++from;
      --left;
    }
  }
  ::iconv_close(cd);
  return out;
}

std::string SystemErrorText(int error) {
  char buffer[512];
  // The GNU strerror_r returns the text, which need not be in buffer.
  const char* text = ::strerror_r(error, buffer, sizeof buffer);
  return LocaleTextToCp1252(text, ::nl_langinfo(CODESET));
}

}  // namespace bv
