#pragma once
// Text formats: classes that turn bytes into printable text and back. Every operation is
// class-level, so each class is represented by one constant instance (Class()); a format
// class is passed around as a StringFormatClass pointer to it.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace bv {

inline constexpr std::int32_t kFormatIdCopy = 1;
inline constexpr std::int32_t kFormatIdUU = 0x5555;  // 21845
inline constexpr std::int32_t kFormatIdXX = 0x5858;  // 22616, the format of enciphered fields

// The copy format: both directions return the input unchanged.
class TStringFormat {
 public:
  virtual ~TStringFormat() = default;
  static const TStringFormat* Class();

  virtual const char* ClassName() const { return "TStringFormat"; }
  virtual std::string TextToBinary(std::string_view text) const;
  virtual std::string BinaryToText(std::string_view bytes) const;
  // Without a name of its own, a class is named by its class name after the first "_".
  virtual std::string FormatName() const;
  virtual std::int32_t FormatId() const { return kFormatIdCopy; }
  [[nodiscard]] virtual bool IsValidInput(std::string_view data, bool toBinary) const;

 protected:
  TStringFormat() = default;
};

using StringFormatClass = const TStringFormat*;

// UU coding: lines of up to 45 bytes, each a length character and 4 characters per 3 bytes.
class TStringFormat_UU : public TStringFormat {
 public:
  static const TStringFormat_UU* Class();

  const char* ClassName() const override { return "TStringFormat_UU"; }
  std::string TextToBinary(std::string_view text) const override;
  std::string BinaryToText(std::string_view bytes) const override;
  std::string FormatName() const override { return "UU Coding"; }
  std::int32_t FormatId() const override { return kFormatIdUU; }
  [[nodiscard]] bool IsValidInput(std::string_view data, bool toBinary) const override;
  // 64 alphabet characters (position = 6-bit value), then the extra characters that are
  // tolerated inside lines and carry no value.
  std::string_view Alphabet() const { return table_; }

  // For callers that convert many short texts and reuse their strings' storage:
  // BinaryToText into text, and the checked decoding (IsValidInput, then TextToBinary)
  // appended to bytes. AppendBinary returns false where the checked decoding fails; bytes
  // then holds an unspecified tail beyond its old size.
  void AssignText(std::string_view bytes, std::string& text) const;
  [[nodiscard]] bool AppendBinary(std::string_view text, std::string& bytes) const;

 protected:
  explicit TStringFormat_UU(std::string_view table);

 private:
  static constexpr int kAlphabetSize = 64;
  static constexpr int kMaxLineBytes = 45;
  static constexpr std::int16_t kNotInTable = -1;

  // TextToBinary appending to bytes; false for a line count above 45 or not in the table.
  [[nodiscard]] bool DecodeLines(std::string_view text, std::string& bytes) const;
  // AppendBinary for text shaped as AssignText writes it; false (bytes as they were) for
  // any other text.
  [[nodiscard]] bool AppendWholeLines(std::string_view text, std::string& bytes) const;

  std::string_view table_;
  std::array<std::int16_t, 256> position_{};  // of each character in table_, or kNotInTable
};

// XX coding: UU coding with an alphabet that survives any mail gateway.
class TStringFormat_XX : public TStringFormat_UU {
 public:
  static const TStringFormat_XX* Class();

  const char* ClassName() const override { return "TStringFormat_XX"; }
  std::string FormatName() const override { return "XX Coding"; }
  std::int32_t FormatId() const override { return kFormatIdXX; }

 private:
  TStringFormat_XX();
};

}  // namespace bv
