#include "crypto/StringFormat.h"

#include <algorithm>
#include <cstring>

#include "crypto/Exceptions.h"

namespace bv {

namespace {

constexpr char kUUTable[] =
    "`!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_"
    " \t\n\r";
constexpr char kXXTable[] =
    "+-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
    " \"()[]'\t\n\r";

}  // namespace

// ---- copy format ----

const TStringFormat* TStringFormat::Class() {
  static const TStringFormat instance;
  return &instance;
}

std::string TStringFormat::TextToBinary(std::string_view text) const { return std::string(text); }

std::string TStringFormat::BinaryToText(std::string_view bytes) const { return std::string(bytes); }

std::string TStringFormat::FormatName() const {
  const std::string_view name = ClassName();
  if (name == "TStringFormat") return "copy Input to Output";
  const auto underscore = name.find('_');
  return std::string(underscore == std::string_view::npos ? name : name.substr(underscore + 1));
}

bool TStringFormat::IsValidInput(std::string_view, bool) const { return true; }

// ---- UU coding ----

const TStringFormat_UU* TStringFormat_UU::Class() {
  static const TStringFormat_UU instance(kUUTable);
  return &instance;
}

TStringFormat_UU::TStringFormat_UU(std::string_view table) : table_(table) {
  position_.fill(kNotInTable);
  for (std::size_t i = table_.size(); i-- > 0;) {
    position_[static_cast<unsigned char>(table_[i])] = static_cast<std::int16_t>(i);
  }
}

std::string TStringFormat_UU::BinaryToText(std::string_view bytes) const {
  const std::size_t n = bytes.size();
  if (n == 0) return {};
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  std::string text((n + kMaxLineBytes - 1) / kMaxLineBytes + 4 * ((n + 2) / 3), '\0');
  char* out = text.data();
  for (std::size_t start = 0; start < n; start += kMaxLineBytes) {
    const std::size_t count = std::min<std::size_t>(kMaxLineBytes, n - start);
    *out++ = table_[count];
    for (std::size_t i = start; i < start + count; i += 3) {
      const std::size_t end = start + count;
      const std::uint32_t group = std::uint32_t{in[i]} << 16 |
                                  (i + 1 < end ? std::uint32_t{in[i + 1]} << 8 : 0) |
                                  (i + 2 < end ? std::uint32_t{in[i + 2]} : 0);
      *out++ = table_[(group >> 18) & 63];
      *out++ = table_[(group >> 12) & 63];
      *out++ = table_[(group >> 6) & 63];
      *out++ = table_[group & 63];
    }
  }
  return text;
}

bool TStringFormat_UU::IsValidInput(std::string_view data, bool toBinary) const {
  if (!toBinary) return true;
  int expected = 0;  // characters still due in the current line
  for (const char ch : data) {
    const int p = position_[static_cast<unsigned char>(ch)];
    if (p == kNotInTable) return false;
    if (expected == 0) {
      if (p > kMaxLineBytes) return false;
      expected = (4 * p + 2) / 3;
    } else if (p < kAlphabetSize) {
      --expected;
    }
  }
  return expected == 0;
}

std::string TStringFormat_UU::TextToBinary(std::string_view text) const {
  std::string bytes;
  bytes.reserve(text.size() / 4 * 3 + kMaxLineBytes);
  std::size_t at = 0;
  // The value of the next alphabet character from at on, skipping extras; -1 at the end.
  const auto nextValue = [&]() -> int {
    while (at < text.size()) {
      const int p = position_[static_cast<unsigned char>(text[at++])];
      if (p != kNotInTable && p < kAlphabetSize) return p;
    }
    return -1;
  };
  while (at < text.size()) {
    int count = position_[static_cast<unsigned char>(text[at])];
    if (count == kNotInTable || count > kMaxLineBytes) throw InvalidFormatInput(FormatName());
    ++at;
    for (; count > 0; count -= 3) {
      // Characters missing at the end of the text count as zero bits.
      std::uint32_t group = 0;
      for (int i = 0; i < 4; ++i)
        group = group << 6 | static_cast<std::uint32_t>(std::max(nextValue(), 0));
      const char three[3] = {static_cast<char>(group >> 16), static_cast<char>(group >> 8),
                             static_cast<char>(group)};
      bytes.append(three, static_cast<std::size_t>(std::min(count, 3)));
    }
  }
  return bytes;
}

// ---- XX coding ----

const TStringFormat_XX* TStringFormat_XX::Class() {
  static const TStringFormat_XX instance;
  return &instance;
}

TStringFormat_XX::TStringFormat_XX() : TStringFormat_UU(kXXTable) {}

}  // namespace bv
