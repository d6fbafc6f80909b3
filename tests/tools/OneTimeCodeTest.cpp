#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/OneTimeCode.h"

namespace bv {
namespace {

// The keys of RFC 6238's appendix B, in base32.
constexpr const char* kSha1Key = "GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ";
constexpr const char* kSha256Key = "GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQGEZA";
constexpr const char* kSha512Key =
    "GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQGEZDGNBVGY3T"
    "QOJQGEZDGNA";

// oathtool's code for the same key, mode, digits, step and time.
std::string OathtoolCode(const char* algorithm, const std::string& secret, int digits, int period,
                         std::uint64_t time) {
  const std::string command = std::string("oathtool --totp=") + algorithm + " -b -d " +
                              std::to_string(digits) + " -s " + std::to_string(period) + "s -N @" +
                              std::to_string(time) + " '" + secret + "' 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return "(no oathtool)";
  std::array<char, 128> buffer{};
  std::string out;
  while (std::fgets(buffer.data(), buffer.size(), pipe)) out += buffer.data();
  ::pclose(pipe);
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

TEST(OneTimeCode, AgreesWithTheRfcVectorsAndOathtool) {
  ASSERT_EQ(std::system("oathtool --version >/dev/null 2>&1"), 0)
      << "oathtool is missing (scripts/install-deps.sh installs it)";
  struct Case {
    std::string seed;    // as the notes hold it
    const char* mode;    // oathtool's --totp mode
    std::string secret;  // the base32 key oathtool gets
    int digits, period;
    std::uint64_t time;
    const char* rfc;  // RFC 6238's own code, or nothing
  };
  const std::string sha1 = kSha1Key, sha256 = kSha256Key, sha512 = kSha512Key;
  const auto address = [](const std::string& secret, const char* rest) {
    return "otpauth://totp/Example:alice@example.com?secret=" + secret + rest;
  };
  const Case cases[] = {
      {address(sha1, "&digits=8"), "sha1", sha1, 8, 30, 59, "94287082"},
      {address(sha256, "&algorithm=SHA256&digits=8"), "sha256", sha256, 8, 30, 59, "46119246"},
      {address(sha512, "&algorithm=SHA512&digits=8"), "sha512", sha512, 8, 30, 59, "90693936"},
      {address(sha1, "&digits=8"), "sha1", sha1, 8, 30, 1111111109, "07081804"},
      {address(sha256, "&algorithm=sha256&digits=8"), "sha256", sha256, 8, 30, 1111111111,
       "67062674"},
      {address(sha512, "&ALGORITHM=SHA512&DIGITS=8"), "sha512", sha512, 8, 30, 1234567890,
       "93441116"},
      {address(sha1, "&digits=8"), "sha1", sha1, 8, 30, 2000000000, "69279037"},
      {address(sha512, "&algorithm=SHA512&digits=8"), "sha512", sha512, 8, 30, 20000000000,
       "47863826"},
      // six digits (the default), a period of 60 s, times on and beside a period's boundary
      {sha1, "sha1", sha1, 6, 30, 59, "287082"},
      {address(sha256, "&algorithm=SHA256&period=60"), "sha256", sha256, 6, 60, 1199999940,
       nullptr},
      {address(sha256, "&algorithm=SHA256&period=60"), "sha256", sha256, 6, 60, 1199999999,
       nullptr},
      {address(sha512, "&algorithm=SHA512&period=60&digits=7"), "sha512", sha512, 7, 60, 60,
       nullptr},
      {address(sha1, "&period=60"), "sha1", sha1, 6, 60, 59, nullptr},
      // bare secrets: lower case, blanks, no padding, padding kept
      {"jbsw y3dp ehpk 3pxp", "sha1", "JBSWY3DPEHPK3PXP", 6, 30, 1700000000, nullptr},
      {"JBSWY3DPEHPK3PX", "sha1", "JBSWY3DPEHPK3PX", 6, 30, 1700000010, nullptr},
      {"gezdgnbvgy3tqojqgezdgnbvgy3tqojqgeza", "sha1", "GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQGEZA", 6,
       30, 1700000029, nullptr},
      {"GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQGEZA====", "sha1", "GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQGEZA",
       6, 30, 1700000030, nullptr},
      {address("gezd%20gnbv%20gy3t%20qojq", "&issuer=Ex%20ample"), "sha1", "GEZDGNBVGY3TQOJQ", 6,
       30, 1700000000, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.seed + " @" + std::to_string(c.time));
    const SeedParse parsed = ParseSeed(c.seed);
    ASSERT_TRUE(parsed.seed);
    const OneTimeCode code = CodeAt(*parsed.seed, c.time);
    if (c.rfc) {
      EXPECT_EQ(code.digits, c.rfc);
    }
    EXPECT_EQ(code.digits, OathtoolCode(c.mode, c.secret, c.digits, c.period, c.time));
    EXPECT_EQ(code.secondsLeft, c.period - static_cast<int>(c.time % c.period));
  }
}

TEST(OneTimeCode, RefusesWhatGivesNoCode) {
  const std::pair<const char*, SeedFault> cases[] = {
      {"", SeedFault::Empty},
      {"   ", SeedFault::Empty},
      {"JBSWY3DPEHPK3PX1", SeedFault::NotBase32},   // 1 is no base32 letter
      {"JBSWY3DP=EHPK3PXP", SeedFault::NotBase32},  // padding inside
      {"JBSWY3DPE", SeedFault::NotBase32},          // 9 letters cannot end a base32 text
      {"ñandú", SeedFault::NotBase32},
      {"otpauth://hotp/x?secret=JBSWY3DPEHPK3PXP&counter=1", SeedFault::BadAddress},
      {"otpauth://totp/x?issuer=Nobody", SeedFault::BadAddress},
      {"otpauth://totp/x", SeedFault::BadAddress},
      {"otpauth://totp/x?secret=JBSWY3DP!", SeedFault::NotBase32},
      {"otpauth://totp/x?secret=JBSWY3DPEHPK3PXP&algorithm=MD5", SeedFault::UnknownAlgorithm},
      {"otpauth://totp/x?secret=JBSWY3DPEHPK3PXP&digits=5", SeedFault::UnsupportedDigits},
      {"otpauth://totp/x?secret=JBSWY3DPEHPK3PXP&digits=9", SeedFault::UnsupportedDigits},
      {"otpauth://totp/x?secret=JBSWY3DPEHPK3PXP&period=0", SeedFault::UnsupportedPeriod},
      {"otpauth://totp/x?secret=JBSWY3DPEHPK3PXP&period=30s", SeedFault::UnsupportedPeriod},
  };
  for (const auto& [value, fault] : cases) {
    SCOPED_TRACE(value);
    const SeedParse parsed = ParseSeed(value);
    EXPECT_FALSE(parsed.seed);
    EXPECT_EQ(parsed.fault, fault);
  }
}

TEST(OneTimeCode, TheAddressKeepsEverythingTheCodeDependsOn) {
  const SeedParse parsed = ParseSeed(
      "otpauth://totp/ACME%20Co:john%40example.com?secret=jbsw%20y3dpehpk3pxp&issuer=ACME%20Co"
      "&algorithm=SHA512&digits=8&period=60");
  ASSERT_TRUE(parsed.seed);
  EXPECT_EQ(parsed.seed->label, "ACME Co:john@example.com");
  EXPECT_EQ(parsed.seed->issuer, "ACME Co");
  const std::string address = SeedAddress(*parsed.seed, "unused");
  EXPECT_EQ(address,
            "otpauth://totp/ACME%20Co:john@example.com?secret=JBSWY3DPEHPK3PXP&issuer=ACME%20Co"
            "&period=60&digits=8&algorithm=SHA512");
  const SeedParse again = ParseSeed(address);
  ASSERT_TRUE(again.seed);
  EXPECT_EQ(CodeAt(*again.seed, 1700000000).digits, CodeAt(*parsed.seed, 1700000000).digits);
  // A bare secret is named after the account.
  EXPECT_EQ(SeedAddress(*ParseSeed("JBSWY3DPEHPK3PXP").seed, "Web/Gmail"),
            "otpauth://totp/Web%2FGmail?secret=JBSWY3DPEHPK3PXP&period=30&digits=6&algorithm=SHA1");
}

TEST(OneTimeCode, TheSeedLineIsTheNotesLastLine) {
  struct Case {
    std::string notes;
    std::optional<std::string> seed;
    std::string without;
  };
  const Case cases[] = {
      {"TOTP: JBSWY3DPEHPK3PXP", "JBSWY3DPEHPK3PXP", ""},
      {"PIN 1234\r\nTOTP: abc", "abc", "PIN 1234"},
      {"PIN 1234\nTOTP: abc", "abc", "PIN 1234"},
      {"TOTP: abc\r\nPIN 1234", std::nullopt, "TOTP: abc\r\nPIN 1234"},  // not the last line
      {"totp: abc", std::nullopt, "totp: abc"},
      {"\r\nTOTP: ", "", ""},
      {"", std::nullopt, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.notes);
    const auto seed = SeedLineOf(c.notes);
    EXPECT_EQ(seed ? std::optional<std::string>(*seed) : std::nullopt, c.seed);
    EXPECT_EQ(NotesWithoutSeed(c.notes), c.without);
  }
}

TEST(OneTimeCode, WritingTheSeedLineReplacesTheOldOneWithinTheLimit) {
  EXPECT_EQ(NotesWithSeed("", "ABC", 186), "TOTP: ABC");
  EXPECT_EQ(NotesWithSeed("PIN\r\nTOTP: OLD", "NEW", 186), "PIN\r\nTOTP: NEW");
  const std::string notes(170, 'x');
  // 170 + CR LF + "TOTP: " + 8 = 186: the longest notes a profile keeps readable.
  EXPECT_EQ(NotesWithSeed(notes, "ABCDEFGH", 186)->size(), 186u);
  EXPECT_FALSE(NotesWithSeed(notes, "ABCDEFGHI", 186));
  EXPECT_TRUE(SeedOfNotes("PIN\r\nTOTP: JBSWY3DPEHPK3PXP"));
  EXPECT_FALSE(SeedOfNotes("PIN\r\nTOTP: no seed: 0 1 8 9"));
}

}  // namespace
}  // namespace bv
