#pragma once
// The registry of text formats: format identifier -> format class. It is filled with the
// start-up list (copy, UU, XX) the first time it is used, so a lookup never misses a
// standard format, whatever the order of start-up.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "crypto/StringFormat.h"

namespace bv {

// For each class in order, skipping null classes and identifier -1: a class whose identifier
// is registered already takes the earlier class's place in the list; others are appended.
void RegisterFormats(std::initializer_list<StringFormatClass> classes);
// Registers TStringFormat, TStringFormat_UU and TStringFormat_XX, in this order.
void RegisterStandardFormats();
// The first registered class with this identifier, or null.
StringFormatClass FindFormat(std::int32_t formatId);

// The checked conversions. Empty input or identifier 0 give the empty text. Throw
// EStringFormat for an unknown identifier or input the format refuses.
std::string EncodeToFormat(std::string_view bytes, std::int32_t formatId);
std::string DecodeFromFormat(std::string_view text, std::int32_t formatId);
// The same over raw memory: null data gives the empty text, a negative length means up to
// the first zero byte.
std::string EncodeToFormat(const void* data, std::ptrdiff_t length, std::int32_t formatId);
std::string DecodeFromFormat(const void* data, std::ptrdiff_t length, std::int32_t formatId);

}  // namespace bv
