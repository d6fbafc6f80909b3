#pragma once
// Windows-1252, the code page of every stored and shown text.
// The five bytes without a character (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the
// C1 controls of the same value both ways, so that no byte of a stored text is lost.

#include <optional>
#include <string>
#include <string_view>

namespace bv {

char32_t Cp1252ToUnicode(unsigned char byte);
std::optional<unsigned char> UnicodeToCp1252(char32_t codePoint);

std::string Cp1252ToUtf8(std::string_view bytes);
// Empty when the text is not valid UTF-8 or holds a character without a Windows-1252 form.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

}  // namespace bv
