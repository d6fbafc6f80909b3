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
  std::string text;
  AssignText(bytes, text);
  return text;
}

void TStringFormat_UU::AssignText(std::string_view bytes, std::string& text) const {
  const std::size_t n = bytes.size();
  text.resize(n == 0 ? 0 : (n + kMaxLineBytes - 1) / kMaxLineBytes + 4 * ((n + 2) / 3));
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  char* out = text.data();
  const char* const table = table_.data();  // a local copy: the stores below may alias members
  const auto putGroup = [&](std::uint32_t group) {
    out[0] = table[(group >> 18) & 63];
    out[1] = table[(group >> 12) & 63];
    out[2] = table[(group >> 6) & 63];
    out[3] = table[group & 63];
    out += 4;
  };
  for (std::size_t start = 0; start < n; start += kMaxLineBytes) {
    const std::size_t count = std::min<std::size_t>(kMaxLineBytes, n - start);
    const std::size_t end = start + count;
    *out++ = table[count];
    std::size_t i = start;
    for (; i + 3 <= end; i += 3)
      putGroup(std::uint32_t{in[i]} << 16 | std::uint32_t{in[i + 1]} << 8 | in[i + 2]);
    // A last group of one or two bytes is padded with zero bits.
    if (i < end)
      putGroup(std::uint32_t{in[i]} << 16 | (i + 1 < end ? std::uint32_t{in[i + 1]} << 8 : 0));
  }
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
  if (!DecodeLines(text, bytes)) throw InvalidFormatInput(FormatName());
  return bytes;
}

bool TStringFormat_UU::AppendBinary(std::string_view text, std::string& bytes) const {
  return AppendWholeLines(text, bytes) || (IsValidInput(text, true) && DecodeLines(text, bytes));
}

// Text as AssignText writes it decodes in one pass. On such text the two passes agree with
// this one: every line is its count and then whole groups of alphabet characters, which
// TextToBinary reads group by group, and IsValidInput takes the one or two characters that
// pad the last group of a line (value 0) as lines of no bytes.
bool TStringFormat_UU::AppendWholeLines(std::string_view text, std::string& bytes) const {
  const std::size_t start = bytes.size();
  const std::size_t n = text.size();
  // Every 4 characters after a count give at most 3 bytes.
  bytes.resize(start + n / 4 * 3);
  auto* const first = reinterpret_cast<unsigned char*>(bytes.data() + start);
  auto* out = first;
  const auto value = [&](std::size_t at) {
    return position_[static_cast<unsigned char>(text[at])];
  };
  bool whole = true;
  for (std::size_t at = 0; at < n && whole;) {
    const int count = value(at++);
    whole = count >= 0 && count <= kMaxLineBytes &&
            4 * static_cast<std::size_t>((count + 2) / 3) <= n - at;
    for (int left = count; left > 0 && whole; left -= 3, at += 4) {
      const int a = value(at), b = value(at + 1), c = value(at + 2), d = value(at + 3);
      // kNotInTable and the extra characters are the values outside 0..63.
      whole = ((a | b | c | d) & ~(kAlphabetSize - 1)) == 0 &&
              (left >= 3 || (left == 2 && d == 0) || (left == 1 && c == 0 && d == 0));
      const auto group = static_cast<std::uint32_t>(a << 18 | b << 12 | c << 6 | d);
      *out++ = static_cast<unsigned char>(group >> 16);
      if (left >= 2) *out++ = static_cast<unsigned char>(group >> 8);
      if (left >= 3) *out++ = static_cast<unsigned char>(group);
    }
  }
  bytes.resize(whole ? start + static_cast<std::size_t>(out - first) : start);
  return whole;
}

bool TStringFormat_UU::DecodeLines(std::string_view text, std::string& bytes) const {
  std::size_t at = 0;
  // The value of the next alphabet character from at on, skipping extras; 0 at the end.
  const auto nextValue = [&]() -> std::uint32_t {
    while (at < text.size()) {
      const int p = position_[static_cast<unsigned char>(text[at++])];
      if (p != kNotInTable && p < kAlphabetSize) return static_cast<std::uint32_t>(p);
    }
    return 0;
  };
  while (at < text.size()) {
    int count = position_[static_cast<unsigned char>(text[at])];
    if (count == kNotInTable || count > kMaxLineBytes) return false;
    ++at;
    for (; count > 0; count -= 3) {
      // Characters missing at the end of the text count as zero bits.
      std::uint32_t group = 0;
      for (int i = 0; i < 4; ++i) group = group << 6 | nextValue();
      const char three[3] = {static_cast<char>(group >> 16), static_cast<char>(group >> 8),
                             static_cast<char>(group)};
      bytes.append(three, static_cast<std::size_t>(std::min(count, 3)));
    }
  }
  return true;
}

// ---- XX coding ----

const TStringFormat_XX* TStringFormat_XX::Class() {
  static const TStringFormat_XX instance;
  return &instance;
}

TStringFormat_XX::TStringFormat_XX() : TStringFormat_UU(kXXTable) {}

}  // namespace bv
