#include <gtest/gtest.h>

#include <string>

#include "Oracle.h"
#include "crypto/Exceptions.h"
#include "crypto/FieldCipher.h"
#include "crypto/FormatRegistry.h"

namespace bv {
namespace {

std::string ToXX(std::string_view bytes) { return EncodeToFormat(bytes, kFormatIdXX); }
std::string FromXX(std::string_view text) { return DecodeFromFormat(text, kFormatIdXX); }

template <class Call>
std::string FailureOf(Call call) {
  try {
    call();
  } catch (const EStringFormat& e) {
    return e.what();
  }
  return "no failure";
}

TEST(StringFormatTest, XXExamples) {
  EXPECT_EQ(ToXX("abc"), "1MK7X");
  EXPECT_EQ(FromXX("1MK7X"), "abc");
  const std::string one = ToXX("a"), two = ToXX("ab");
  EXPECT_EQ(one.size(), 5u);
  EXPECT_EQ(one.substr(3), "++");
  EXPECT_EQ(two.size(), 5u);
  EXPECT_EQ(two.substr(4), "+");
  EXPECT_NE(two[3], '+');

  const std::string line45 = ToXX(std::string(45, 'z'));
  EXPECT_EQ(line45.size(), 61u);
  EXPECT_EQ(line45[0], 'h');
  const std::string line46 = ToXX(std::string(46, 'z'));
  EXPECT_EQ(line46.size(), 66u);
  EXPECT_EQ(line46.substr(0, 61), line45);
  EXPECT_EQ(line46[61], '-');
}

TEST(StringFormatTest, LengthRuleAndRoundTrips) {
  test::RandomBytes random(9);
  for (std::size_t n = 0; n <= 600; ++n) {
    const std::string bytes = random.Make(n);
    const std::string xx = ToXX(bytes), uu = EncodeToFormat(bytes, kFormatIdUU);
    ASSERT_EQ(xx.size(), EncipheredLength(n)) << n;
    ASSERT_EQ(uu.size(), EncipheredLength(n)) << n;
    ASSERT_EQ(FromXX(xx), bytes) << n;
    ASSERT_EQ(DecodeFromFormat(uu, kFormatIdUU), bytes) << n;
    ASSERT_EQ(xx.find_first_not_of(TStringFormat_XX::Class()->Alphabet().substr(0, 64)),
              std::string::npos);
  }
  const std::size_t lengths[][2] = {{0, 0},   {1, 5},   {2, 5},   {3, 5},  {4, 9},
                                    {16, 25}, {17, 25}, {45, 61}, {46, 66}};
  for (const auto& [n, length] : lengths) EXPECT_EQ(EncipheredLength(n), length) << n;
}

TEST(StringFormatTest, Tables) {
  const std::string_view uu = TStringFormat_UU::Class()->Alphabet();
  ASSERT_EQ(uu.size(), 68u);
  EXPECT_EQ(uu[0], '`');
  for (int v = 1; v < 64; ++v) EXPECT_EQ(uu[v], static_cast<char>(32 + v));
  EXPECT_EQ(uu.substr(64), " \t\n\r");
  EXPECT_EQ(TStringFormat_XX::Class()->Alphabet(),
            "+-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz \"()[]'\t\n\r");
  EXPECT_EQ(EncodeToFormat("abc", kFormatIdUU), "#86)C");
}

TEST(StringFormatTest, NamesAndIdentifiers) {
  EXPECT_EQ(TStringFormat::Class()->FormatName(), "copy Input to Output");
  EXPECT_EQ(TStringFormat_UU::Class()->FormatName(), "UU Coding");
  EXPECT_EQ(TStringFormat_XX::Class()->FormatName(), "XX Coding");
  EXPECT_EQ(TStringFormat::Class()->FormatId(), 1);
  EXPECT_EQ(TStringFormat_UU::Class()->FormatId(), 21845);
  EXPECT_EQ(TStringFormat_XX::Class()->FormatId(), 22616);
  EXPECT_EQ(FindFormat(1), TStringFormat::Class());
  EXPECT_EQ(FindFormat(0x5555), TStringFormat_UU::Class());
  EXPECT_EQ(FindFormat(0x5858), TStringFormat_XX::Class());
  EXPECT_EQ(FindFormat(7), nullptr);
  const std::string binary("a\0\xFF", 3);
  EXPECT_EQ(EncodeToFormat(binary, kFormatIdCopy), binary);
  EXPECT_EQ(DecodeFromFormat(binary, kFormatIdCopy), binary);
}

TEST(StringFormatTest, ExtraCharactersCountOnlyInsideLines) {
  const struct {
    const char* text;
    const char* decoded;  // null: rejected
  } cases[] = {
      {"1MK 7X", "abc"},
      {"1M\tK7\r\nX", "abc"},
      {"1M\"K(7)X", "abc"},
      {"1[M]K'7X", "abc"},
      {" 1MK7X", nullptr},       // a line is due to start
      {"1MK7X\r\n", nullptr},    // likewise after the last line
      {"1MK7X1MK7X", "abcabc"},  // lines follow without separators
      {"1MK7!", nullptr},        // not in the table
      {"1MK7{", nullptr},
      {"1MK7", nullptr},   // last line short of its count
      {"hAAAA", nullptr},  // 45 bytes announced, 1 given
      {"iAAAA", nullptr},  // a count above 45
      {"+", ""},           // a line of no bytes
      {"-AB", "\x30"},     // ends inside a group: missing characters are zero bits
  };
  for (const auto& c : cases) {
    if (c.decoded == nullptr) {
      EXPECT_EQ(FailureOf([&] { FromXX(c.text); }), "Input is not an valid XX Coding Format.")
          << c.text;
    } else {
      EXPECT_EQ(FromXX(c.text), c.decoded) << c.text;
    }
  }
  // UU tolerates only white space.
  EXPECT_EQ(DecodeFromFormat("#86 )C", kFormatIdUU), "abc");
  EXPECT_EQ(FailureOf([] { DecodeFromFormat("#86{)C", kFormatIdUU); }),
            "Input is not an valid UU Coding Format.");
}

TEST(StringFormatTest, EntryPointsForEmptyAndRawInput) {
  EXPECT_EQ(EncodeToFormat("", kFormatIdXX), "");
  EXPECT_EQ(EncodeToFormat("abc", 0), "");
  EXPECT_EQ(DecodeFromFormat("not even XX", 0), "");
  EXPECT_EQ(EncodeToFormat(nullptr, 5, kFormatIdXX), "");
  EXPECT_EQ(DecodeFromFormat(nullptr, -1, kFormatIdXX), "");
  const char raw[] = "abc\0def";
  EXPECT_EQ(EncodeToFormat(raw, -1, kFormatIdXX), "1MK7X");  // up to the first zero byte
  EXPECT_EQ(EncodeToFormat(raw, 2, kFormatIdXX), ToXX("ab"));
  EXPECT_EQ(DecodeFromFormat("1MK7Xjunk", 5, kFormatIdXX), "abc");
}

// A text that may or may not be valid: an encoding as written, then perhaps with a character
// changed (to one of the alphabet, an extra or one outside the table), added or taken away.
std::string Mutated(test::RandomBytes& random, const TStringFormat_UU& format) {
  const std::string_view table = format.Alphabet();
  const std::string outside = "!{~\x7f\xFF";
  const auto anyChar = [&] {
    const std::size_t pick = random.Below(table.size() + outside.size() + 20);
    if (pick < table.size()) return table[pick];
    if (pick < table.size() + outside.size()) return outside[pick - table.size()];
    return table[0];  // the value 0 (padding and empty lines) often
  };
  std::string text = format.BinaryToText(random.Make(random.Below(140)));
  for (std::size_t changes = random.Below(4); changes > 0 && !text.empty(); --changes) {
    const std::size_t at = random.Below(text.size());
    switch (random.Below(4)) {
      case 0: text[at] = anyChar(); break;
      case 1: text.insert(at, 1, anyChar()); break;
      case 2: text.erase(at, 1); break;
      default: text.resize(at); break;
    }
  }
  return text;
}

// The one-pass decoding that AppendBinary uses for text as it is written must agree with
// the checked decoding (IsValidInput, then TextToBinary) on any text, valid or not.
TEST(StringFormatTest, AppendBinaryAgreesWithTheCheckedDecoding) {
  test::RandomBytes random(14);
  for (const TStringFormat_UU* format :
       {static_cast<const TStringFormat_UU*>(TStringFormat_XX::Class()),
        TStringFormat_UU::Class()}) {
    SCOPED_TRACE(format->FormatName());
    int accepted = 0;
    for (int i = 0; i < 6000; ++i) {
      const std::string text = Mutated(random, *format);
      std::string expected;
      const bool valid = format->IsValidInput(text, true) && [&] {
        try {
          expected = format->TextToBinary(text);
          return true;
        } catch (const EStringFormat&) {
          return false;
        }
      }();
      std::string bytes = "kept";
      ASSERT_EQ(format->AppendBinary(text, bytes), valid) << test::Hex(text);
      ASSERT_EQ(bytes.substr(0, 4), "kept");
      if (valid) {
        ASSERT_EQ(test::Hex(bytes.substr(4)), test::Hex(expected)) << text;
      }
      accepted += valid;
    }
    // Both kinds of text were tried.
    EXPECT_GT(accepted, 1500);
    EXPECT_LT(accepted, 4500);
  }
}

TEST(StringFormatTest, AssignTextReusesAString) {
  std::string text(300, '#');
  TStringFormat_XX::Class()->AssignText("abc", text);
  EXPECT_EQ(text, "1MK7X");
  TStringFormat_XX::Class()->AssignText("", text);
  EXPECT_EQ(text, "");
}

TEST(StringFormatTest, UnknownIdentifierIsNamed) {
  EXPECT_EQ(FailureOf([] { EncodeToFormat("abc", 1234); }), "String Format \"1234\" not exists.");
  EXPECT_EQ(FailureOf([] { DecodeFromFormat("abc", -7); }), "String Format \"-7\" not exists.");
}

// A format of our own: named after its class, refusing to encode.
class TStringFormat_Picky : public TStringFormat {
 public:
  static const TStringFormat_Picky* Class() {
    static const TStringFormat_Picky instance;
    return &instance;
  }
  const char* ClassName() const override { return "TStringFormat_Picky"; }
  std::int32_t FormatId() const override { return id; }
  bool IsValidInput(std::string_view, bool toBinary) const override { return toBinary; }
  std::int32_t id = 0x5858;
};

class Unregistered : public TStringFormat {
 public:
  std::int32_t FormatId() const override { return -1; }
};

TEST(StringFormatTest, RegisteringAnIdentifierAgainReplacesTheClass) {
  RegisterFormats({nullptr, TStringFormat_Picky::Class()});
  EXPECT_EQ(FindFormat(kFormatIdXX), TStringFormat_Picky::Class());
  EXPECT_EQ(TStringFormat_Picky::Class()->FormatName(), "Picky");
  EXPECT_EQ(FailureOf([] { EncodeToFormat("abc", kFormatIdXX); }),
            "Input can not be convert to Picky Format.");
  EXPECT_EQ(DecodeFromFormat("1MK7X", kFormatIdXX), "1MK7X");

  const Unregistered skipped;
  RegisterFormats({&skipped});
  EXPECT_EQ(FindFormat(-1), nullptr);

  RegisterStandardFormats();
  EXPECT_EQ(FindFormat(kFormatIdXX), TStringFormat_XX::Class());
  EXPECT_EQ(ToXX("abc"), "1MK7X");
}

}  // namespace
}  // namespace bv
