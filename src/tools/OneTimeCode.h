#pragma once
// Two-step codes (time-based one-time passwords, RFC 6238 over RFC 4226) from the seed an
// account keeps as the last line of its notes: "TOTP: " and either an otpauth://totp/
// address or a bare base32 secret. Plain C++: the window, the command-line tool and the
// browser's requests all come here.
//
//   notes --SeedLineOf--> value --ParseSeed--> TotpSeed --CodeAt--> digits, seconds left
//
// A seed keeps the secret as base32 text; the key it stands for is decoded for each code
// and wiped as soon as the code is made.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bv {

// The line an account's notes end with when it has a seed: this, then the value.
inline constexpr std::string_view kSeedLinePrefix = "TOTP: ";

enum class TotpAlgorithm {
  Sha1,
  Sha256,
  Sha512
};

struct TotpSeed {
  std::string secret;  // base32, upper case, without blanks or padding
  TotpAlgorithm algorithm = TotpAlgorithm::Sha1;
  int digits = 6;   // 6 to 8
  int period = 30;  // seconds, 1 to kMaxPeriod
  std::string issuer;
  std::string label;  // the address's label, percent-decoded ("Issuer:user")

  TotpSeed() = default;
  TotpSeed(const TotpSeed&) = default;
  TotpSeed& operator=(const TotpSeed&) = default;
  ~TotpSeed();  // the secret is wiped
};

inline constexpr int kMaxPeriod = 86400;

// Why a value is not a seed.
enum class SeedFault {
  Empty,
  NotBase32,          // a character outside A-Z, 2-7 (any case), blanks and "=" padding
  BadAddress,         // otpauth:// but not otpauth://totp/ with a secret
  UnknownAlgorithm,   // not SHA1, SHA256 or SHA512
  UnsupportedDigits,  // not 6, 7 or 8
  UnsupportedPeriod,  // not 1 to kMaxPeriod seconds
};

struct SeedParse {
  std::optional<TotpSeed> seed;
  SeedFault fault = SeedFault::Empty;  // meaningful when seed is empty
};

// Reads an otpauth://totp/ address or a bare base32 secret (lower case, blanks and missing
// padding accepted).
SeedParse ParseSeed(std::string_view value);

// The code and how long it stays valid.
struct OneTimeCode {
  std::string digits;  // zero-padded to the seed's number of digits
  int secondsLeft = 0;
  ~OneTimeCode();  // the code is wiped
};

// The seed is one ParseSeed gave (Botan refuses digits outside 6 to 8).
OneTimeCode CodeAt(const TotpSeed& seed, std::uint64_t unixSeconds);
OneTimeCode CodeAt(const TotpSeed& seed, std::chrono::system_clock::time_point when);
OneTimeCode CurrentCode(const TotpSeed& seed);

// The otpauth://totp/ address KeePassXC and most authenticator apps read; account names the
// address's label when the seed has none.
std::string SeedAddress(const TotpSeed& seed, std::string_view account);

// --- the seed line of an account's notes (Windows-1252 bytes, CR LF between lines)

// The value of the notes' last line when it begins with kSeedLinePrefix, whatever it holds.
std::optional<std::string_view> SeedLineOf(std::string_view notes);
// The notes without that line (and without the line break before it).
std::string_view NotesWithoutSeed(std::string_view notes);
// The notes with value as their seed line, in place of the one they had; nothing when the
// result would be longer than maxLength.
std::optional<std::string> NotesWithSeed(std::string_view notes, std::string_view value,
                                         std::size_t maxLength);
// The seed of the notes, when they hold one that gives codes.
std::optional<TotpSeed> SeedOfNotes(std::string_view notes);

}  // namespace bv
