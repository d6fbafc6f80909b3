#pragma once
// Windows-1252, the code page of every stored and shown text.
// The five bytes without a character (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the
// C1 controls of the same value both ways, so that no byte of a stored text is lost.

#include <optional>
#include <string>
#include <string_view>

namespace bv {

[[nodiscard]] char32_t Cp1252ToUnicode(unsigned char byte);
[[nodiscard]] std::optional<unsigned char> UnicodeToCp1252(char32_t codePoint);

[[nodiscard]] std::string Cp1252ToUtf8(std::string_view bytes);
// Empty when the text is not valid UTF-8 or holds a character without a Windows-1252 form.
[[nodiscard]] std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

// Text of the C library (messages of strerror and the like) in the given character set,
// as Windows-1252; a character without a Windows-1252 form becomes the nearest one iconv
// knows, or "?". Bytes that are not valid in the character set are dropped.
[[nodiscard]] std::string LocaleTextToCp1252(std::string_view text, const char* codeset);

// strerror(error) in the locale's character set, converted once to Windows-1252.
[[nodiscard]] std::string SystemErrorText(int error);

}  // namespace bv
