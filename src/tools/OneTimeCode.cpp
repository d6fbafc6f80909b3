#include "tools/OneTimeCode.h"

#include <botan/base32.h>
#include <botan/otp.h>
#include <botan/secmem.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <charconv>

#include "crypto/WipedText.h"

namespace bv {
namespace {

constexpr std::string_view kAddressScheme = "otpauth://";
constexpr std::string_view kTotpAddress = "otpauth://totp/";

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Upper(a[i]) != Upper(b[i])) return false;
  return true;
}

bool StartsNoCase(std::string_view text, std::string_view start) {
  return text.size() >= start.size() && EqualNoCase(text.substr(0, start.size()), start);
}

bool IsBase32Letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= '2' && c <= '7'); }

// Upper case, without blanks and trailing padding; nothing when it is no base32 text.
// A length that leaves 1, 3 or 6 letters over a whole group of 8 cannot end a base32 text.
std::optional<std::string> NormalisedSecret(std::string_view text) {
  std::string secret;
  secret.reserve(text.size());
  std::size_t padding = 0;
  for (char c : text) {
    if (c == ' ' || c == '\t') continue;
    if (c == '=') {
      ++padding;
      continue;
    }
    if (padding > 0 || !IsBase32Letter(Upper(c))) {
      WipeString(secret);
      return std::nullopt;
    }
    secret += Upper(c);
  }
  const std::size_t tail = secret.size() % 8;
  if (secret.empty() || tail == 1 || tail == 3 || tail == 6 || padding >= 8) {
    WipeString(secret);
    return std::nullopt;
  }
  return secret;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = Upper(c);
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string PercentDecoded(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
        HexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      out += text[i] == '+' ? ' ' : text[i];
    }
  }
  return out;
}

std::string PercentEncoded(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (std::isalnum(u) || c == '-' || c == '.' || c == '_' || c == '~' || c == ':' || c == '@') {
      out += c;
    } else {
      out += '%';
      out += kHex[u >> 4];
      out += kHex[u & 15];
    }
  }
  return out;
}

std::optional<int> Number(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Each algorithm as Botan names it and as an otpauth:// address does.
struct AlgorithmNames {
  TotpAlgorithm algorithm;
  const char* hash;
  const char* address;
};
constexpr AlgorithmNames kAlgorithms[] = {
    {TotpAlgorithm::Sha1, "SHA-1", "SHA1"},
    {TotpAlgorithm::Sha256, "SHA-256", "SHA256"},
    {TotpAlgorithm::Sha512, "SHA-512", "SHA512"},
};

const AlgorithmNames& NamesOf(TotpAlgorithm algorithm) {
  for (const AlgorithmNames& names : kAlgorithms)
    if (names.algorithm == algorithm) return names;
  return kAlgorithms[0];
}

SeedParse Fault(SeedFault fault) { return {std::nullopt, fault}; }

SeedParse ParseAddress(std::string_view address) {
  if (!StartsNoCase(address, kTotpAddress)) return Fault(SeedFault::BadAddress);
  std::string_view rest = address.substr(kTotpAddress.size());
  const std::size_t query = rest.find('?');
  if (query == std::string_view::npos) return Fault(SeedFault::BadAddress);
  TotpSeed seed;
  seed.label = PercentDecoded(rest.substr(0, query));
  std::string_view params = rest.substr(query + 1);
  if (const std::size_t hash = params.find('#'); hash != std::string_view::npos)
    params = params.substr(0, hash);
  bool hasSecret = false;
  while (!params.empty()) {
    const std::size_t amp = params.find('&');
    const std::string_view pair = params.substr(0, amp);
    params = amp == std::string_view::npos ? std::string_view() : params.substr(amp + 1);
    const std::size_t eq = pair.find('=');
    const std::string_view key = pair.substr(0, eq);
    std::string value =
        eq == std::string_view::npos ? std::string() : PercentDecoded(pair.substr(eq + 1));
    WipeOnExit wipeValue(value);
    if (EqualNoCase(key, "secret")) {
      auto secret = NormalisedSecret(value);
      if (!secret) return Fault(SeedFault::NotBase32);
      seed.secret = std::move(*secret);
      hasSecret = true;
    } else if (EqualNoCase(key, "issuer")) {
      seed.issuer = value;
    } else if (EqualNoCase(key, "algorithm")) {
      const auto* known = std::find_if(
          std::begin(kAlgorithms), std::end(kAlgorithms),
          [&](const AlgorithmNames& names) { return EqualNoCase(value, names.address); });
      if (known == std::end(kAlgorithms)) return Fault(SeedFault::UnknownAlgorithm);
      seed.algorithm = known->algorithm;
    } else if (EqualNoCase(key, "digits")) {
      const auto digits = Number(value);
      if (!digits || *digits < 6 || *digits > 8) return Fault(SeedFault::UnsupportedDigits);
      seed.digits = *digits;
    } else if (EqualNoCase(key, "period")) {
      const auto period = Number(value);
      if (!period || *period < 1 || *period > kMaxPeriod)
        return Fault(SeedFault::UnsupportedPeriod);
      seed.period = *period;
    }
  }
  if (!hasSecret) return Fault(SeedFault::BadAddress);
  return {std::move(seed), SeedFault::Empty};
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The start of the notes' last line.
std::size_t LastLineStart(std::string_view notes) {
  const std::size_t lf = notes.find_last_of("\r\n");
  return lf == std::string_view::npos ? 0 : lf + 1;
}

}  // namespace

TotpSeed::~TotpSeed() { WipeString(secret); }

OneTimeCode::~OneTimeCode() { WipeString(digits); }

SeedParse ParseSeed(std::string_view value) {
  value = Trimmed(value);
  if (value.empty()) return Fault(SeedFault::Empty);
  if (StartsNoCase(value, kAddressScheme)) return ParseAddress(value);
  auto secret = NormalisedSecret(value);
  if (!secret) return Fault(SeedFault::NotBase32);
  TotpSeed seed;
  seed.secret = std::move(*secret);
  return {std::move(seed), SeedFault::Empty};
}

OneTimeCode CodeAt(const TotpSeed& seed, std::uint64_t unixSeconds) {
  std::string padded = seed.secret;
  WipeOnExit wipePadded(padded);
  padded.append((8 - padded.size() % 8) % 8, '=');
  Botan::secure_vector<std::uint8_t> key = Botan::base32_decode(padded);
  // The key lives inside the generator's HMAC only as long as this call: both are wiped
  // when they go (secure_vector and Botan's own key schedule).
  Botan::TOTP totp(key.data(), key.size(), NamesOf(seed.algorithm).hash,
                   static_cast<std::size_t>(seed.digits), static_cast<std::size_t>(seed.period));
  const std::uint32_t value = totp.generate_totp(unixSeconds);
  OneTimeCode code;
  code.digits = std::to_string(value);
  const auto width = static_cast<std::size_t>(seed.digits);
  if (code.digits.size() < width) code.digits.insert(0, width - code.digits.size(), '0');
  const auto period = static_cast<std::uint64_t>(seed.period);
  code.secondsLeft = static_cast<int>(period - unixSeconds % period);
  return code;
}

OneTimeCode CodeAt(const TotpSeed& seed, std::chrono::system_clock::time_point when) {
  const auto seconds =
      std::chrono::duration_cast<std::chrono::seconds>(when.time_since_epoch()).count();
  return CodeAt(seed, static_cast<std::uint64_t>(std::max<std::int64_t>(seconds, 0)));
}

OneTimeCode CurrentCode(const TotpSeed& seed) {
  return CodeAt(seed, std::chrono::system_clock::now());
}

std::string SeedAddress(const TotpSeed& seed, std::string_view account) {
  std::string address(kTotpAddress);
  address += PercentEncoded(seed.label.empty() ? account : std::string_view(seed.label));
  address += "?secret=" + seed.secret;
  if (!seed.issuer.empty()) address += "&issuer=" + PercentEncoded(seed.issuer);
  address += "&period=" + std::to_string(seed.period);
  address += "&digits=" + std::to_string(seed.digits);
  address += "&algorithm=";
  address += NamesOf(seed.algorithm).address;
  return address;
}

std::optional<std::string_view> SeedLineOf(std::string_view notes) {
  const std::string_view last = notes.substr(LastLineStart(notes));
  if (last.substr(0, kSeedLinePrefix.size()) != kSeedLinePrefix) return std::nullopt;
  return last.substr(kSeedLinePrefix.size());
}

std::string_view NotesWithoutSeed(std::string_view notes) {
  if (!SeedLineOf(notes)) return notes;
  std::string_view kept = notes.substr(0, LastLineStart(notes));
  if (!kept.empty() && kept.back() == '\n') kept.remove_suffix(1);
  if (!kept.empty() && kept.back() == '\r') kept.remove_suffix(1);
  return kept;
}

std::optional<std::string> NotesWithSeed(std::string_view notes, std::string_view value,
                                         std::size_t maxLength) {
  const std::string_view kept = NotesWithoutSeed(notes);
  std::string out(kept);
  if (!out.empty()) out += "\r\n";
  out += kSeedLinePrefix;
  out += value;
  if (out.size() > maxLength) {
    WipeString(out);
    return std::nullopt;
  }
  return out;
}

std::optional<TotpSeed> SeedOfNotes(std::string_view notes) {
  const auto value = SeedLineOf(notes);
  if (!value) return std::nullopt;
  return ParseSeed(*value).seed;
}

}  // namespace bv
